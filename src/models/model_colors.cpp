#include <cstdlib>

#include "models/model.h"

// Each part a colour of its own, drawn from rand at the grid; the race's draws
// that follow depend on how many parts drew one.
void Model::randomizeColors() {
    for (MeshObject& object : objects) {
        const double r = (std::rand() % 100) / 100.0;
        const double g = (std::rand() % 100) / 100.0;
        const double b = (std::rand() % 100) / 100.0;
        object.color.set(r, g, b);
    }
}

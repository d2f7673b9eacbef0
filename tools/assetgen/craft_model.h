#pragma once

#include <vector>

#include "mesh.h"

namespace assetgen {

// The racer in the export's axes: x to the right, nose towards +y, up +z.
struct CraftModel {
    std::vector<Material> materials;
    std::vector<Mesh> parts;
};

// Where the engine glow sits: the rear centre of each engine pod.
const V3 LEFT_NOZZLE = {-75, -260, -80};
const V3 RIGHT_NOZZLE = {75, -260, -80};

CraftModel makeCraft();

}  // namespace assetgen

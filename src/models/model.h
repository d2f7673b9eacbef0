// models: the craft read from ASE text, coloured from the game's palette, drawn as display lists.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "models/mesh_object.h"

// A craft model read from an ASE export, compiled into a display list.
class Model {
public:
    int32_t objectCount = 0;
    std::vector<MeshObject> objects;
    uint32_t displayList = 0;

    // Reads the file; a missing or damaged file ends the program with a box.
    void loadAse(const std::string& path);
    void randomizeColors();
    void buildDisplayList(uint32_t name);
    void drawModel() const;
};

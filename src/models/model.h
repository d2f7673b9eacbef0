// models: the craft read from ASE text, coloured from the game's palette, drawn as display lists.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
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
    // Every part in shades of one colour: each part's own colour gives only
    // how light its shade is.
    void buildDisplayList(uint32_t name, const std::array<float, 4>& paint);
    void drawModel() const;

private:
    void buildList(uint32_t name,
                   const std::function<std::array<float, 4>(const MeshObject&)>& colourOf);
};

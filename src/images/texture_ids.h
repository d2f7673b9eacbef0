#pragma once

#include <array>

// Indices into gTextures, in the order the scene set-up loads them.
constexpr int TEX_ROAD = 0;        // "data/pista.bmp"
constexpr int TEX_WALL_RIGHT = 1;  // "data/lateralR.bmp"
constexpr int TEX_WALL_LEFT = 2;   // "data/lateralL.bmp"
constexpr int TEX_FLARE = 3;       // "data/flare.bmp"
constexpr int TEX_SHADOW = 4;      // "data/ombra.bmp"
constexpr int TEX_SKY_FRONT = 5;   // "data/sky/front.bmp"
constexpr int TEX_SKY_RIGHT = 6;
constexpr int TEX_SKY_BACK = 7;
constexpr int TEX_SKY_LEFT = 8;
constexpr int TEX_SKY_TOP = 9;
constexpr int TEX_SKY_BOTTOM = 10;
constexpr int TEX_NUM_1 = 11;  // "data/nums/1.bmp" .. "data/nums/6.bmp" at 11..16

// Sky faces clamp at their edges; every other texture repeats.
constexpr bool textureClampsAtEdges(int index) {
    return index >= 5 && index <= 10;
}

// The bitmap behind each index, in load order.
constexpr std::array<const char*, 17> TEXTURE_FILES = {
    "data/pista.bmp",    "data/lateralR.bmp",  "data/lateralL.bmp",   "data/flare.bmp",
    "data/ombra.bmp",    "data/sky/front.bmp", "data/sky/right.bmp",  "data/sky/back.bmp",
    "data/sky/left.bmp", "data/sky/top.bmp",   "data/sky/bottom.bmp", "data/nums/1.bmp",
    "data/nums/2.bmp",   "data/nums/3.bmp",    "data/nums/4.bmp",     "data/nums/5.bmp",
    "data/nums/6.bmp",
};

#pragma once

#include <array>
#include <cstdint>

// The game's thirteen colours, selected by code.
using ColorCode = int32_t;
constexpr ColorCode COLOR_BLUE = 444;
constexpr ColorCode COLOR_RED = 445;
constexpr ColorCode COLOR_GREEN = 446;
constexpr ColorCode COLOR_YELLOW = 447;
constexpr ColorCode COLOR_MAGENTA = 448;
constexpr ColorCode COLOR_WHITE = 449;
constexpr ColorCode COLOR_BRONZE = 450;
constexpr ColorCode COLOR_GREY = 451;
constexpr ColorCode COLOR_DARK_GREY = 452;
constexpr ColorCode COLOR_LIGHT_GREY = 453;
constexpr ColorCode COLOR_BLACK = 454;
constexpr ColorCode COLOR_PALE_BLUE = 455;
constexpr ColorCode COLOR_SKY_BLUE = 456;

using Rgba = std::array<float, 4>;

// The table entry for a code; any code outside the table gives blue.
Rgba lookupColor(ColorCode code);
// Set the current colour and the front material together.
void applyColor(ColorCode code);
void applyColorAlpha(ColorCode code, float alpha);
void applyMaterialColor(float r, float g, float b, float a);

#pragma once

#include <vector>

#include "craft_model.h"
#include "image.h"

namespace assetgen {

enum class CraftView { Front, Side, Top };

// A small orthographic drawing of the craft with a depth buffer and one light,
// so the model can be looked at without the game.
Image renderCraftView(const CraftModel& craft, CraftView view, int size);

// The same drawing over a square image's own pixels, zoom times as large and
// raised by that fraction of the image; returns, row by row from the bottom,
// which pixels the craft covers.
std::vector<bool> paintCraftView(const CraftModel& craft, CraftView view, Image& image,
                                 double zoom = 1.0, double raise = 0.0);

}  // namespace assetgen

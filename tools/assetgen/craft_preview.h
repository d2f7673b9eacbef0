#pragma once

#include "craft_model.h"
#include "image.h"

namespace assetgen {

enum class CraftView { Front, Side, Top };

// A small orthographic drawing of the craft with a depth buffer and one light,
// so the model can be looked at without the game.
Image renderCraftView(const CraftModel& craft, CraftView view, int size);

}  // namespace assetgen

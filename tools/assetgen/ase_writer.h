#pragma once

#include <string>

#include "craft_model.h"

namespace assetgen {

// The craft as an ASCII scene export, laid out the way the modelling tool writes it.
std::string formatAse(const CraftModel& craft);

}  // namespace assetgen

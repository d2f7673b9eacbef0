#pragma once

#include <string>

#include "models/model.h"

// The craft every opponent flies. Its file name differs from the player's only
// in letter case, so on most data folders both names find one file: then the
// player's craft, already read, is copied instead of reading the file again.
// A folder holding two files by those names gets the opponents' own, read;
// like Model::loadAse, a missing or damaged one ends the program with a box.
// The copy has no display list of its own yet.
Model opponentCraft(const std::string& path, const Model& playerCraft,
                    const std::string& playerPath);

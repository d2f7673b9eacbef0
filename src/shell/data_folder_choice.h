#pragma once

// Finds the game's data folder and makes every "data/..." name point into it.
// Found nowhere, the player gets the missing model's box and the places
// searched on standard error, and false comes back: the game cannot start.
bool chooseDataFolder();

// A data folder found nowhere ends the game as a model that cannot be loaded does.
constexpr int NO_DATA_EXIT_STATUS = 255;

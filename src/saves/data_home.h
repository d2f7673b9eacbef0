#pragma once

#include <string>

// The folder where the game keeps what it saves, as the XDG base directories
// say: $XDG_DATA_HOME/zentrix, or $HOME/.local/share/zentrix when that is unset,
// empty or relative. Empty when HOME is no absolute folder either.
std::string zentrixDataFolder();

// The folder where the game keeps the player's settings, by the same rules:
// $XDG_CONFIG_HOME/zentrix, or $HOME/.config/zentrix when that is unset, empty
// or relative. Empty when HOME is no absolute folder either.
std::string zentrixConfigFolder();

// Where replays are kept: <data folder>/replays, or empty with no data folder.
std::string zentrixReplayFolder();

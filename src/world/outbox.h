#pragma once

#include <string>
#include <vector>

#include "saves/replay_file.h"

// Time trials waiting to go to the world board, kept in <data folder>/outbox/
// as replays written like the others, "time-trial-<circuit>.zxr": a best not
// yet sent survives the network being down, and the game ending.
std::string outboxFolder();

// Keeps run, replacing an older best of its circuit not yet sent; false with why.
bool keepInOutbox(const Replay& run, std::string& failure);

// The files waiting, oldest name first.
std::vector<std::string> outboxFiles();

void removeFromOutbox(const std::string& path);

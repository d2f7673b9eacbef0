#pragma once

#include <optional>

#include "saves/difficulty.h"
#include "saves/settings.h"
#include "world/world_sender.h"

// The player's settings for this run: read from the settings file at start
// and put to work on the sound, the screen, the HUD and the keys; each
// change is put to work at once and saved. A screen chosen on the command
// line rules this run, and is neither taken from the file nor saved.

// Reads the file; the screen it names becomes the display choice unless the
// command line gave one, and the volumes are the sound's. Call before the
// window opens.
// The difficulty is the file's too, unless the command line gave one for
// this run.
void loadSettingsForThisRun(bool screenFromCommandLine,
                            std::optional<Difficulty> difficultyFromCommandLine = std::nullopt);

// Puts the rest of the settings to work: the HUD's size, the frame rate and
// the keys. Call once the window is open.
void applyPlayerSettings();

const Settings& playerSettings();

// The settings as changed in the menu: what differs is put to work and the
// file saved.
void changePlayerSettings(const Settings& changed);

// The world board chosen in the settings and the player's name there.
WorldChoice worldChoice();

// The world board's work begun for this run, when a board is chosen: the
// sender (with what the outbox holds) and the circuit of the day. A change
// of board or name in the menu starts it again with the new choice.
void startTheWorld();

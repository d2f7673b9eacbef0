// saves: everything kept on disk between runs, written whole or not at all; no GL, SDL or OpenAL.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "saves/difficulty.h"

// What the player chooses in the pause menu, kept between runs.
enum class ScreenSetting { Window, Desktop, Fullscreen };
enum class HudSize { Normal, Large, Huge };
// The actions whose key and gamepad button the player chooses, in menu order.
enum class Action { Accelerate, Brake, Left, Right, Fire, Camera, Cockpit, Pause, RaceAgain };
constexpr int ACTION_COUNT = 9;
// "accelerate", "brake", "left", "right", "fire", "camera", "cockpit", "pause", "race_again"
const char* actionName(Action action);

struct Settings {
    int musicVolume = 100;    // 0 to 100 in steps of 10
    int effectsVolume = 100;  // 0 to 100 in steps of 10
    ScreenSetting screen = ScreenSetting::Fullscreen;
    HudSize hudSize = HudSize::Normal;
    bool showFrameRate = false;
    // The share of the screen's pixels the race's 3D picture is drawn at, in
    // percent: one of RESOLUTION_SCALE_PERCENTS. The HUD is always drawn at
    // the screen's own.
    int resolutionScale = 100;
    // How hard the opponents race.
    Difficulty difficulty = Difficulty::Normal;
    // The world board the player's bests go to, and the name they go under;
    // no board, no connection of any kind.
    std::string board;
    std::string player;
    // Per action, the chosen keyboard key and gamepad button by name (SDL's key
    // names such as "Up", "Space", "W"; SDL's game controller button names
    // such as "a", "leftshoulder"); empty: the game's default. The saves room
    // cannot ask SDL whether a name is real: the input room checks that.
    std::string keys[ACTION_COUNT];
    std::string padButtons[ACTION_COUNT];
};

constexpr int RESOLUTION_SCALE_PERCENTS[] = {100, 75, 50};
// The scale as the file keeps it: one of those offered, 100 for any other.
int storableResolutionScale(int percent);

bool operator==(const Settings& a, const Settings& b);
bool operator!=(const Settings& a, const Settings& b);

// The settings file is plain text, one setting a line:
//
//   # a comment: a line whose first non-blank character is '#'
//   music_volume = 70          0 to 100
//   effects_volume = 100       0 to 100
//   screen = window            window, desktop or fullscreen
//   hud_size = large           normal, large or huge
//   show_frame_rate = on       on or off; yes or no, true or false read too
//   resolution_scale = 75      100, 75 or 50 (percent)
//   difficulty = hard          easy, normal or hard: how hard the opponents race
//   board = https://board.example.org   the world board, http:// or https://; empty: none
//   player = Ann               the name on the board: 1 to 24 letters, digits, - _ . and spaces
//   inside key.fire = Left Ctrl       a key's name, for each action by actionName pad.fire = x a
//   gamepad button's name, likewise
//
// The key is what comes before the first '=', the value what follows it, both
// without the spaces and tabs around them; blank lines are ignored, and so are
// a carriage return ending a line and a UTF-8 byte order mark starting the
// file. Keys are lower case. Words (window, on, hard, ...) may be in any case. A
// volume that is not a multiple of 10 is rounded to the nearest one, halves up
// (45 plays as 50): the menu moves in steps of 10, and a hand-written 45 is no
// mistake worth a word. A key or button name is any text of at most
// SETTINGS_NAME_MAX_BYTES; empty means the game's default (the input room
// checks that a name is one SDL knows). No value has a comment after it: '#'
// is a key's name.
//
// A line the game cannot read is skipped, and every other line still counts:
// one with no '=' or nothing before it, one over SETTINGS_LINE_MAX_BYTES, one
// with bytes that are not printable UTF-8 text (tabs are fine), and a setting
// whose value is not one of its own. A key the game does not know (one a later
// version writes, or a misspelt one) is skipped without a word. When a key is
// given on more than one line, the last line that reads counts. Comments are
// never read, so they may hold anything.
//
// A key or button at its default is held as an empty name, so rebinding one
// action changes one line.
//
// The game rewrites the file whenever the player changes a setting. It keeps
// every line as it is, including comments, unknown keys and lines it cannot
// read, except the last line of each setting that changed, which it replaces
// in place; a changed setting without a line is added at the end. So the file
// holds only the settings the player has changed from the defaults (a new file
// starts with one comment line saying what it is), and it stays the same
// between runs when nothing changes.

constexpr const char* SETTINGS_FILE_NAME = "settings.ini";
// A larger file is not read at all.
constexpr std::size_t SETTINGS_TEXT_MAX_BYTES = 64 * 1024;
// Comments may be longer; they are never read.
constexpr std::size_t SETTINGS_LINE_MAX_BYTES = 1024;
// SDL's longest key name is under 30 bytes.
constexpr std::size_t SETTINGS_NAME_MAX_BYTES = 64;

// The settings the text gives, starting from the defaults. Each line that
// cannot be read adds one problem, "<fileName>:<line number>: <reason>", e.g.
// settings.ini:4: music_volume "loud" is not a number from 0 to 100; it is left at 100
Settings parseSettings(const std::string& text, const std::string& fileName,
                       std::vector<std::string>& problems);

// previousText, the file as it was, rewritten to hold settings as described
// above; previousText itself when it holds them already. What is written
// always reads back as written: a volume is rounded to its step and kept within
// 0 to 100, and a name the file could not hold (too long, with line breaks or
// other control bytes, or with spaces around it) is written as empty, the
// game's default.
std::string settingsText(const Settings& settings, const std::string& previousText);

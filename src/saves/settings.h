// What the player chooses in the pause menu, kept between runs.
#pragma once

#include <string>

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
    // Per action, the chosen keyboard key and gamepad button by name (SDL's key
    // names such as "Up", "Space", "W"; SDL's game controller button names
    // such as "a", "leftshoulder"); empty: the game's default. The saves room
    // cannot ask SDL whether a name is real: the input room checks that.
    std::string keys[ACTION_COUNT];
    std::string padButtons[ACTION_COUNT];
};

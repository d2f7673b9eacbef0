#include "saves/settings.h"

const char* actionName(Action action) {
    switch (action) {
        case Action::Accelerate:
            return "accelerate";
        case Action::Brake:
            return "brake";
        case Action::Left:
            return "left";
        case Action::Right:
            return "right";
        case Action::Fire:
            return "fire";
        case Action::Camera:
            return "camera";
        case Action::Cockpit:
            return "cockpit";
        case Action::Pause:
            return "pause";
        case Action::RaceAgain:
            return "race_again";
    }
    return "";
}

int storableResolutionScale(int percent) {
    for (const int offered : RESOLUTION_SCALE_PERCENTS) {
        if (percent == offered) {
            return percent;
        }
    }
    return 100;
}

bool operator==(const Settings& a, const Settings& b) {
    if (a.musicVolume != b.musicVolume || a.effectsVolume != b.effectsVolume ||
        a.screen != b.screen || a.hudSize != b.hudSize || a.showFrameRate != b.showFrameRate ||
        a.resolutionScale != b.resolutionScale || a.difficulty != b.difficulty ||
        a.board != b.board || a.player != b.player) {
        return false;
    }
    for (int action = 0; action < ACTION_COUNT; ++action) {
        if (a.keys[action] != b.keys[action] || a.padButtons[action] != b.padButtons[action]) {
            return false;
        }
    }
    return true;
}

bool operator!=(const Settings& a, const Settings& b) {
    return !(a == b);
}

#include "saves/settings.h"

const char* actionName(Action action) {
    static const char* const NAMES[ACTION_COUNT] = {
        "accelerate", "brake", "left", "right", "fire", "camera", "cockpit", "pause", "race_again"};
    const int index = static_cast<int>(action);
    return index >= 0 && index < ACTION_COUNT ? NAMES[index] : "";
}

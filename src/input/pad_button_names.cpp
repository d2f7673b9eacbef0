#include "input/pad_button_names.h"

#include <array>

namespace {
// In SDL's order of the buttons, from SDL_CONTROLLER_BUTTON_A.
constexpr std::array<const char*, SDL_CONTROLLER_BUTTON_MAX> READ_NAMES = {{
    "A",
    "B",
    "X",
    "Y",
    "Back",
    "Guide",
    "Start",
    "Left stick",
    "Right stick",
    "Left shoulder",
    "Right shoulder",
    "D-pad up",
    "D-pad down",
    "D-pad left",
    "D-pad right",
    "Share",
    "Paddle 1",
    "Paddle 2",
    "Paddle 3",
    "Paddle 4",
    "Touchpad",
}};
}  // namespace

std::string padButtonReadName(SDL_GameControllerButton button) {
    if (button < 0 || button >= SDL_CONTROLLER_BUTTON_MAX) {
        return "-";
    }
    return READ_NAMES[static_cast<size_t>(button)];
}

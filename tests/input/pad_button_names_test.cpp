// Pad buttons named as a player reads them, every button SDL knows.
#include "input/pad_button_names.h"

#include <gtest/gtest.h>

#include <set>

namespace {

TEST(PadButtonNames, EveryButtonHasItsOwnReadableName) {
    const struct {
        int button;
        const char* name;
    } cases[] = {
        {SDL_CONTROLLER_BUTTON_A, "A"},
        {SDL_CONTROLLER_BUTTON_B, "B"},
        {SDL_CONTROLLER_BUTTON_X, "X"},
        {SDL_CONTROLLER_BUTTON_Y, "Y"},
        {SDL_CONTROLLER_BUTTON_BACK, "Back"},
        {SDL_CONTROLLER_BUTTON_GUIDE, "Guide"},
        {SDL_CONTROLLER_BUTTON_START, "Start"},
        {SDL_CONTROLLER_BUTTON_LEFTSTICK, "Left stick"},
        {SDL_CONTROLLER_BUTTON_RIGHTSTICK, "Right stick"},
        {SDL_CONTROLLER_BUTTON_LEFTSHOULDER, "Left shoulder"},
        {SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, "Right shoulder"},
        {SDL_CONTROLLER_BUTTON_DPAD_UP, "D-pad up"},
        {SDL_CONTROLLER_BUTTON_DPAD_DOWN, "D-pad down"},
        {SDL_CONTROLLER_BUTTON_DPAD_LEFT, "D-pad left"},
        {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, "D-pad right"},
        {SDL_CONTROLLER_BUTTON_MISC1, "Share"},
        {SDL_CONTROLLER_BUTTON_PADDLE1, "Paddle 1"},
        {SDL_CONTROLLER_BUTTON_PADDLE4, "Paddle 4"},
        {SDL_CONTROLLER_BUTTON_TOUCHPAD, "Touchpad"},
        // No button at all, and codes past SDL's buttons, read as none.
        {SDL_CONTROLLER_BUTTON_INVALID, "-"},
        {SDL_CONTROLLER_BUTTON_MAX, "-"},
        {-7, "-"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(padButtonReadName(SDL_GameControllerButton(c.button)), c.name) << c.button;
    }
    std::set<std::string> names;
    for (int button = 0; button < SDL_CONTROLLER_BUTTON_MAX; ++button) {
        names.insert(padButtonReadName(SDL_GameControllerButton(button)));
    }
    EXPECT_EQ(names.size(), size_t{SDL_CONTROLLER_BUTTON_MAX}) << "no two buttons share a name";
    EXPECT_EQ(names.count("-"), 0u);
}

}  // namespace

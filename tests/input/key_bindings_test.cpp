#include "input/key_bindings.h"

#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include "craft/player.h"
#include "input/gamepad_keys.h"
#include "input/key_state.h"
#include "input/key_watch.h"
#include "race/race.h"
#include "session/race_commands.h"
#include "shell/window.h"
#include "support/harness/race_start.h"
#include "support/records_fixture.h"

namespace {

const Action ALL_ACTIONS[ACTION_COUNT] = {Action::Accelerate, Action::Brake, Action::Left,
                                          Action::Right,      Action::Fire,  Action::Camera,
                                          Action::Cockpit,    Action::Pause, Action::RaceAgain};

// Each action's label, key and button, as the menu lists them.
std::string boundLabels() {
    std::string labels;
    for (Action action : ALL_ACTIONS) {
        labels +=
            actionLabel(action) + ": " + keyLabel(action) + ", " + padButtonLabel(action) + "\n";
    }
    return labels;
}

const std::string DEFAULT_LABELS =
    "Accelerate: Up, a\nBrake: Down, b\nLeft: Left, dpleft\nRight: Right, dpright\n"
    "Fire: Space, x\nCamera: C, y\nCockpit: V, back\nPause: P, start\nRace again: R, none\n";

class KeyBindings : public testing::Test {
protected:
    void SetUp() override { resetKeyBindings(); }
    void TearDown() override { resetKeyBindings(); }

    static void bind(Action action, SDL_Keycode key) {
        std::string refusal;
        ASSERT_TRUE(bindKey(action, key, refusal)) << refusal;
    }
    static void bindPad(Action action, SDL_GameControllerButton button) {
        std::string refusal;
        ASSERT_TRUE(bindPadButton(action, button, refusal)) << refusal;
    }
};

// The game's own path for a key: SDL's queue, the key watch, the window
// procedure, then a tick of the race on the keys as they stand.
class KeyBindingsInTheRace : public KeyBindings {
protected:
    void SetUp() override {
        KeyBindings::SetUp();
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_EVENTS), 0) << SDL_GetError();
        startWatchingKeys();
        testsupport::startRaceWithoutGraphics();
    }
    void TearDown() override {
        stopWatchingKeys();
        SDL_QuitSubSystem(SDL_INIT_EVENTS);
        resumeRace();
        KeyBindings::TearDown();
    }

    static void key(SDL_Keycode sym, bool down, bool repeat = false) {
        SDL_Event event{};
        event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
        event.key.keysym.sym = sym;
        event.key.repeat = repeat ? 1 : 0;
        ASSERT_EQ(SDL_PushEvent(&event), 1) << SDL_GetError();
    }
    static void drive(int ticks) {
        for (int i = 0; i < ticks; ++i) {
            SDL_Event event;
            while (SDL_PollEvent(&event) != 0) {
                handleWindowEvent(event);
            }
            stepRace(readKeyboard());
        }
    }
};

TEST_F(KeyBindingsInTheRace, AccelerateMovedToWDrivesOnWAndUpNoLonger) {
    bind(Action::Accelerate, SDLK_w);
    key(SDLK_UP, true);
    drive(60);
    EXPECT_EQ(gPlayer.throttle, 0.0f);
    EXPECT_LT(gPlayer.speed, 1.0f);
    key(SDLK_UP, false);
    key(SDLK_w, true);
    drive(60);
    EXPECT_EQ(gPlayer.throttle, 1.0f);
    EXPECT_GT(gPlayer.speed, 50.0f);
    EXPECT_EQ(virtualKeyFromSdl(SDLK_m), VK_M) << "the fixed keys keep theirs";
}

TEST_F(KeyBindingsInTheRace, PauseMovedToQPausesOnQWhichWaitsWhenHeldAndPNoLonger) {
    bind(Action::Pause, SDLK_q);
    key(SDLK_p, true);
    drive(1);
    EXPECT_FALSE(raceIsPaused());
    key(SDLK_q, true);
    key(SDLK_q, true, true);  // a second toggle, were it not held back
    drive(1);
    EXPECT_TRUE(raceIsPaused()) << "held, Q paused once";
}

TEST_F(KeyBindings, APadButtonMovedToAccelerateDrivesAndTheOldOneNoLonger) {
    bindPad(Action::Fire, SDL_CONTROLLER_BUTTON_INVALID);
    bindPad(Action::Accelerate, SDL_CONTROLLER_BUTTON_X);
    testsupport::startRaceWithoutGraphics();
    PadReading pad;
    pad.setButton(SDL_CONTROLLER_BUTTON_A, true);
    for (int tick = 0; tick < 60; ++tick) {
        stepRace(keysHeldByPad(pad));
    }
    EXPECT_LT(gPlayer.speed, 1.0f);
    pad.setButton(SDL_CONTROLLER_BUTTON_X, true);
    for (int tick = 0; tick < 60; ++tick) {
        stepRace(keysHeldByPad(pad));
    }
    EXPECT_GT(gPlayer.speed, 50.0f);
    EXPECT_FALSE(keysHeldByPad(pad).space) << "x no longer fires, and fire has no button";
}

TEST_F(KeyBindings, RefusedKeysAndButtonsSayWhyAndChangeNothing) {
    const struct {
        Action action;
        SDL_Keycode key;
        const char* says;
    } keys[] = {
        {Action::Fire, SDLK_ESCAPE, "Esc always quits"},
        {Action::Fire, SDLK_UP, "Up is already accelerate"},
        {Action::Left, SDLK_r, "R is already race again"},
        {Action::Camera, SDLK_m, "M shows the track map"},
        {Action::Cockpit, SDLK_b, "B takes a replay back"},
        {Action::Pause, SDLK_RETURN,
         "Return with Alt switches between a window and the whole screen"},
        {Action::Brake, SDLK_UNKNOWN, "that is no key"},
    };
    for (const auto& refused : keys) {
        const SDL_Keycode before = boundKey(refused.action);
        std::string refusal;
        EXPECT_FALSE(bindKey(refused.action, refused.key, refusal)) << refused.says;
        EXPECT_EQ(refusal, refused.says);
        EXPECT_EQ(boundKey(refused.action), before);
    }
    const struct {
        Action action;
        SDL_GameControllerButton button;
        const char* says;
    } buttons[] = {
        {Action::Fire, SDL_CONTROLLER_BUTTON_LEFTSHOULDER,
         "the shoulders wind replays and show or hide the ghost"},
        {Action::RaceAgain, SDL_CONTROLLER_BUTTON_START, "start is already pause"},
        {Action::Fire, SDL_CONTROLLER_BUTTON_MAX, "that is no gamepad button"},
    };
    for (const auto& refused : buttons) {
        const SDL_GameControllerButton before = boundPadButton(refused.action);
        std::string refusal;
        EXPECT_FALSE(bindPadButton(refused.action, refused.button, refusal)) << refused.says;
        EXPECT_EQ(refusal, refused.says);
        EXPECT_EQ(boundPadButton(refused.action), before);
    }
    bind(Action::Fire, SDLK_SPACE);                             // its own key again is no clash
    bindPad(Action::RaceAgain, SDL_CONTROLLER_BUTTON_INVALID);  // nor is a second "none"
}

TEST_F(KeyBindings, ResetPutsEveryActionBackOnItsDefaults) {
    bind(Action::Accelerate, SDLK_w);
    bind(Action::Camera, SDLK_UP);
    bindPad(Action::RaceAgain, SDL_CONTROLLER_BUTTON_LEFTSTICK);
    resetKeyBindings();
    EXPECT_EQ(boundLabels(), DEFAULT_LABELS);
    EXPECT_EQ(virtualKeyFromSdl(SDLK_UP), VK_UP);
    EXPECT_EQ(virtualKeyFromSdl(SDLK_w), 0);
}

TEST_F(KeyBindings, SettingsRoundTripAndASwapNeedsNoWords) {
    Settings settings;
    settings.keys[int(Action::Accelerate)] = "Down";  // a swap, taken whole
    settings.keys[int(Action::Brake)] = "up";
    settings.keys[int(Action::Fire)] = "Left Ctrl";
    settings.padButtons[int(Action::Camera)] = "none";
    settings.padButtons[int(Action::RaceAgain)] = "y";
    recordstest::StderrCapture errors;
    applyKeySettings(settings);
    EXPECT_EQ(errors.text(), "");
    EXPECT_EQ(keyLabel(Action::Accelerate), "Down");
    EXPECT_EQ(keyLabel(Action::Brake), "Up");
    EXPECT_EQ(padButtonLabel(Action::RaceAgain), "y");

    Settings stored;
    storeKeySettings(stored);
    resetKeyBindings();
    applyKeySettings(stored);
    Settings again;
    storeKeySettings(again);
    for (int action = 0; action < ACTION_COUNT; ++action) {
        EXPECT_EQ(again.keys[action], stored.keys[action]);
        EXPECT_EQ(again.padButtons[action], stored.padButtons[action]);
    }
    EXPECT_EQ(stored.keys[int(Action::Fire)], "Left Ctrl");
    EXPECT_EQ(stored.padButtons[int(Action::Camera)], "none");
    EXPECT_EQ(errors.text(), "");
}

TEST_F(KeyBindings, ASettingThatCannotBeTakenKeepsTheDefaultInOneLine) {
    const struct {
        bool pad;
        Action action;
        const char* name;
        const char* line;
    } cases[] = {
        {false, Action::Fire, "Foo", "key.fire \"Foo\" is no key; fire stays on Space"},
        {false, Action::Camera, "M", "key.camera \"M\": M shows the track map; camera stays on C"},
        {false, Action::RaceAgain, "Up",
         "key.race_again \"Up\": Up is already accelerate; race_again stays on R"},
        {true, Action::Fire, "lefttrigger",
         "pad.fire \"lefttrigger\" is no gamepad button; fire stays on x"},
        {true, Action::Pause, "a",
         "pad.pause \"a\": a is already accelerate; pause stays on start"},
    };
    for (const auto& bad : cases) {
        Settings settings;
        (bad.pad ? settings.padButtons : settings.keys)[int(bad.action)] = bad.name;
        std::string text;
        {
            recordstest::StderrCapture errors;
            applyKeySettings(settings);
            text = errors.text();
        }
        EXPECT_EQ(text, std::string("zentrix: settings: ") + bad.line + "\n");
        EXPECT_EQ(boundLabels(), DEFAULT_LABELS) << bad.name;
    }
}

}  // namespace

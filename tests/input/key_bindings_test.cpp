#include "input/key_bindings.h"

#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include "craft/player.h"
#include "input/key_state.h"
#include "input/key_watch.h"
#include "race/race.h"
#include "saves/settings.h"
#include "session/race_commands.h"
#include "shell/window.h"
#include "support/harness/race_start.h"
#include "support/records_fixture.h"

namespace {

// Each action's label, key and button, as the menu lists them.
std::string boundLabels() {
    std::string labels;
    for (int index = 0; index < ACTION_COUNT; ++index) {
        const Action action = static_cast<Action>(index);
        labels +=
            actionLabel(action) + ": " + keyLabel(action) + ", " + padButtonLabel(action) + "\n";
    }
    return labels;
}

const std::string DEFAULT_LABELS =
    "Accelerate: Up, A\nBrake: Down, B\nLeft: Left, D-pad left\nRight: Right, D-pad right\n"
    "Fire: Space, X\nCamera: C, Y\nCockpit: V, Back\nPause: P, Start\nRace again: R, -\n";

// Keys take the game's own path: SDL's queue, the key watch, the window
// procedure, then a tick of the race on the keys as they stand.
class KeyBindings : public testing::Test {
protected:
    void SetUp() override {
        resetKeyBindings();
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_EVENTS), 0) << SDL_GetError();
        startWatchingKeys();
        testsupport::startRaceWithoutGraphics();
    }
    void TearDown() override {
        stopWatchingKeys();
        SDL_QuitSubSystem(SDL_INIT_EVENTS);
        resumeRace();
        resetKeyBindings();
    }

    static void bind(Action action, SDL_Keycode key) {
        std::string refusal;
        ASSERT_TRUE(bindKey(action, key, refusal)) << refusal;
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

TEST_F(KeyBindings, AccelerateMovedToWDrivesOnWAndUpNoLonger) {
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

TEST_F(KeyBindings, PauseMovedToQPausesOnQWhichWaitsWhenHeldAndPNoLonger) {
    bind(Action::Pause, SDLK_q);
    key(SDLK_p, true);
    drive(1);
    EXPECT_FALSE(raceIsPaused());
    key(SDLK_q, true);
    key(SDLK_q, true, true);  // a second toggle, were it not held back
    drive(1);
    EXPECT_TRUE(raceIsPaused());
}

TEST_F(KeyBindings, RefusalsSayWhyAndChangeNothingAndResetRestoresTheDefaults) {
    const struct {
        bool pad;
        Action action;
        int code;
        const char* says;
    } refused[] = {
        {false, Action::Fire, SDLK_ESCAPE, "Esc always quits"},
        {false, Action::Fire, SDLK_UP, "Up is already accelerate"},
        {false, Action::Left, SDLK_r, "R is already race again"},
        {false, Action::Camera, SDLK_m, "M shows the track map"},
        {false, Action::Cockpit, SDLK_b, "B takes a replay back"},
        {false, Action::Pause, SDLK_RETURN,
         "Return with Alt switches between a window and the whole screen"},
        {false, Action::Fire, SDLK_F12, "F12 saves a screenshot"},
        {false, Action::Brake, SDLK_UNKNOWN, "that is no key"},
        {true, Action::Fire, SDL_CONTROLLER_BUTTON_LEFTSHOULDER,
         "the shoulders wind replays and show or hide the ghost"},
        {true, Action::RaceAgain, SDL_CONTROLLER_BUTTON_START, "Start is already pause"},
        {true, Action::Fire, SDL_CONTROLLER_BUTTON_MAX, "that is no gamepad button"},
    };
    for (const auto& no : refused) {
        std::string refusal;
        EXPECT_FALSE(no.pad ? bindPadButton(no.action, SDL_GameControllerButton(no.code), refusal)
                            : bindKey(no.action, no.code, refusal))
            << no.says;
        EXPECT_EQ(refusal, no.says);
    }
    EXPECT_EQ(boundLabels(), DEFAULT_LABELS);

    std::string refusal;
    EXPECT_TRUE(bindKey(Action::Fire, SDLK_SPACE, refusal)) << "its own key is no clash";
    EXPECT_TRUE(bindPadButton(Action::Camera, SDL_CONTROLLER_BUTTON_INVALID, refusal))
        << "nor is a second none";
    bind(Action::Accelerate, SDLK_w);
    bind(Action::Brake, SDLK_UP);
    resetKeyBindings();
    EXPECT_EQ(boundLabels(), DEFAULT_LABELS);
    EXPECT_EQ(virtualKeyFromSdl(SDLK_w), 0);
}

TEST_F(KeyBindings, SettingsRoundTripAndASwapIsTakenWhole) {
    Settings settings;
    settings.keys[int(Action::Accelerate)] = "Down";
    settings.keys[int(Action::Brake)] = "up";
    settings.keys[int(Action::Fire)] = "Left Ctrl";
    settings.padButtons[int(Action::Camera)] = "none";
    settings.padButtons[int(Action::RaceAgain)] = "y";
    recordstest::StderrCapture errors;
    applyKeySettings(settings);
    Settings stored;
    storeKeySettings(stored);
    resetKeyBindings();
    applyKeySettings(stored);
    EXPECT_EQ(errors.text(), "");
    EXPECT_EQ(
        boundLabels(),
        "Accelerate: Down, A\nBrake: Up, B\nLeft: Left, D-pad left\nRight: Right, D-pad right\n"
        "Fire: Left Ctrl, X\nCamera: C, -\nCockpit: V, Back\nPause: P, Start\n"
        "Race again: R, Y\n");
}

// The settings file holds what the player changed: one rebind is one line,
// whether the file was new or one an older game wrote with every key in it.
TEST_F(KeyBindings, OneRebindWritesOneKeyLine) {
    std::string everyName = "# Zentrix settings\n";
    for (int index = 0; index < ACTION_COUNT; ++index) {
        const Action action = static_cast<Action>(index);
        everyName += std::string("key.") + actionName(action) + " = " + keyLabel(action) + "\n";
        // The file holds SDL's own names for the buttons, "none" for no button.
        const char* button = SDL_GameControllerGetStringForButton(boundPadButton(action));
        everyName += std::string("pad.") + actionName(action) + " = " +
                     (button != nullptr ? button : "none") + "\n";
    }
    const std::string fired = "key.fire = Left Ctrl\n";
    const struct {
        const char* name;
        std::string before;
        std::string after;
    } cases[] = {
        {"a new file", "",
         "# Zentrix settings, rewritten by the game; man 6 zentrix tells what "
         "each means.\n" +
             fired},
        {"a file naming every key", everyName,
         everyName.replace(everyName.find("key.fire = Space\n"), 17, fired)},
        {"a file naming keys in its own case", "key.accelerate = up\n",
         "key.accelerate = up\n" + fired},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> problems;
        Settings settings = parseSettings(c.before, "settings.ini", problems);
        ASSERT_TRUE(problems.empty());
        resetKeyBindings();
        applyKeySettings(settings);
        std::string refusal;
        ASSERT_TRUE(bindKey(Action::Fire, SDLK_LCTRL, refusal)) << refusal;
        storeKeySettings(settings);
        EXPECT_EQ(settingsText(settings, c.before), c.after);
    }
    resetKeyBindings();
    Settings backToDefault;
    backToDefault.keys[int(Action::Fire)] = "Left Ctrl";
    storeKeySettings(backToDefault);
    EXPECT_EQ(backToDefault.keys[int(Action::Fire)], "") << "the default is held as no name";
    EXPECT_EQ(backToDefault.padButtons[int(Action::RaceAgain)], "");
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

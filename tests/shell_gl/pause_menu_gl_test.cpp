// The pause menu through the game's own event handling: keys, a pad and the
// mouse reach every page and come back, and what is changed is saved.
#include <SDL2/SDL.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>

#include "hud/overlay.h"
#include "input/key_bindings.h"
#include "input/key_commands.h"
#include "menu/pause_menu.h"
#include "menu/player_settings.h"
#include "race/race.h"
#include "render/scene.h"
#include "saves/medals.h"
#include "screen/game_window.h"
#include "screen/overlay_glyphs.h"
#include "screen/picture_target.h"
#include "session/countdown.h"
#include "session/pilot_race.h"
#include "session/race_commands.h"
#include "session/race_records.h"
#include "session/replay_watch.h"
#include "shell/game_frame.h"
#include "shell/window.h"
#include "support/gl_test_window.h"
#include "support/records_fixture.h"
#include "support/screen.h"
#include "track/circuit_generator.h"
#include "track/track.h"

namespace {

void send(SDL_Event event) {
    handleWindowEvent(event);
}

void key(SDL_Keycode code) {
    SDL_Event event{};
    event.type = SDL_KEYDOWN;
    event.key.keysym.sym = code;
    send(event);
}

void pad(SDL_GameControllerButton button) {
    SDL_Event event{};
    event.type = SDL_CONTROLLERBUTTONDOWN;
    event.cbutton.button = static_cast<uint8_t>(button);
    send(event);
}

void mouse(uint32_t type, int x, int y) {
    SDL_Event event{};
    event.type = type;
    event.motion.x = event.button.x = x;
    event.motion.y = event.button.y = y;
    event.button.button = SDL_BUTTON_LEFT;
    send(event);
}

std::string title() {
    return pauseMenuView().title;
}

std::string valueOf(const std::string& label) {
    for (const MenuPanel::Line& line : pauseMenuView().lines) {
        if (line.label == label) {
            return line.value;
        }
    }
    return "(no such line)";
}

class PauseMenu : public testing::Test {
protected:
    static void SetUpTestSuite() {
        testsupport::useSharedGlTestWindow();
        ASSERT_EQ(chdir(ZENTRIX_SOURCE_DIR), 0);
        setupScene(rasterizeOverlayGlyphs());
    }
    void SetUp() override {
        loadSettingsForThisRun(false);
        applyPlayerSettings();
        key(SDLK_p);
        ASSERT_TRUE(pauseMenuShows());
    }
    void TearDown() override {
        resetKeyBindings();
        setHudSize(HudSize::Normal);
        setResolutionScale(100);
        fitPictureToGameWindow();
        gQuitRequested = 0;
        chooseDifficulty(Difficulty::Normal);
        raceOnCircuit(CLASSIC_CIRCUIT);
        lineUpTheGrid();
    }
    std::string settingsFile() {
        return recordstest::readText(home_.root() + "/config/zentrix/settings.ini");
    }

    recordstest::TempDataHome home_;
    recordstest::EnvironmentVariable config_{"XDG_CONFIG_HOME", (home_.root() + "/config").c_str()};
};

TEST_F(PauseMenu, KeysReachEverySettingAndComeBackUpToQuit) {
    EXPECT_EQ(title(), "PAUSED");
    for (int i = 0; i < 4; ++i) {
        key(SDLK_DOWN);
    }
    key(SDLK_RETURN);
    ASSERT_EQ(title(), "SETTINGS");
    key(SDLK_LEFT);  // music
    key(SDLK_s);
    key(SDLK_RETURN);  // effects: from the top round to silence
    key(SDLK_s);       // the screen, which the shared test window keeps as it is
    key(SDLK_DOWN);
    key(SDLK_RIGHT);  // HUD size
    key(SDLK_DOWN);
    key(SDLK_LEFT);  // resolution: down to 75 %, and Enter on to 50 %
    key(SDLK_RETURN);
    key(SDLK_DOWN);
    key(SDLK_RETURN);  // frame rate
    key(SDLK_DOWN);
    key(SDLK_RIGHT);  // difficulty, from the next race on
    EXPECT_EQ(valueOf("Difficulty"), "hard");
    EXPECT_EQ(chosenDifficulty(), Difficulty::Hard);
    EXPECT_EQ(valueOf("Music volume"), "90");
    EXPECT_EQ(valueOf("Effects volume"), "0");
    EXPECT_EQ(hudSize(), HudSize::Large);
    EXPECT_EQ(valueOf("Resolution"), "50 %");
    EXPECT_EQ(resolutionScale(), 50);
    EXPECT_TRUE(pictureIsOffScreen());
    EXPECT_EQ(valueOf("Frame rate"), "on");
    EXPECT_EQ(valueOf("Board"), "none");
    EXPECT_EQ(valueOf("Player"), "none");

    key(SDLK_DOWN);  // past the world board and the player's name
    key(SDLK_DOWN);
    key(SDLK_DOWN);
    key(SDLK_RETURN);
    ASSERT_EQ(title(), "KEYS");
    EXPECT_EQ(pauseMenuView().valueHeading, "Key");
    EXPECT_EQ(pauseMenuView().secondHeading, "Gamepad");
    EXPECT_EQ(pauseMenuView().lines[0].second, "A") << "the pad's own name for its button";
    key(SDLK_RETURN);  // accelerate
    key(SDLK_SPACE);
    EXPECT_EQ(pauseMenuView().note, "Space is already fire");
    key(SDLK_RETURN);
    key(SDLK_w);
    EXPECT_EQ(boundKey(Action::Accelerate), SDLK_w);
    EXPECT_EQ(valueOf("Accelerate"), "W");

    key(SDLK_ESCAPE);
    EXPECT_EQ(title(), "SETTINGS");
    key(SDLK_BACKSPACE);
    EXPECT_EQ(title(), "PAUSED");
    key(SDLK_BACKSPACE);
    EXPECT_EQ(gQuitRequested, 0) << "Backspace at the top goes nowhere";
    // Esc at the top is not the menu's: it quits, as it always has (sent
    // here it would close the window the other tests draw in).
    EXPECT_FALSE(pauseMenuCommand(MenuCommand::Back));

    const std::string saved = settingsFile();
    for (const char* line :
         {"music_volume = 90", "effects_volume = 0", "hud_size = large", "show_frame_rate = on",
          "resolution_scale = 50", "difficulty = hard", "key.accelerate = W"}) {
        EXPECT_NE(saved.find(line), std::string::npos) << line << " in\n" << saved;
    }
    // Only the key rebound has a line: the others stand at their defaults.
    EXPECT_EQ(saved.find("key.", saved.find("key.accelerate") + 1), std::string::npos) << saved;
    EXPECT_EQ(saved.find("pad."), std::string::npos) << saved;
}

TEST_F(PauseMenu, APadMovesSelectsAndGoesBack) {
    pad(SDL_CONTROLLER_BUTTON_DPAD_UP);
    pad(SDL_CONTROLLER_BUTTON_DPAD_UP);
    EXPECT_EQ(pauseMenuView().lines[pauseMenuView().chosen].label, "Championship");
    pad(SDL_CONTROLLER_BUTTON_DPAD_UP);
    pad(SDL_CONTROLLER_BUTTON_A);
    ASSERT_EQ(title(), "SETTINGS") << "up from the top wraps round past Quit to Settings";
    pad(SDL_CONTROLLER_BUTTON_DPAD_LEFT);
    EXPECT_EQ(valueOf("Music volume"), "90");
    pad(SDL_CONTROLLER_BUTTON_B);
    EXPECT_EQ(title(), "PAUSED");
    EXPECT_EQ(pauseMenuView().chosen, 4) << "back on the line it was left from";
    pad(SDL_CONTROLLER_BUTTON_DPAD_DOWN);
    pad(SDL_CONTROLLER_BUTTON_DPAD_DOWN);
    pad(SDL_CONTROLLER_BUTTON_DPAD_DOWN);
    pad(SDL_CONTROLLER_BUTTON_A);  // round past Quit to Resume
    EXPECT_FALSE(raceIsPaused());
}

// The mouse finds the lines where they are drawn: the chosen one is yellow.
TEST_F(PauseMenu, TheMousePointsAtALineAndClicksIt) {
    const testsupport::Screen screen = [] {
        const testsupport::FramesKeptInBackBuffer kept;
        drawGameFrame(1.0);
        return testsupport::Screen();
    }();
    int left = screen.width();
    int top = screen.height();
    for (int y = 120; y < 650; ++y) {  // clear of the place digit and the map
        for (int x = 120; x < 900; ++x) {
            const testsupport::Pixel p = screen.at(x, y);
            if (p[0] > 180 && p[1] > 180 && p[2] + 60 < p[0]) {
                left = std::min(left, x);
                top = std::min(top, y);
            }
        }
    }
    ASSERT_LT(top, screen.height()) << "the chosen line, Resume, is drawn in yellow";
    const int settingsY = top + static_cast<int>(4.0f * overlayLineHeight()) + 2;
    mouse(SDL_MOUSEMOTION, left + 4, settingsY);
    EXPECT_EQ(pauseMenuView().chosen, 4);
    mouse(SDL_MOUSEBUTTONDOWN, left + 4, settingsY);
    EXPECT_EQ(title(), "SETTINGS");
}

TEST_F(PauseMenu, ACircuitTypedIsRacedAtOnce) {
    key(SDLK_4);
    key(SDLK_8);
    key(SDLK_9);
    key(SDLK_BACKSPACE);
    EXPECT_EQ(valueOf("Circuit"), "48_");
    key(SDLK_RETURN);
    EXPECT_EQ(gTrack.circuitNumber(), 48u);
    EXPECT_FALSE(raceIsPaused());
    EXPECT_FALSE(pauseMenuShows());
}

// Esc while typing ends the typing, the way it ends a key being bound; only
// the next Esc, on the top page, would quit.
TEST_F(PauseMenu, EscEndsATypedCircuitAndStaysInTheMenu) {
    const std::string offered = valueOf("Circuit");
    const uint32_t circuit = gTrack.circuitNumber();
    key(SDLK_7);
    key(SDLK_1);
    ASSERT_EQ(valueOf("Circuit"), "71_");
    key(SDLK_ESCAPE);
    EXPECT_EQ(gQuitRequested, 0);
    EXPECT_TRUE(pauseMenuShows());
    EXPECT_EQ(title(), "PAUSED");
    EXPECT_EQ(valueOf("Circuit"), offered) << "the typed number is dropped";
    EXPECT_FALSE(pauseMenuCommand(MenuCommand::Back)) << "Esc at the top quits again";
    key(SDLK_RETURN);
    EXPECT_EQ(title(), "CLASSIC") << "Enter opens the page of the circuit offered";
    EXPECT_EQ(gTrack.circuitNumber(), circuit);
}

std::vector<std::string> labels() {
    std::vector<std::string> all;
    for (const MenuPanel::Line& line : pauseMenuView().lines) {
        all.push_back(line.label);
    }
    return all;
}

// The circuit's page races it or time-trials it, shows the pilot's run, and
// once a time trial worked them out, its medal times and the next one to win.
TEST_F(PauseMenu, TheCircuitPageTimeTrialsWatchesThePilotAndShowsTheMedals) {
    loadRaceRecords();  // this test's own empty records
    key(SDLK_DOWN);
    key(SDLK_DOWN);
    key(SDLK_RETURN);
    ASSERT_EQ(title(), "CLASSIC");
    const std::vector<std::string> offered = labels();
    ASSERT_GE(offered.size(), 5u);
    EXPECT_EQ(std::vector<std::string>(offered.begin(), offered.begin() + 4),
              (std::vector<std::string>{"Race", "Time trial", "Race the pilot's ghost",
                                        "Watch the pilot"}));
    EXPECT_EQ(offered.back(), "Back");

    key(SDLK_DOWN);
    key(SDLK_RETURN);  // Time trial
    EXPECT_FALSE(pauseMenuShows());
    EXPECT_EQ(raceMode(), RaceMode::TimeTrial);
    EXPECT_TRUE(countdownHolds());
    const std::optional<MedalTimes> medals = knownMedalTimes(CLASSIC_CIRCUIT);
    ASSERT_TRUE(medals) << "worked out as the first time trial was lined up";

    key(SDLK_p);
    EXPECT_EQ(valueOf("Circuit"), "classic - bronze " + medalTimeText(medals->bronzeMs))
        << "none held yet: bronze is the one to win";
    key(SDLK_DOWN);
    key(SDLK_DOWN);
    key(SDLK_RETURN);
    EXPECT_EQ(valueOf("gold"), medalTimeText(medals->goldMs));
    EXPECT_EQ(valueOf("pilot"), medalTimeText(medals->pilotMs));

    key(SDLK_DOWN);
    key(SDLK_DOWN);
    key(SDLK_DOWN);
    key(SDLK_RETURN);  // Watch the pilot
    EXPECT_TRUE(watchingReplay());
    EXPECT_EQ(watchedMode(), RaceMode::TimeTrial);
    EXPECT_EQ(watchedTicks(), pilotRunOf(CLASSIC_CIRCUIT).controls.size());
    key(SDLK_ESCAPE);
    EXPECT_EQ(gQuitRequested, 0) << "watching from the menu, Esc comes back to racing";
    EXPECT_FALSE(watchingReplay());
    EXPECT_EQ(raceMode(), RaceMode::TimeTrial) << "the mode chosen before";

    chooseRaceMode(RaceMode::Race);
    stopCountdown();
}

}  // namespace

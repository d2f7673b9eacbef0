// R, P, the finish and a time trial's countdown through the game's own frame,
// in a window with the real scene: R gives back the race as launch lined it
// up, whatever came before.
#include <GL/gl.h>
#include <SDL2/SDL.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>

#include "audio/sound.h"
#include "craft/opponent.h"
#include "input/key_state.h"
#include "menu/pause_menu.h"
#include "models/palette.h"
#include "race/camera.h"
#include "race/lap_clock.h"
#include "race/race.h"
#include "race/race_result.h"
#include "render/scene.h"
#include "screen/overlay_glyphs.h"
#include "session/countdown.h"
#include "session/race_commands.h"
#include "session/race_recording.h"
#include "shell/game_frame.h"
#include "shell/window.h"
#include "support/finish_script.h"
#include "support/gl_test_window.h"
#include "support/race_state.h"
#include "support/screen.h"

using testsupport::DrawnValues;
using testsupport::expectSameRace;
using testsupport::RaceState;
using testsupport::Screen;

namespace {

uint32_t gNow = 0;
uint32_t testClock() {
    return gNow;
}

constexpr uint32_t LAUNCH_MS = 7000;
constexpr uint32_t FRAME_MS = 16;

SDL_Event windowEvent(SDL_Window* window, SDL_WindowEventID id) {
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.windowID = SDL_GetWindowID(window);
    event.window.event = id;
    return event;
}

void pressKey(SDL_Keycode key) {
    SDL_Event event{};
    event.type = SDL_KEYDOWN;
    event.key.keysym.sym = key;
    handleWindowEvent(event);
}

void frame() {
    gNow += FRAME_MS;
    renderFrame();
}

Screen frameSeen() {
    const testsupport::FramesKeptInBackBuffer kept;
    frame();
    return Screen();
}

// The colour a craft's display list leaves current: its last object's.
Color3 listColour(const Opponent& opponent) {
    glCallList(opponent.model.displayList);
    GLfloat colour[4] = {};
    glGetFloatv(GL_CURRENT_COLOR, colour);
    return Color3(colour[0], colour[1], colour[2]);
}

class RaceAgain : public testing::Test {
protected:
    static void SetUpTestSuite() {
        testsupport::useSharedGlTestWindow();
        ASSERT_EQ(chdir(ZENTRIX_SOURCE_DIR), 0);
        LapClock::setSource(testClock);
        gNow = LAUNCH_MS;
        std::srand(1);  // as a game that never seeds the generator
        setupScene(rasterizeOverlayGlyphs());
        launch_ = new RaceState(RaceState::now());
    }
    // The shell's tests that follow find the race as a launch leaves it.
    static void TearDownTestSuite() {
        gNow = LAUNCH_MS;
        std::srand(1);
        lineUpTheGrid();
        LapClock::setSource(nullptr);
    }

    void SetUp() override {
        releaseAllKeys();
        gCameraMode = 0;
        gCockpitView = 0;
    }
    void TearDown() override {
        releaseAllKeys();
        resumeRace();
        stopCountdown();
        if (onRaceTicks_) {
            LapClock::setSource(testClock);
            pressKey(SDLK_r);  // the next test finds a grid on the test's clock
        }
        gCameraMode = 0;
    }

    // A time trial's grid: lined up, its countdown started, the clock on the race's ticks.
    void lineUpACountdown() {
        LapClock::setSource(nullptr);
        onRaceTicks_ = true;
        pressKey(SDLK_r);
        startCountdown();
    }
    // The picture of the latest tick, drawn without running another.
    static Screen pictureNow() {
        const testsupport::FramesKeptInBackBuffer kept;
        drawGameFrame(1.0);
        return Screen();
    }
    static void ticks(int count) {
        for (int n = 0; n < count; ++n) {
            runRaceTick();
        }
    }
    // The countdown's band just above the middle: white digits, a green GO.
    static int countdownPixels(const Screen& screen, bool go) {
        const auto green = [](const testsupport::Pixel& p) {
            return p[1] > 200 && p[0] < 80 && p[2] < 80;
        };
        return go ? screen.count(470, 300, 554, 380, green)
                  : screen.count(470, 300, 554, 380, testsupport::isWhite);
    }

    // R later on, with rand wherever the frames left it: the race seeds it again.
    static void raceAgainWithLaunchDraws() {
        gNow = 900000;
        std::rand();
        pressKey(SDLK_r);
    }

    static RaceState* launch_;
    bool onRaceTicks_ = false;
};
RaceState* RaceAgain::launch_ = nullptr;

TEST_F(RaceAgain, RMidRaceLinesUpTheGridExactlyAsAtLaunchAndTheCameraCarriesOn) {
    recordKeyDown(VK_UP);
    recordKeyDown(VK_SPACE);
    for (int n = 0; n < 90; ++n) {
        frame();
    }
    pressKey(SDLK_c);
    ASSERT_GT(gPlayer.speed, 50.0f);
    ASSERT_EQ(gProjectile.active, 1);
    releaseAllKeys();

    raceAgainWithLaunchDraws();
    expectSameRace(*launch_, RaceState::now());
    EXPECT_EQ(gCameraMode, 1) << "the chosen camera carries on";
}

TEST_F(RaceAgain, RAfterTheFinishLinesUpTheGridExactlyAsAtLaunch) {
    for (const uint32_t lapEnd : {41000u, 82000u, 125000u}) {
        gNow = gLapClock.startMs + lapEnd;
        ASSERT_GT(testsupport::flyOverTheLine(frame), 0);
    }
    ASSERT_TRUE(raceIsFinished());
    ASSERT_TRUE(pauseOrFinishPanelShows());
    const uint32_t raceMs = gLapClock.elapsedMs();
    for (int n = 0; n < 30; ++n) {
        frame();
    }
    EXPECT_EQ(gLapClock.elapsedMs(), raceMs) << "the clock stood at the finish";

    raceAgainWithLaunchDraws();
    expectSameRace(*launch_, RaceState::now());
    EXPECT_FALSE(pauseOrFinishPanelShows());
}

// Every race starts rand from the same seed, so no race depends on the ones
// before it: R lines up the launch grid in the launch colours, drawn and shown.
TEST_F(RaceAgain, RWhilePausedRacesAtOnceOnTheLaunchGridInItsColours) {
    for (int n = 0; n < 20; ++n) {
        frame();
    }
    pressKey(SDLK_p);
    ASSERT_TRUE(raceIsPaused());
    gNow = 900000;
    std::rand();  // frames and sounds draw from rand between races
    pressKey(SDLK_r);
    EXPECT_FALSE(raceIsPaused());
    expectSameRace(*launch_, RaceState::now());

    for (int i = 0; i < OPPONENT_COUNT; ++i) {
        const std::vector<MeshObject>& objects = gOpponents[i].model.objects;
        ASSERT_FALSE(objects.empty());
        const Color3 drawn = objects.back().color;
        // The list paints the part in its opponent's map colour, in a shade
        // from 0.55 for a black draw to 1 for a white one.
        const Color3 shown = listColour(gOpponents[i]);
        const Rgba paint = lookupColor(COLOR_BLUE + i);
        const double shade = 0.55 + 0.45 * (drawn.r + drawn.g + drawn.b) / 3.0;
        EXPECT_NEAR(shown.r, paint[0] * shade, 1e-6) << "opponent " << i;
        EXPECT_NEAR(shown.g, paint[1] * shade, 1e-6) << "opponent " << i;
        EXPECT_NEAR(shown.b, paint[2] * shade, 1e-6) << "opponent " << i;
        const Color3 atLaunch = launch_->opponentColours[i].back();
        EXPECT_EQ(drawn.r, atLaunch.r) << "opponent " << i;
        EXPECT_EQ(drawn.g, atLaunch.g) << "opponent " << i;
        EXPECT_EQ(drawn.b, atLaunch.b) << "opponent " << i;
    }
    frame();
    EXPECT_EQ(gFrameCounter, 1) << "and it runs";
}

TEST_F(RaceAgain, APausedFrameIsTheSamePictureUnderPausedUntilPResumes) {
    recordKeyDown(VK_UP);
    for (int n = 0; n < 40; ++n) {
        frame();
    }
    pressKey(SDLK_p);
    const RaceState paused = RaceState::now();
    const Screen first = frameSeen();
    gNow += 1000;
    const Screen second = frameSeen();
    EXPECT_TRUE(first == second) << "the glow, the clock and the craft hold still";
    expectSameRace(paused, RaceState::now());
    EXPECT_GT(first.count(480, 280, 544, 320, testsupport::isWhite), 20)
        << "PAUSED, the menu's title";

    pressKey(SDLK_p);
    const Screen resumed = frameSeen();
    EXPECT_FALSE(resumed == second);
    EXPECT_EQ(resumed.count(480, 280, 544, 320, testsupport::isWhite), 0);
    EXPECT_EQ(gFrameCounter, (paused.frameCounter + 1) % FRAME_COUNTER_MODULUS);
}

TEST_F(RaceAgain, ACountdownHoldsTheGridThreeSecondsWithUpHeldAndTheRaceMovesAtGo) {
    lineUpACountdown();
    recordKeyDown(VK_UP);
    recordKeyDown(VK_SPACE);  // tapped in the countdown, it must not fire at GO
    recordKeyUp(VK_SPACE);
    gEngineFrequency = 20000;
    const Screen three = pictureNow();
    ticks(179);
    EXPECT_EQ(countdownShows(), 1);
    ticks(1);
    EXPECT_EQ(gTicksThisRace, 0);
    EXPECT_EQ(gLapClock.elapsedMs(), 0u) << "the clock waits for GO";
    EXPECT_EQ(gPlayer.speed, 0.0f);
    EXPECT_TRUE(recordedRace().controls.empty()) << "nothing of the countdown is recorded";
    EXPECT_EQ(gEngineFrequency, 20000 + 180 * 200) << "Up revs the engine on the grid";

    ticks(1);
    EXPECT_EQ(gTicksThisRace, 1) << "GO: the race moves on this tick";
    EXPECT_GT(gPlayer.speed, 0.0f);
    EXPECT_EQ(gProjectile.active, 0);
    EXPECT_EQ(recordedRace().controls.size(), 1u);
    const Screen go = pictureNow();
    ticks(RACE_TICKS_PER_SECOND);
    EXPECT_GT(countdownPixels(three, false), 20) << "3";
    EXPECT_GT(countdownPixels(go, true), 20) << "GO";
    EXPECT_EQ(countdownPixels(pictureNow(), true), 0) << "GO shows for a second";
}

TEST_F(RaceAgain, PausedInTheCountdownItStandsUnderTheMenuAndRLinesUpARaceWithNone) {
    lineUpACountdown();
    ticks(70);
    ASSERT_EQ(countdownShows(), 2);
    pressKey(SDLK_p);
    ASSERT_TRUE(raceIsPaused());
    recordKeyDown(VK_UP);
    const int32_t engine = gEngineFrequency;
    ticks(300);
    EXPECT_EQ(gEngineFrequency, engine) << "the engine holds with the pause";
    releaseAllKeys();
    EXPECT_EQ(countdownShows(), 2);
    EXPECT_TRUE(countdownHolds());
    EXPECT_TRUE(pauseMenuShows());
    pressKey(SDLK_p);
    ticks(110);
    EXPECT_TRUE(countdownHolds()) << "180 ticks counted, the pause's left out";
    EXPECT_EQ(gTicksThisRace, 0);
    ticks(1);
    EXPECT_FALSE(countdownHolds());
    EXPECT_EQ(gTicksThisRace, 1);

    // Paused while GO shows, the menu is drawn with no GO over it.
    pressKey(SDLK_p);
    const Screen withGo = pictureNow();
    stopCountdown();
    EXPECT_TRUE(withGo == pictureNow());

    lineUpACountdown();
    ticks(30);
    pressKey(SDLK_r);
    EXPECT_EQ(countdownShows(), std::nullopt);
    ticks(1);
    EXPECT_EQ(gTicksThisRace, 1) << "a race starts at once";
}

}  // namespace

TEST(FocusLoss, TheGameWindowLosingFocusPausesUntilP) {
    testsupport::GlTestWindow window;
    SDL_Window* game = window.window();
    resumeRace();
    handleWindowEvent(windowEvent(game, SDL_WINDOWEVENT_FOCUS_LOST));
    EXPECT_TRUE(raceIsPaused());
    handleWindowEvent(windowEvent(game, SDL_WINDOWEVENT_FOCUS_GAINED));
    EXPECT_TRUE(raceIsPaused()) << "back at the window, the race waits for P";
    handleWindowEvent(windowEvent(game, SDL_WINDOWEVENT_FOCUS_LOST));
    EXPECT_TRUE(raceIsPaused()) << "a second loss must not toggle the pause off";
    pressKey(SDLK_p);
    EXPECT_FALSE(raceIsPaused());

    // Another window of this process losing focus is none of the race's business.
    SDL_Window* other = SDL_CreateWindow("other", 0, 0, 64, 64, SDL_WINDOW_HIDDEN);
    ASSERT_NE(other, nullptr);
    handleWindowEvent(windowEvent(other, SDL_WINDOWEVENT_FOCUS_LOST));
    EXPECT_FALSE(raceIsPaused());
    SDL_DestroyWindow(other);
}

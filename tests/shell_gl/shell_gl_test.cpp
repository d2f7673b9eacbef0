#include <GL/gl.h>
#include <SDL2/SDL.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <optional>

#include "input/joystick.h"
#include "input/key_commands.h"
#include "race/camera.h"
#include "race/race.h"
#include "screen/display.h"
#include "screen/game_window.h"
#include "screen/quit_message.h"
#include "shell/game_frame.h"
#include "shell/loop_pacer.h"
#include "shell/still_picture.h"
#include "shell/window.h"
#include "support/fake_pacer_clock.h"
#include "support/gl_test_window.h"
#include "support/test_display.h"

namespace {
// A loop turn from the first chase camera, with no event left by a test before.
void startWithNoEventsWaiting() {
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    gCameraMode = 0;
    gQuitRequested = 0;
}

void pushKeyDown(SDL_Keycode key) {
    SDL_Event event{};
    event.type = SDL_KEYDOWN;
    event.key.keysym.sym = key;
    SDL_PushEvent(&event);
}

TEST(ShellGl, TheWindowIsOneBorderless1024By768ZentrixWindowWithDepthAndTwoBuffers) {
    testsupport::GlTestWindow window;
    SDL_Window* shown = window.window();
    EXPECT_EQ(gWindow, shown);
    EXPECT_EQ(SDL_GL_GetCurrentContext(), gRenderContext);
    EXPECT_STREQ(SDL_GetWindowTitle(shown), "Zentrix - classic");
    int width = 0;
    int height = 0;
    SDL_GetWindowSize(shown, &width, &height);
    EXPECT_EQ(width, SCREEN_WIDTH);
    EXPECT_EQ(height, SCREEN_HEIGHT);
    const Uint32 flags = SDL_GetWindowFlags(shown);
    EXPECT_TRUE(flags & SDL_WINDOW_OPENGL);
    EXPECT_TRUE(flags & SDL_WINDOW_BORDERLESS);
    EXPECT_TRUE(flags & SDL_WINDOW_SHOWN);
    EXPECT_FALSE(flags & SDL_WINDOW_HIDDEN);
    int doubleBuffer = 0;
    int depth = 0;
    int red = 0;
    SDL_GL_GetAttribute(SDL_GL_DOUBLEBUFFER, &doubleBuffer);
    SDL_GL_GetAttribute(SDL_GL_DEPTH_SIZE, &depth);
    SDL_GL_GetAttribute(SDL_GL_RED_SIZE, &red);
    EXPECT_EQ(doubleBuffer, 1);
    EXPECT_GE(depth, 24);
    EXPECT_EQ(red, 8);
}

TEST(ShellGl, ALoopTurnHandlesEveryWaitingKeyThenDrawsOneFrameAndWaitsForTheTick) {
    testsupport::GlTestWindow window;
    startWithNoEventsWaiting();
    testsupport::FakePacerClock clock;
    LoopPacer pacer(clock, RACE_TICKS_PER_SECOND, DrawPacing{});
    gFrameCounter = 1;  // no refresh of the race position, which later tests expect unset
    pushKeyDown(SDLK_c);
    pushKeyDown(SDLK_c);
    EXPECT_EQ(runLoopTurn(pacer), std::nullopt);
    EXPECT_EQ(gCameraMode, 2);
    EXPECT_EQ(gFrameCounter, 2);
    EXPECT_EQ(clock.sleeps.size(), 1u);

    // The quit message ends the game with its code, before another frame.
    postQuitMessage(3);
    EXPECT_EQ(runLoopTurn(pacer), 3);
    EXPECT_EQ(gFrameCounter, 2);
    EXPECT_EQ(clock.sleeps.size(), 1u);
    gCameraMode = 0;
}

// Paused, the loop draws the paused picture once and then waits on events;
// a key ends the wait and is handled in the next turn, which draws again.
TEST(ShellGl, APausedLoopDrawsOnceThenWaitsForAnEvent) {
    testsupport::GlTestWindow window;
    startWithNoEventsWaiting();
    testsupport::FakePacerClock clock;
    LoopPacer pacer(clock, RACE_TICKS_PER_SECOND, DrawPacing{});
    StillPicture still(clock);
    pauseRace();
    EXPECT_EQ(runLoopTurn(pacer, nullptr, &still), std::nullopt);
    ASSERT_EQ(clock.sleeps.size(), 1u) << "the paused picture drawn, then the wait for the tick";
    const Uint64 before = SDL_GetTicks64();
    EXPECT_EQ(runLoopTurn(pacer, nullptr, &still), std::nullopt);
    EXPECT_EQ(clock.sleeps.size(), 1u) << "no frame drawn: none paced";
    EXPECT_GE(SDL_GetTicks64() - before, 50u) << "the turn waited on events";

    // SDL may leave an event pushed during a turn's polling for the next
    // poll: the wait ends at once, and the turn after handles it.
    pushKeyDown(SDLK_c);
    for (int turn = 0; turn < 2 && clock.sleeps.size() == 1u; ++turn) {
        EXPECT_EQ(runLoopTurn(pacer, nullptr, &still), std::nullopt);
    }
    EXPECT_EQ(gCameraMode, 1);
    EXPECT_EQ(clock.sleeps.size(), 2u) << "the changed picture is drawn";
    resumeRace();
    EXPECT_EQ(runLoopTurn(pacer, nullptr, &still), std::nullopt);
    EXPECT_EQ(clock.sleeps.size(), 3u) << "a running race draws every turn";
    gCameraMode = 0;
}

TEST(ShellGl, EscInALoopTurnClosesTheWindowAndEndsTheGameWithStatusZero) {
    testsupport::ensureTestDisplay();
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0);
    ASSERT_NE(openGameWindow(WindowContents::Bare), nullptr);
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    gQuitRequested = 0;
    testsupport::FakePacerClock clock;
    LoopPacer pacer(clock, RACE_TICKS_PER_SECOND, DrawPacing{});
    pushKeyDown(SDLK_ESCAPE);
    EXPECT_EQ(runLoopTurn(pacer), 0);
    EXPECT_EQ(gWindow, nullptr);
    EXPECT_EQ(gRenderContext, nullptr);
    EXPECT_EQ(gQuitRequested, 1);
    gQuitRequested = 0;
}

TEST(ShellGl, FixedStateLeavesCullingOffAndDepthTestOn) {
    testsupport::GlTestWindow window;
    initGlState();
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_FALSE(glIsEnabled(GL_CULL_FACE));
    GLint cullMode = 0;
    glGetIntegerv(GL_CULL_FACE_MODE, &cullMode);
    EXPECT_EQ(cullMode, GL_BACK);
    GLint shade = 0;
    glGetIntegerv(GL_SHADE_MODEL, &shade);
    EXPECT_EQ(shade, GL_SMOOTH);
    GLfloat clear[4];
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    EXPECT_EQ(clear[0], 0.0f);
    EXPECT_EQ(clear[1], 0.0f);
    EXPECT_EQ(clear[2], 0.0f);
    EXPECT_EQ(clear[3], 1.0f);
}

TEST(ShellGl, AZeroHeightResizeGivesAOnePixelViewport) {
    testsupport::GlTestWindow window;
    resizeViewport(800, 0);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 800);
    EXPECT_EQ(viewport[3], 1);
    resizeViewport(SCREEN_WIDTH, SCREEN_HEIGHT);
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 1024);
    EXPECT_EQ(viewport[3], 768);
}

TEST(ShellGl, EachFrameLoadsTheFixedProjectionAndAdvancesTheCounter) {
    testsupport::GlTestWindow window;
    gFrameCounter = 358;
    renderFrame();
    EXPECT_EQ(gFrameCounter, 359);
    renderFrame();
    EXPECT_EQ(gFrameCounter, 0);

    // A resize changes only the viewport: the next frame's aspect is still 1.3.
    resizeViewport(500, 500);
    renderFrame();
    GLdouble projection[16];
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    const double f = 1.0 / std::tan(20.0 * M_PI / 180.0);
    EXPECT_NEAR(projection[0], f / 1.3, 1e-5);
    EXPECT_NEAR(projection[5], f, 1e-5);
    EXPECT_NEAR(projection[10], -(1900000.0 + 1.0) / (1900000.0 - 1.0), 1e-6);
    EXPECT_NEAR(projection[14], -2.0 * 1900000.0 / (1900000.0 - 1.0), 1e-5);
}

// Window creation and destruction as the game does them, in this process.
TEST(ShellGl, DestroyingTheWindowReleasesEverythingAndPostsQuit) {
    testsupport::ensureTestDisplay();
    // The scene reads data/ relative to the working directory, as the game does.
    ASSERT_EQ(chdir(testsupport::sourcePath("").c_str()), 0);
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0);
    SDL_Window* window = openGameWindow(WindowContents::Game);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(gWindow, window);
    EXPECT_NE(gRenderContext, nullptr);
    EXPECT_EQ(gPalette, nullptr);
    EXPECT_EQ(SDL_GL_GetCurrentContext(), gRenderContext);
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_NE(gJoystickState, nullptr) << "the joystick record is ready for the frames";

    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    destroyGameWindow();
    EXPECT_EQ(gWindow, nullptr);
    EXPECT_EQ(gRenderContext, nullptr);
    EXPECT_EQ(SDL_GL_GetCurrentContext(), nullptr);
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_ENABLE);
    SDL_Event event;
    ASSERT_EQ(SDL_PeepEvents(&event, 1, SDL_GETEVENT, quitMessageType(), quitMessageType()), 1);
    EXPECT_EQ(event.user.code, 0);

    // A second close request (the window manager's after Esc) does nothing more.
    destroyGameWindow();
    EXPECT_EQ(SDL_PeepEvents(&event, 1, SDL_GETEVENT, quitMessageType(), quitMessageType()), 0);
    // A frame with no context left still runs its tick without touching a window.
    const int32_t before = gFrameCounter;
    renderFrame();
    EXPECT_EQ(gFrameCounter, (before + 1) % FRAME_COUNTER_MODULUS);
}

}  // namespace

// The game draws one 1024 x 768 picture whatever the window: straight into a
// window of that size, off screen for any other, then scaled into the window
// between black bars.
#include <GL/gl.h>
#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <utility>

#include "input/key_commands.h"
#include "race/lap_clock.h"
#include "race/race.h"
#include "screen/display.h"
#include "screen/game_window.h"
#include "screen/picture_target.h"
#include "screen/window_placement.h"
#include "shell/game_frame.h"
#include "shell/options.h"
#include "shell/window.h"
#include "support/gl_test_window.h"
#include "support/saved_race.h"
#include "support/scene_window.h"
#include "support/screen.h"
#include "support/screen_target.h"
#include "support/test_display.h"

using testsupport::Pixel;
using testsupport::Screen;

namespace {

uint32_t fixedClock() {
    return 123456;
}

GLint boundDrawFramebuffer() {
    GLint bound = -1;
    glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &bound);
    return bound;
}

class PictureOnAnyWindow : public testsupport::SceneWindowTest {
protected:
    static void SetUpTestSuite() {
        // The tests resize the game window: its frames are shown in it, and
        // drawTheMoment keeps the one it reads.
        ASSERT_NO_FATAL_FAILURE(openSceneWindow(fixedClock, Frames::Shown));
        // Some way into the race, so the opponents and the craft are in the picture.
        for (int i = 0; i < 90; ++i) {
            gPlayer.speed = 20.0f;
            stepRace(KeyboardInput{});
        }
        moment_ = new testsupport::SavedRace();
    }
    static void TearDownTestSuite() {
        delete moment_;
        closeSceneWindow();  // later tests expect the race as they found it
    }
    void TearDown() override {
        setResolutionScale(100);
        testsupport::resizeGameWindow(SCREEN_WIDTH, SCREEN_HEIGHT);
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }

    // One frame from the same moment of the race, read before it is shown.
    static Screen drawTheMoment() {
        moment_->restore();
        std::srand(11);  // the exhaust glow's jitter
        const testsupport::FramesKeptInBackBuffer kept;
        renderFrame();
        return Screen();
    }

    static testsupport::SavedRace* moment_;
};
testsupport::SavedRace* PictureOnAnyWindow::moment_ = nullptr;

TEST_F(PictureOnAnyWindow, AWindowOfThePicturesOwnSizeIsDrawnStraightInto) {
    testsupport::resizeGameWindow(SCREEN_WIDTH, SCREEN_HEIGHT);
    EXPECT_FALSE(pictureIsOffScreen());
    EXPECT_EQ(boundDrawFramebuffer(), 0);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], SCREEN_WIDTH);
    EXPECT_EQ(viewport[3], SCREEN_HEIGHT);
    EXPECT_EQ(pictureInWindow(), (ScreenRect{0, 0, SCREEN_WIDTH, SCREEN_HEIGHT}));
}

// Lit pixels in each of the picture's outermost columns and rows: a black bar
// would leave one of them empty.
void expectNoBars(const Screen& screen) {
    const int w = screen.width();
    const int h = screen.height();
    EXPECT_GT(screen.count(0, 0, 1, h, testsupport::isLit), h / 2) << "left edge";
    EXPECT_GT(screen.count(w - 1, 0, w, h, testsupport::isLit), h / 2) << "right edge";
    EXPECT_GT(screen.count(0, 0, w, 1, testsupport::isLit), w / 2) << "top edge";
    EXPECT_GT(screen.count(0, h - 1, w, h, testsupport::isLit), w / 2) << "bottom edge";
}

TEST_F(PictureOnAnyWindow, AnyWindowIsDrawnStraightIntoAtItsOwnPixels) {
    const Screen direct = drawTheMoment();
    ASSERT_TRUE(drawTheMoment() == direct) << "the same moment draws the same picture";
    ASSERT_GT(direct.count(0, 0, SCREEN_WIDTH, SCREEN_HEIGHT, testsupport::isLit), 500000);
    for (const auto& [width, height] : {std::pair{800, 500}, std::pair{640, 700}}) {
        SCOPED_TRACE(testing::Message() << width << " x " << height);
        testsupport::resizeGameWindow(width, height);
        EXPECT_FALSE(pictureIsOffScreen());
        EXPECT_EQ(boundDrawFramebuffer(), 0);
        GLint viewport[4];
        glGetIntegerv(GL_VIEWPORT, viewport);
        EXPECT_EQ(viewport[2], width);
        EXPECT_EQ(viewport[3], height);
        EXPECT_EQ(pictureInWindow(), (ScreenRect{0, 0, width, height}));
        drawTheMoment();
        expectNoBars(Screen::presentedInWindow(width, height));
    }
    // Back at 1024 x 768: pixel for pixel as before.
    testsupport::resizeGameWindow(SCREEN_WIDTH, SCREEN_HEIGHT);
    EXPECT_TRUE(drawTheMoment() == direct);
}

// The mean brightness of a block of the 4:3 picture and of the same part of
// the world in the middle of a 16:9 one, 1.40625 times as large.
TEST_F(PictureOnAnyWindow, AWideScreenIsFilledAndItsMiddleShowsTheFourByThreePicture) {
    const Screen narrow = drawTheMoment();
    Screen wide = narrow;
    {
        const testsupport::ScreenTarget target(1920, 1080);
        ASSERT_TRUE(target.ready());
        drawTheMoment();
        wide = target.read();
    }
    expectNoBars(wide);
    // Clear of the HUD's corners: the place digit, the clock and the map.
    constexpr double SCALE = 1080.0 / 768.0;
    constexpr int BLOCK = 64;
    int compared = 0;
    for (int y = 2 * BLOCK; y + BLOCK <= 576; y += BLOCK) {
        for (int x = 2 * BLOCK; x + BLOCK <= 768; x += BLOCK) {
            const int wx = 240 + static_cast<int>(x * SCALE);
            const int wy = static_cast<int>(y * SCALE);
            const int size = static_cast<int>(BLOCK * SCALE);
            EXPECT_NEAR(wide.meanBrightness(wx, wy, wx + size, wy + size),
                        narrow.meanBrightness(x, y, x + BLOCK, y + BLOCK), 8.0)
                << "block at " << x << ", " << y;
            ++compared;
        }
    }
    EXPECT_GT(compared, 20);
}

TEST_F(PictureOnAnyWindow, AtAReducedScaleTheRaceIsDrawnSmallerAndTheHudStaysSharp) {
    const Screen full = drawTheMoment();
    const auto clock = full.bounds(testsupport::isRed);
    ASSERT_GE(clock[2], 0) << "the clock is drawn";
    const int clockRed =
        full.count(clock[0], clock[1], clock[2] + 1, clock[3] + 1, testsupport::isRed);
    for (const int percent : {75, 50}) {
        SCOPED_TRACE(percent);
        setResolutionScale(percent);
        fitPictureToGameWindow();
        ASSERT_TRUE(pictureIsOffScreen());
        EXPECT_EQ(racePictureSize(),
                  (ScreenRect{0, 0, SCREEN_WIDTH * percent / 100, SCREEN_HEIGHT * percent / 100}));
        const Screen scaled = drawTheMoment();
        for (int qx = 0; qx < 2; ++qx) {
            for (int qy = 0; qy < 2; ++qy) {
                EXPECT_NEAR(
                    scaled.meanBrightness(qx * 512, qy * 384, qx * 512 + 512, qy * 384 + 384),
                    full.meanBrightness(qx * 512, qy * 384, qx * 512 + 512, qy * 384 + 384), 3.0)
                    << "quarter " << qx << "," << qy;
            }
        }
        // Text drawn small and scaled up would smear its red.
        const int red =
            scaled.count(clock[0], clock[1], clock[2] + 1, clock[3] + 1, testsupport::isRed);
        EXPECT_NEAR(red, clockRed, clockRed / 10);
    }
    setResolutionScale(100);
    fitPictureToGameWindow();
    EXPECT_FALSE(pictureIsOffScreen());
    EXPECT_TRUE(drawTheMoment() == full);
}

TEST_F(PictureOnAnyWindow, AWindowedGameAt1024By768ShowsTheFullScreensPicture) {
    const Screen fullScreen = drawTheMoment();
    placeGameWindow(gWindow, DisplayChoice::Windowed);
    SDL_PumpEvents();
    fitPictureToGameWindow();
    EXPECT_TRUE(SDL_GetWindowFlags(gWindow) & SDL_WINDOW_RESIZABLE);
    EXPECT_FALSE(pictureIsOffScreen());
    EXPECT_TRUE(drawTheMoment() == fullScreen);
    placeGameWindow(gWindow, DisplayChoice::Fullscreen);
}

SDL_Event altEnter(Uint16 mod, Uint8 repeat = 0) {
    SDL_Event event{};
    event.type = SDL_KEYDOWN;
    event.key.keysym.sym = SDLK_RETURN;
    event.key.keysym.mod = mod;
    event.key.repeat = repeat;
    return event;
}

TEST(AltEnter, TurnsAWindowIntoTheWholeDesktopAndBackIntoAWindow) {
    testsupport::GlTestWindow window;
    SDL_Window* shown = window.window();
    placeGameWindow(shown, DisplayChoice::Windowed);
    Uint32 flags = SDL_GetWindowFlags(shown);
    EXPECT_TRUE(flags & SDL_WINDOW_RESIZABLE);
    EXPECT_FALSE(flags & SDL_WINDOW_BORDERLESS);
    EXPECT_FALSE(flags & SDL_WINDOW_FULLSCREEN);

    handleWindowEvent(altEnter(KMOD_LALT));
    EXPECT_EQ(gameWindowPlacement(), DisplayChoice::Desktop);
    flags = SDL_GetWindowFlags(shown);
    EXPECT_EQ(flags & SDL_WINDOW_FULLSCREEN_DESKTOP, SDL_WINDOW_FULLSCREEN_DESKTOP);
    int width = 0;
    int height = 0;
    SDL_GetWindowSize(shown, &width, &height);
    SDL_Rect desktop{};
    SDL_GetDisplayBounds(0, &desktop);
    EXPECT_EQ(width, desktop.w);
    EXPECT_EQ(height, desktop.h);

    // Held down, the key repeats; the repeats change nothing.
    handleWindowEvent(altEnter(KMOD_LALT, 1));
    EXPECT_EQ(gameWindowPlacement(), DisplayChoice::Desktop);
    // Return alone is no command.
    handleWindowEvent(altEnter(KMOD_NONE));
    EXPECT_EQ(gameWindowPlacement(), DisplayChoice::Desktop);
    EXPECT_EQ(gQuitRequested, 0);

    handleWindowEvent(altEnter(KMOD_RALT));
    EXPECT_EQ(gameWindowPlacement(), DisplayChoice::Windowed);
    flags = SDL_GetWindowFlags(shown);
    EXPECT_FALSE(flags & SDL_WINDOW_FULLSCREEN);
    EXPECT_TRUE(flags & SDL_WINDOW_RESIZABLE);
    SDL_GetWindowSize(shown, &width, &height);
    EXPECT_EQ(width, SCREEN_WIDTH);
    EXPECT_EQ(height, SCREEN_HEIGHT);
}

TEST(AltEnter, FromTheSwitchedFullScreenGivesAWindow) {
    testsupport::GlTestWindow window;
    ASSERT_EQ(gameWindowPlacement(), DisplayChoice::Fullscreen);
    handleWindowEvent(altEnter(KMOD_LALT));
    EXPECT_EQ(gameWindowPlacement(), DisplayChoice::Windowed);
    EXPECT_FALSE(SDL_GetWindowFlags(window.window()) & SDL_WINDOW_FULLSCREEN);
}

// From every setting to every other while the game runs; the test display
// has the 1024 x 768 mode, so the full screen is had.
TEST(ScreenSettingAtRunTime, PlacesTheWindowAsAskedAndFitsItsPicture) {
    testsupport::GlTestWindow window;
    SDL_Window* shown = window.window();
    const ScreenSetting steps[] = {ScreenSetting::Window,     ScreenSetting::Desktop,
                                   ScreenSetting::Fullscreen, ScreenSetting::Window,
                                   ScreenSetting::Fullscreen, ScreenSetting::Desktop,
                                   ScreenSetting::Window,     ScreenSetting::Fullscreen};
    for (const ScreenSetting setting : steps) {
        SCOPED_TRACE(testing::Message() << "setting " << static_cast<int>(setting));
        if (gameWindowPlacement() == DisplayChoice::Windowed) {
            testsupport::resizeGameWindow(800, 500);  // made smaller: the picture follows it
        }
        placeGameWindowAt(shown, setting);
        EXPECT_EQ(screenSettingFor(gameWindowPlacement()), setting);
        const Uint32 flags = SDL_GetWindowFlags(shown);
        const Uint32 fullscreen[] = {0, SDL_WINDOW_FULLSCREEN_DESKTOP, SDL_WINDOW_FULLSCREEN};
        EXPECT_EQ(flags & SDL_WINDOW_FULLSCREEN_DESKTOP, fullscreen[static_cast<int>(setting)]);
        EXPECT_TRUE(setting != ScreenSetting::Window || (flags & SDL_WINDOW_RESIZABLE));
        int width = 0;
        int height = 0;
        SDL_GetWindowSize(shown, &width, &height);
        EXPECT_EQ(width, SCREEN_WIDTH);  // the desktop's size on the test display
        EXPECT_EQ(height, SCREEN_HEIGHT);
        EXPECT_FALSE(pictureIsOffScreen());
    }
}

}  // namespace

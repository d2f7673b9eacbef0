// The game draws one 1024 x 768 picture whatever the window: straight into a
// window of that size, off screen for any other, then scaled into the window
// between black bars.
#include <GL/gl.h>
#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>

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
#include "support/test_display.h"

using testsupport::Pixel;
using testsupport::Screen;

namespace {

uint32_t fixedClock() {
    return 123456;
}

bool isBlack(const Pixel& p) {
    return p[0] == 0 && p[1] == 0 && p[2] == 0;
}

GLint boundDrawFramebuffer() {
    GLint bound = -1;
    glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &bound);
    return bound;
}

// The game's window, sized as a player might leave it; the window procedure
// fits the picture to it when the size change arrives.
void resizeGameWindow(int width, int height) {
    SDL_SetWindowSize(gWindow, width, height);
    SDL_PumpEvents();
    SDL_Event sizeChanged{};
    sizeChanged.type = SDL_WINDOWEVENT;
    sizeChanged.window.event = SDL_WINDOWEVENT_SIZE_CHANGED;
    sizeChanged.window.data1 = width;
    sizeChanged.window.data2 = height;
    handleWindowEvent(sizeChanged);
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
        resizeGameWindow(SCREEN_WIDTH, SCREEN_HEIGHT);
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
    resizeGameWindow(SCREEN_WIDTH, SCREEN_HEIGHT);
    EXPECT_FALSE(pictureIsOffScreen());
    EXPECT_EQ(boundDrawFramebuffer(), 0);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], SCREEN_WIDTH);
    EXPECT_EQ(viewport[3], SCREEN_HEIGHT);
    EXPECT_EQ(pictureInWindow(), (ScreenRect{0, 0, SCREEN_WIDTH, SCREEN_HEIGHT}));
}

TEST_F(PictureOnAnyWindow, AnyOtherWindowGetsTheSamePictureDrawnOffScreen) {
    const Screen direct = drawTheMoment();
    ASSERT_TRUE(drawTheMoment() == direct) << "the same moment draws the same picture";
    ASSERT_GT(direct.count(0, 0, SCREEN_WIDTH, SCREEN_HEIGHT, testsupport::isLit), 500000);

    resizeGameWindow(800, 500);
    ASSERT_TRUE(pictureIsOffScreen());
    EXPECT_NE(boundDrawFramebuffer(), 0);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], SCREEN_WIDTH) << "the picture keeps its own size";
    EXPECT_EQ(viewport[3], SCREEN_HEIGHT);
    // Mesa keeps the window's rows and a framebuffer object's in opposite
    // orders, so a few pixels of shading and edges round the other way.
    const Screen offScreen = drawTheMoment();
    EXPECT_LT(testsupport::changedShare(offScreen, direct, 0, 0, SCREEN_WIDTH, SCREEN_HEIGHT, 0),
              0.005);
    EXPECT_LT(testsupport::changedShare(offScreen, direct, 0, 0, SCREEN_WIDTH, SCREEN_HEIGHT, 2),
              0.0001);

    // Back at 1024 x 768 the window is drawn into directly: pixel for pixel as before.
    resizeGameWindow(SCREEN_WIDTH, SCREEN_HEIGHT);
    EXPECT_FALSE(pictureIsOffScreen());
    EXPECT_TRUE(drawTheMoment() == direct);
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

// A picture of four flat quarters, so where each lands in the window is plain.
void drawFourQuarters() {
    const float colours[4][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {1, 1, 0}};
    glEnable(GL_SCISSOR_TEST);
    for (int i = 0; i < 4; ++i) {
        glScissor((i % 2) * SCREEN_WIDTH / 2, (i / 2) * SCREEN_HEIGHT / 2, SCREEN_WIDTH / 2,
                  SCREEN_HEIGHT / 2);
        glClearColor(colours[i][0], colours[i][1], colours[i][2], 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
    }
    glDisable(GL_SCISSOR_TEST);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
}

TEST_F(PictureOnAnyWindow, OnAWideWindowThePictureFillsTheHeightCentredBetweenBlackBars) {
    // 16:9, within the test display: the picture is 720 x 540 with 120-pixel bars.
    resizeGameWindow(960, 540);
    ASSERT_TRUE(pictureIsOffScreen());
    EXPECT_EQ(pictureInWindow(), (ScreenRect{120, 0, 720, 540}));
    drawFourQuarters();
    presentPicture();
    const Screen window = Screen::presentedInWindow(960, 540);
    const auto lit = [](const Pixel& p) { return !isBlack(p); };
    EXPECT_EQ(window.count(0, 0, 120, 540, lit), 0) << "left bar";
    EXPECT_EQ(window.count(840, 0, 960, 540, lit), 0) << "right bar";
    EXPECT_EQ(window.count(120, 0, 840, 540, isBlack), 0) << "the picture covers its place";
    // Top left of the window shows the picture's top left: the quarters keep their places.
    EXPECT_EQ(window.at(300, 400), (Pixel{255, 0, 0}));
    EXPECT_EQ(window.at(660, 400), (Pixel{0, 255, 0}));
    EXPECT_EQ(window.at(300, 130), (Pixel{0, 0, 255}));
    EXPECT_EQ(window.at(660, 130), (Pixel{255, 255, 0}));
    // The quarters meet in the middle of the picture's place.
    EXPECT_EQ(window.at(478, 400), (Pixel{255, 0, 0}));
    EXPECT_EQ(window.at(481, 400), (Pixel{0, 255, 0}));
    // The next frame is drawn off screen again.
    EXPECT_NE(boundDrawFramebuffer(), 0);
}

TEST_F(PictureOnAnyWindow, OnATallWindowThePictureFillsTheWidthBetweenBarsAboveAndBelow) {
    resizeGameWindow(640, 700);
    EXPECT_EQ(pictureInWindow(), (ScreenRect{0, 110, 640, 480}));
    const Screen picture = drawTheMoment();
    presentPicture();
    const Screen window = Screen::presentedInWindow(640, 700);
    const auto lit = [](const Pixel& p) { return !isBlack(p); };
    EXPECT_EQ(window.count(0, 0, 640, 110, lit), 0) << "top bar";
    EXPECT_EQ(window.count(0, 590, 640, 700, lit), 0) << "bottom bar";
    // The scaled race looks like the race: its brightness, quarter by quarter.
    for (int qx = 0; qx < 2; ++qx) {
        for (int qy = 0; qy < 2; ++qy) {
            const double scaled = window.meanBrightness(qx * 320, 110 + qy * 240, qx * 320 + 320,
                                                        110 + qy * 240 + 240);
            const double drawn =
                picture.meanBrightness(qx * 512, qy * 384, qx * 512 + 512, qy * 384 + 384);
            EXPECT_NEAR(scaled, drawn, 3.0) << "quarter " << qx << "," << qy;
        }
    }
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
            resizeGameWindow(800, 500);  // made smaller: the picture is scaled off screen
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

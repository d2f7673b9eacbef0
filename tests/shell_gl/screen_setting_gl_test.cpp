// The screen setting changed while the game runs: the window goes where the
// player asked, and its picture is fitted to its new size.
#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include "screen/display.h"
#include "screen/picture_target.h"
#include "screen/window_placement.h"
#include "support/gl_test_window.h"
#include "support/test_display.h"

namespace {

struct Placement {
    ScreenSetting setting;
    DisplayChoice placed;
    Uint32 fullscreenFlags;  // SDL_WINDOW_FULLSCREEN_DESKTOP bits as they should stand
};

TEST(ScreenSettingAtRunTime, EachSettingPlacesTheWindowAndFitsItsPicture) {
    testsupport::GlTestWindow window;
    SDL_Window* shown = window.window();
    SDL_Rect desktop{};
    ASSERT_EQ(SDL_GetDisplayBounds(0, &desktop), 0);

    // Every setting from every other, the test display having the 1024 x 768 mode.
    const Placement steps[] = {
        {ScreenSetting::Window, DisplayChoice::Windowed, 0},
        {ScreenSetting::Desktop, DisplayChoice::Desktop, SDL_WINDOW_FULLSCREEN_DESKTOP},
        {ScreenSetting::Fullscreen, DisplayChoice::Fullscreen, SDL_WINDOW_FULLSCREEN},
        {ScreenSetting::Window, DisplayChoice::Windowed, 0},
        {ScreenSetting::Fullscreen, DisplayChoice::Fullscreen, SDL_WINDOW_FULLSCREEN},
        {ScreenSetting::Desktop, DisplayChoice::Desktop, SDL_WINDOW_FULLSCREEN_DESKTOP},
        {ScreenSetting::Window, DisplayChoice::Windowed, 0},
    };
    for (const Placement& step : steps) {
        SCOPED_TRACE(testing::Message() << "setting " << static_cast<int>(step.setting));
        const bool wasWindowed = gameWindowPlacement() == DisplayChoice::Windowed;
        if (wasWindowed) {
            // A window the player had made smaller: its picture is scaled, off screen.
            SDL_SetWindowSize(shown, 800, 500);
            fitPictureToWindow(800, 500);
            ASSERT_TRUE(pictureIsOffScreen());
        }

        placeGameWindowAt(shown, step.setting);
        EXPECT_EQ(gameWindowPlacement(), step.placed);
        EXPECT_EQ(screenSettingFor(gameWindowPlacement()), step.setting);
        const Uint32 flags = SDL_GetWindowFlags(shown);
        EXPECT_EQ(flags & SDL_WINDOW_FULLSCREEN_DESKTOP, step.fullscreenFlags);
        if (step.placed == DisplayChoice::Windowed) {
            EXPECT_TRUE(flags & SDL_WINDOW_RESIZABLE);
            EXPECT_FALSE(flags & SDL_WINDOW_BORDERLESS);
        }
        int width = 0;
        int height = 0;
        SDL_GetWindowSize(shown, &width, &height);
        const bool coversTheDesktop = step.placed == DisplayChoice::Desktop;
        EXPECT_EQ(width, coversTheDesktop ? desktop.w : SCREEN_WIDTH);
        EXPECT_EQ(height, coversTheDesktop ? desktop.h : SCREEN_HEIGHT);
        EXPECT_EQ(pictureInWindow(), letterboxPicture(width, height));
        EXPECT_EQ(pictureIsOffScreen(), width != SCREEN_WIDTH || height != SCREEN_HEIGHT);
    }
    placeGameWindowAt(shown, ScreenSetting::Fullscreen);
}

}  // namespace

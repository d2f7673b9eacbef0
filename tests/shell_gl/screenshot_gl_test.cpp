// F12 through the game's own event handling: the frame as the window shows
// it is saved when it is swapped, from the race and the menu alike.
#include <GL/gl.h>
#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "input/key_bindings.h"
#include "menu/pause_menu.h"
#include "menu/player_settings.h"
#include "screen/display.h"
#include "screen/game_window.h"
#include "screen/window_placement.h"
#include "shell/window.h"
#include "support/gl_test_window.h"
#include "support/png_file.h"
#include "support/records_fixture.h"
#include "support/screen.h"

namespace {

using recordstest::namesIn;
using recordstest::StderrCapture;
using recordstest::TempDataHome;

void tapKey(SDL_Keycode code, uint8_t repeat = 0) {
    SDL_Event event{};
    event.type = SDL_KEYDOWN;
    event.key.keysym.sym = code;
    event.key.repeat = repeat;
    handleWindowEvent(event);
}

// A frame of one flat colour, drawn wherever the game draws its frames.
void drawFlatFrame(const std::array<float, 3>& colour) {
    glClearColor(colour[0], colour[1], colour[2], 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
}

// What reading the window's pixels touches, which the game's drawing relies on.
std::array<GLint, 3> readSettings() {
    std::array<GLint, 3> settings{};
    glGetIntegerv(GL_PACK_ALIGNMENT, &settings[0]);
    glGetIntegerv(GL_READ_FRAMEBUFFER_BINDING, &settings[1]);
    glGetIntegerv(GL_READ_BUFFER, &settings[2]);
    return settings;
}

// Down the menu's page to the line and Enter on it.
void enterMenuLine(const std::string& label) {
    for (size_t step = 0; step <= pauseMenuView().lines.size(); ++step) {
        const MenuPanel view = pauseMenuView();
        if (view.lines[static_cast<size_t>(view.chosen)].label == label) {
            break;
        }
        tapKey(SDLK_DOWN);
    }
    tapKey(SDLK_RETURN);
}

// Back out of the menu to the race, from whatever page a test stopped on.
struct BackToTheRaceAtTheEnd {
    ~BackToTheRaceAtTheEnd() {
        if (pauseMenuWaitsForKey()) {
            tapKey(SDLK_ESCAPE);
        }
        for (int page = 0; page < 3 && pauseMenuView().title != "PAUSED"; ++page) {
            tapKey(SDLK_BACKSPACE);
        }
        if (pauseMenuShows()) {
            tapKey(SDLK_p);
        }
    }
};

std::string screenshotsOf(const TempDataHome& home) {
    return home.folder() + "/screenshots";
}

TEST(Screenshot, F12SavesTheFrameAsTheWindowShowsItAtTheWindowsSize) {
    const TempDataHome home;
    const testsupport::GlTestWindow window;
    placeGameWindow(gWindow, DisplayChoice::Windowed);  // a window the player can size
    const struct {
        int width;
        int height;
        std::array<float, 3> colour;
        testsupport::Pixel pixel;
    } cases[] = {
        {SCREEN_WIDTH, SCREEN_HEIGHT, {1, 0, 0}, {255, 0, 0}},
        {800, 500, {0, 1, 0}, {0, 255, 0}},
        {640, 700, {1, 1, 0}, {255, 255, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
        testsupport::resizeGameWindow(c.width, c.height);
        int width = 0;
        int height = 0;
        SDL_GL_GetDrawableSize(gWindow, &width, &height);
        ASSERT_EQ(width, c.width);
        ASSERT_EQ(height, c.height);
        std::filesystem::remove_all(screenshotsOf(home));

        tapKey(SDLK_F12);
        drawFlatFrame(c.colour);
        glPixelStorei(GL_PACK_ALIGNMENT, 8);
        const std::array<GLint, 3> settings = readSettings();
        StderrCapture said;
        swapGameBuffers();
        EXPECT_EQ(readSettings(), settings);
        glPixelStorei(GL_PACK_ALIGNMENT, 4);

        const std::vector<std::string> names = namesIn(screenshotsOf(home));
        ASSERT_EQ(names.size(), 1u);
        const std::string path = screenshotsOf(home) + "/" + names[0];
        EXPECT_EQ(said.text(), "zentrix: screenshot saved to " + path + "\n");
        testsupport::PngPicture shot;
        ASSERT_TRUE(testsupport::readPngFile(path, shot));
        ASSERT_EQ(shot.width, width);
        ASSERT_EQ(shot.height, height);
        // The frame's colour, and black wherever the window shows no picture.
        EXPECT_EQ(shot.at(width / 2, height / 2), c.pixel);
        int coloured = 0;
        int other = 0;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const testsupport::Pixel pixel = shot.at(x, y);
                coloured += pixel == c.pixel ? 1 : 0;
                other += pixel == c.pixel || pixel == testsupport::Pixel{0, 0, 0} ? 0 : 1;
            }
        }
        EXPECT_GT(coloured, width * height / 2);
        EXPECT_EQ(other, 0);

        // The next frame is swapped with no shot asked for.
        drawFlatFrame(c.colour);
        swapGameBuffers();
        EXPECT_EQ(namesIn(screenshotsOf(home)).size(), 1u);
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }
    testsupport::resizeGameWindow(SCREEN_WIDTH, SCREEN_HEIGHT);
}

TEST(Screenshot, F12ReachesNoMenuNorActionAndItsRepeatsTakeNoShot) {
    const TempDataHome home;
    const testsupport::GlTestWindow window;
    loadSettingsForThisRun(false);
    applyPlayerSettings();
    const BackToTheRaceAtTheEnd backToTheRace;
    tapKey(SDLK_p);
    ASSERT_TRUE(pauseMenuShows());
    enterMenuLine("Settings");
    enterMenuLine("Keys");
    ASSERT_EQ(pauseMenuView().title, "KEYS");
    tapKey(SDLK_RETURN);  // accelerate: the next key pressed becomes its key
    ASSERT_TRUE(pauseMenuWaitsForKey());

    const struct {
        uint8_t repeat;
        size_t shots;
    } presses[] = {{0, 1}, {1, 1}, {0, 2}};
    for (const auto& press : presses) {
        tapKey(SDLK_F12, press.repeat);
        swapGameBuffers();
        EXPECT_EQ(namesIn(screenshotsOf(home)).size(), press.shots) << int(press.repeat);
        EXPECT_TRUE(pauseMenuWaitsForKey());
        EXPECT_EQ(boundKey(Action::Accelerate), SDLK_UP);
    }

    tapKey(SDLK_ESCAPE);
    EXPECT_FALSE(pauseMenuWaitsForKey());
}

TEST(Screenshot, AFolderThatCannotBeMadeIsSaidOnceAndTheRaceGoesOn) {
    const TempDataHome home;
    const testsupport::GlTestWindow window;
    std::filesystem::create_directories(home.dataHome());
    recordstest::writeText(home.folder(), "a file where the data folder would be");
    StderrCapture said;
    for (int shot = 0; shot < 3; ++shot) {
        tapKey(SDLK_F12);
        swapGameBuffers();
    }
    const std::string text = said.text();
    EXPECT_EQ(recordstest::lineCount(text), 1) << text;
    EXPECT_NE(text.find("cannot save screenshots in " + screenshotsOf(home)), std::string::npos)
        << text;
    EXPECT_NE(text.find("Not a directory"), std::string::npos) << text;
    EXPECT_EQ(namesIn(home.dataHome()), std::vector<std::string>{"zentrix"});
    EXPECT_EQ(gWindow, window.window()) << "the window stays open";
}

}  // namespace

#pragma once

#include <gtest/gtest.h>

#include <optional>

#include "race/lap_clock.h"
#include "support/saved_race.h"

namespace testsupport {

// The suites that draw the game's own frames from its own data all begin the
// same way: save the race as they find it, open the game's window on the
// private display, move to the source folder, put in a race clock and set up
// the scene (models, textures, font, the race on the grid). This fixture does
// that in one place, so that the suites differ only where their pictures do.
// A suite derives from it, calls openSceneWindow from its SetUpTestSuite and
// closeSceneWindow from its TearDownTestSuite; closing shuts the window and
// gives back the race's own clock, the race as found and the working
// directory. One suite has the scene at a time.
class SceneWindowTest : public ::testing::Test {
protected:
    enum class Frames {
        // Finished frames stay in the back buffer for a Screen to read: gWindow
        // names no window to show them in while the scene is open.
        KeptInBackBuffer,
        // gWindow names the window and finished frames are shown in it.
        Shown,
    };
    // clock is the race clock while the scene is open; null keeps the race's
    // own time. A seed is given to srand just before the scene is set up, so
    // the opponents' drawn values come out as in a game started from it;
    // without one the generator goes on from where the tests before left it.
    // A fatal failure when the source folder cannot be entered: a suite that
    // goes on to drive the race wraps the call in ASSERT_NO_FATAL_FAILURE.
    static void openSceneWindow(MillisecondSource clock, Frames frames = Frames::KeptInBackBuffer,
                                std::optional<unsigned> seed = std::nullopt);
    static void closeSceneWindow();
    // The race as it was before the scene was set up.
    static const SavedRace& raceAsFound();
    // The race as the scene set it up: the grid, the clock just started.
    static const SavedRace& raceAtStart();
};

}  // namespace testsupport

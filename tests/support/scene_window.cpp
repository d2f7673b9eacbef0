#include "support/scene_window.h"

#include <unistd.h>

#include <cstdlib>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>

#include "render/scene.h"
#include "screen/overlay_glyphs.h"
#include "support/gl_test_window.h"
#include "support/test_display.h"

namespace testsupport {

namespace {

// What openSceneWindow made or changed, in the order it did so.
struct OpenScene {
    SavedRace found;  // first, before the window or the scene touch the race
    std::unique_ptr<GlTestWindow> window;
    std::string workingDirectory;  // empty when it could not be read
    std::unique_ptr<FramesKeptInBackBuffer> keptFrames;
    std::optional<SavedRace> atStart;  // last, once the scene is set up
};

std::unique_ptr<OpenScene> theScene;

}  // namespace

void SceneWindowTest::openSceneWindow(MillisecondSource clock, Frames frames,
                                      std::optional<unsigned> seed) {
    ASSERT_TRUE(theScene == nullptr) << "a scene window is open already";
    theScene = std::make_unique<OpenScene>();
    theScene->window = std::make_unique<GlTestWindow>();
    char directory[4096];
    if (getcwd(directory, sizeof directory) != nullptr) {
        theScene->workingDirectory = directory;
    }
    // The game reads data/ relative to its working directory.
    ASSERT_EQ(chdir(sourcePath("").c_str()), 0);
    LapClock::setSource(clock);
    if (seed) {
        std::srand(*seed);
    }
    setupScene(rasterizeOverlayGlyphs());
    if (frames == Frames::KeptInBackBuffer) {
        theScene->keptFrames = std::make_unique<FramesKeptInBackBuffer>();
    }
    theScene->atStart.emplace();
}

void SceneWindowTest::closeSceneWindow() {
    const std::unique_ptr<OpenScene> scene = std::move(theScene);
    if (scene == nullptr) {
        return;
    }
    scene->keptFrames.reset();
    scene->window.reset();
    LapClock::setSource(nullptr);
    scene->found.restore();  // the tests that follow find the race as this suite did
    if (!scene->workingDirectory.empty() && chdir(scene->workingDirectory.c_str()) != 0) {
        ADD_FAILURE() << "cannot return to " << scene->workingDirectory;
    }
}

const SavedRace& SceneWindowTest::raceAsFound() {
    if (theScene == nullptr) {
        throw std::logic_error("no scene window is open");
    }
    return theScene->found;
}

const SavedRace& SceneWindowTest::raceAtStart() {
    if (theScene == nullptr || !theScene->atStart) {
        throw std::logic_error("no scene is set up");
    }
    return *theScene->atStart;
}

}  // namespace testsupport

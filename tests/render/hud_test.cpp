#include <GL/gl.h>
#include <gtest/gtest.h>

#include "craft/player.h"
#include "hud/hud.h"
#include "hud/overlay.h"
#include "race/lap_clock.h"
#include "race/race.h"
#include "race/standings.h"
#include "screen/overlay_glyphs.h"
#include "support/gl_state.h"
#include "support/gl_test_window.h"
#include "support/saved_race.h"
#include "support/screen.h"

using testsupport::integerState;
using testsupport::Pixel;
using testsupport::Screen;

namespace {
uint32_t gHudNow = 0;
uint32_t hudClock() {
    return gHudNow;
}

// The clock's line, the label column and the lap times' column, y from the top.
constexpr int CLOCK_BOX[4] = {872, 714, 944, 731};
constexpr int LABEL_BOX[4] = {862, 726, 874, 761};
constexpr int LAPS_BOX[4] = {874, 726, 944, 761};

int countIn(const Screen& s, const int (&box)[4], bool (*test)(const Pixel&)) {
    return s.count(box[0], box[1], box[2], box[3], test);
}

class Hud : public ::testing::Test {
protected:
    void SetUp() override {
        createOverlayFont(rasterizeOverlayGlyphs());
        LapClock::setSource(hudClock);
        gHudNow = 5000;
        gLapClock.start();
        gFrameCounter = 1;
        gPlayer = Player();
        hudAt(5000);
    }
    void TearDown() override {
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
        LapClock::setSource(nullptr);
        race_.restore();
    }
    // One HUD drawn over a black scene at clock time startMs + ms.
    Screen hudAt(uint32_t ms) {
        gHudNow = gLapClock.startMs + ms;
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        updateStandings(gFrameCounter);  // the frame takes the standings just before the HUD
        drawHud();
        return Screen();
    }

    testsupport::SavedRace race_;
    testsupport::GlTestWindow window_;
};

TEST_F(Hud, TheRedClockRunsAndTheGreyLabelsStandAloneAtTheStart) {
    const Screen first = hudAt(1000);
    EXPECT_GT(countIn(first, CLOCK_BOX, testsupport::isRed), 20);
    EXPECT_GT(countIn(first, LABEL_BOX, testsupport::isGrey), 20);
    // Three labels, each on its own line ten pixels apart.
    for (int line = 0; line < 3; ++line) {
        EXPECT_GT(first.count(862, 729 + 10 * line, 874, 739 + 10 * line, testsupport::isGrey), 5)
            << "label " << line + 1;
    }
    // With no lap completed nothing is white.
    EXPECT_EQ(countIn(first, LAPS_BOX, testsupport::isWhite), 0);
    EXPECT_EQ(first.count(0, 0, 1024, 700, testsupport::isLit),
              0);  // only the bottom right is used
    const Screen second = hudAt(2000);
    EXPECT_FALSE(first == second);
    EXPECT_TRUE(second == hudAt(2000));
    EXPECT_EQ(gLapClock.lapMs[0], 0u);  // on the line, but it has not moved
}

TEST_F(Hud, ALapIsShownInWhiteOnceTheCraftHasCrossedTheLineAfterALap) {
    const Screen standing = hudAt(12000);
    EXPECT_EQ(gLapClock.lapMs[0], 0u) << "standing on the line is no lap";
    gPlayer.laps = 1;  // crossed the line forwards after a whole lap
    const Screen lap = hudAt(12345);
    EXPECT_EQ(gLapClock.lapMs[0], 12345u);
    EXPECT_GT(lap.count(874, 729, 944, 741, testsupport::isWhite), 20);
    EXPECT_EQ(lap.count(874, 741, 944, 761, testsupport::isWhite), 0);  // laps 2 and 3 still open
    EXPECT_EQ(countIn(standing, LAPS_BOX, testsupport::isWhite), 0);
    // Staying past the line registers nothing more.
    hudAt(30000);
    EXPECT_EQ(gLapClock.lapMs[1], 0u);
}

TEST_F(Hud, TheRacePositionIsRefreshedEveryTenthFrame) {
    gRacePosition = 0;
    gFrameCounter = 5;
    hudAt(1000);
    EXPECT_EQ(gRacePosition, 0);
    gFrameCounter = 10;
    hudAt(1000);
    EXPECT_GE(gRacePosition, 1);
    EXPECT_LE(gRacePosition, 6);
}

TEST_F(Hud, TheHudPutsTheSceneStateBack) {
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_LIGHTING);
    glEnable(GL_BLEND);
    const GLint projection = integerState(GL_PROJECTION_STACK_DEPTH);
    const GLint modelview = integerState(GL_MODELVIEW_STACK_DEPTH);
    hudAt(12000);
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    EXPECT_TRUE(glIsEnabled(GL_BLEND));
    EXPECT_EQ(integerState(GL_PROJECTION_STACK_DEPTH), projection);
    EXPECT_EQ(integerState(GL_MODELVIEW_STACK_DEPTH), modelview);
    EXPECT_EQ(integerState(GL_LIST_BASE), 0);
}

}  // namespace

// Frames drawn faster than the race ticks: the craft is drawn part of the way
// from one tick to the next, moving steadily forwards.
#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <vector>

#include "craft/player.h"
#include "race/lap_clock.h"
#include "race/race.h"
#include "race/race_pose.h"
#include "render/craft_draw.h"
#include "shell/game_frame.h"
#include "shell/loop_pacer.h"
#include "support/fake_pacer_clock.h"
#include "support/gl_test_window.h"
#include "support/saved_race.h"
#include "support/scene_window.h"
#include "support/screen.h"
#include "support/test_display.h"

namespace {

// A new race, half a second into it with Up held; the keys that held it.
KeyboardInput raceOffTheGrid() {
    startRace();
    KeyboardInput throttle;
    throttle.up = true;
    for (int i = 0; i < 30; ++i) {
        stepRace(throttle);
    }
    return throttle;
}

struct Centroid {
    double x = 0.0;
    double y = 0.0;
    int pixels = 0;
};

class BlendedFrames : public testsupport::SceneWindowTest {
protected:
    static void SetUpTestSuite() {
        openSceneWindow(nullptr);  // the race's own time, as the game reads it
    }
    static void TearDownTestSuite() { closeSceneWindow(); }

    // The craft alone, drawn by the game as a frame blend of the way between
    // the last two ticks would stage it, seen from straight above through a
    // camera that stays put; where its pixels fall.
    static Centroid craftSeenFromAbove(double blend, const Vector3& over) {
        glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(-VIEW_HALF_WIDTH, VIEW_HALF_WIDTH, -VIEW_HALF_WIDTH * 0.75, VIEW_HALF_WIDTH * 0.75,
                1.0, 20000.0);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        gluLookAt(over.x, over.y + 5000.0, over.z, over.x, over.y, over.z, 0.0, 0.0, -1.0);
        glDisable(GL_LIGHTING);
        glDisable(GL_TEXTURE_2D);
        {
            const PoseOnStage staged(gRacePoses.at(blend));
            drawPlayerCraft(gPlayer, true);
        }
        glEnable(GL_LIGHTING);
        glFlush();
        const testsupport::Screen screen;
        Centroid c;
        for (int y = 0; y < screen.height(); ++y) {
            for (int x = 0; x < screen.width(); ++x) {
                const testsupport::Pixel p = screen.at(x, y);
                if (p[0] + p[1] + p[2] > 30) {
                    c.x += x;
                    c.y += y;
                    ++c.pixels;
                }
            }
        }
        if (c.pixels > 0) {
            c.x /= c.pixels;
            c.y /= c.pixels;
        }
        return c;
    }

    static constexpr double VIEW_HALF_WIDTH = 700.0;
};

TEST_F(BlendedFrames, AtAForced144TheCraftMovesSteadilyFromOneTickPositionToTheNext) {
    const KeyboardInput throttle = raceOffTheGrid();
    ASSERT_GT(gPlayer.speed, 20.0f);
    const Vector3 over = gPlayer.position;

    testsupport::FakePacerClock clock;
    LoopPacer pacer(clock, RACE_TICKS_PER_SECOND, DrawPacing{144, false});
    double lastAlongThePath = -1e9;
    double pathX = 0.0;
    double pathY = 0.0;
    Centroid first;
    int framesBetweenTicks = 0;
    for (int frame = 0; frame < 12; ++frame) {
        for (int due = pacer.takeDueTicks(); due > 0; --due) {
            stepRace(throttle);
        }
        const double blend = pacer.drawBlend();
        const Centroid from = craftSeenFromAbove(0.0, over);
        const Centroid to = craftSeenFromAbove(1.0, over);
        const Centroid drawn = craftSeenFromAbove(blend, over);
        ASSERT_GT(from.pixels, 200);
        ASSERT_GT(drawn.pixels, 200);
        const double dx = to.x - from.x;
        const double dy = to.y - from.y;
        const double step = std::hypot(dx, dy);
        ASSERT_GT(step, 10.0) << "the craft moves some pixels a tick";
        // How far along from the earlier tick's picture to the later's.
        const double along = ((drawn.x - from.x) * dx + (drawn.y - from.y) * dy) / (step * step);
        const double across = ((drawn.x - from.x) * dy - (drawn.y - from.y) * dx) / step;
        EXPECT_NEAR(along, blend, 0.05) << "frame " << frame;
        EXPECT_LT(std::fabs(across), 1.5) << "frame " << frame;
        if (blend > 0.05 && blend < 0.95) {
            ++framesBetweenTicks;
        }
        // Measured along the craft's way from where the first frame drew it.
        if (frame == 0) {
            first = drawn;
            pathX = dx / step;
            pathY = dy / step;
        }
        const double alongThePath = (drawn.x - first.x) * pathX + (drawn.y - first.y) * pathY;
        if (frame > 0) {
            EXPECT_GT(alongThePath, lastAlongThePath + 1.0) << "frame " << frame;
        }
        lastAlongThePath = alongThePath;
        clock.advance(2000000);
        pacer.waitForNextDraw();
    }
    EXPECT_GE(framesBetweenTicks, 6);
}

TEST_F(BlendedFrames, TheGamesFramesBetweenTwoTicksAreEachAPictureOfTheirOwn) {
    raceOffTheGrid();
    std::vector<testsupport::Screen> pictures;
    for (double blend : {0.0, 0.4, 0.8, 1.0}) {
        std::srand(1);  // the exhaust glow flickers the same way in every picture
        drawGameFrame(blend);
        pictures.emplace_back();
    }
    for (size_t i = 1; i < pictures.size(); ++i) {
        EXPECT_GT(testsupport::changedShare(pictures[i - 1], pictures[i], 0, 0, 1024, 768), 0.01)
            << "between blends " << i - 1 << " and " << i;
    }
    // Drawn again at the latest tick, the picture is the same to the pixel.
    const testsupport::Screen latest = pictures.back();
    std::srand(1);
    drawGameFrame(1.0);
    EXPECT_TRUE(testsupport::Screen() == latest);
}

}  // namespace

// The whole frame with the game's own data: what the player sees of the
// shadows, the glow, the shot and the HUD.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "craft/exhaust_glow.h"
#include "craft/opponent.h"
#include "craft/player.h"
#include "craft/projectile.h"
#include "hud/hud.h"
#include "images/texture.h"
#include "images/texture_ids.h"
#include "input/key_state.h"
#include "race/camera.h"
#include "race/lap_clock.h"
#include "race/race.h"
#include "race/standings.h"
#include "render/camera_view.h"
#include "shell/game_frame.h"
#include "support/gl_test_window.h"
#include "support/saved_race.h"
#include "support/scene_window.h"
#include "support/screen.h"
#include "support/solid_texture.h"
#include "support/test_display.h"
#include "support/world_to_screen.h"
#include "track/track.h"

using testsupport::Pixel;
using testsupport::projectOnScreen;
using testsupport::Screen;

namespace {
uint32_t gNow = 0;
uint32_t raceClock() {
    return gNow;
}

// The game's picture, read before it would be swapped.
Screen drawFrame(unsigned seed = 7) {
    std::srand(seed);  // the glow's jitter, the same for both pictures of a pair
    renderFrame();
    return Screen();
}

// The same frame drawn twice from one state, the second time after change().
template <typename Change>
std::pair<Screen, Screen> frameWithAndWithout(Change change) {
    const testsupport::SavedRace before;
    Screen with = drawFrame();
    const testsupport::SavedRace after;
    before.restore();
    change();
    Screen without = drawFrame();
    after.restore();
    return {std::move(with), std::move(without)};
}

struct Difference {
    int pixels = 0;
    int brighter = 0;    // pixels brighter in the first picture
    double added = 0.0;  // summed brightness the first picture has over the second
    std::array<int, 4> box{1024, 768, -1, -1};
};

Difference compare(const Screen& a, const Screen& b) {
    Difference d;
    for (int y = 0; y < 768; ++y) {
        for (int x = 0; x < 1024; ++x) {
            const Pixel p = a.at(x, y);
            const Pixel q = b.at(x, y);
            if (p == q) {
                continue;
            }
            const int delta = (p[0] + p[1] + p[2]) - (q[0] + q[1] + q[2]);
            ++d.pixels;
            d.brighter += delta > 0 ? 1 : 0;
            d.added += delta;
            d.box = {std::min(d.box[0], x), std::min(d.box[1], y), std::max(d.box[2], x),
                     std::max(d.box[3], y)};
        }
    }
    return d;
}

GLuint blackTexture() {
    static GLuint black = 0;
    if (black == 0 || !glIsTexture(black)) {
        black = testsupport::solidTexture(0, 0, 0);
    }
    return black;
}

// The craft on the centre line at parameter t, facing along the track.
void placeOnTrack(double t, float speed) {
    const double ahead = 0.0005;
    const double dx = gTrack.centreX(t + ahead) - gTrack.centreX(t);
    const double dz = gTrack.centreZ(t + ahead) - gTrack.centreZ(t);
    gPlayer.position = Vector3(gTrack.centreX(t), 40.0, gTrack.centreZ(t));
    gPlayer.yaw = static_cast<float>(std::atan2(dz, dx));
    gPlayer.yawRate = 0.0f;
    gPlayer.speed = speed;
    // Set down there, not driven across the lap: no start-line crossing to count.
    gPlayer.lambda = t;
}

class RacePicture : public testsupport::SceneWindowTest {
protected:
    static void SetUpTestSuite() {
        gNow = 100000;
        openSceneWindow(raceClock);
    }
    static void TearDownTestSuite() { closeSceneWindow(); }
    void SetUp() override {
        raceAtStart().restore();
        releaseAllKeys();
        gCockpitView = 0;
        gCameraMode = 0;
    }
    void TearDown() override {
        releaseAllKeys();
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }
    void runFrames(int count) {
        for (int i = 0; i < count; ++i) {
            renderFrame();
        }
    }
};

TEST_F(RacePicture, TheRedClockTicksOverTheGreyLapLabels) {
    gFrameCounter = 1;
    gRacePosition = 3;
    gNow = gLapClock.startMs + 1000;
    const auto [first, second] = frameWithAndWithout([] { gNow = gLapClock.startMs + 2000; });
    const auto clockPixels = [](const Screen& s) {
        return s.count(870, 714, 944, 731, testsupport::isRed);
    };
    EXPECT_GT(clockPixels(first), 20);
    EXPECT_GT(clockPixels(second), 20);
    const Difference clock = compare(first, second);
    EXPECT_GT(clock.pixels, 0);
    EXPECT_GE(clock.box[1], 700) << "only the clock should differ at the bottom";
    EXPECT_GT(first.count(862, 726, 874, 761, testsupport::isGrey), 20);
}

TEST_F(RacePicture, TheTopRightBoxShowsTheDigitOfThePlace) {
    gFrameCounter = 1;  // not a refresh frame
    gRacePosition = 1;
    const auto [first, none] = frameWithAndWithout([] { gRacePosition = 0; });
    gRacePosition = 6;
    const auto [last, none6] = frameWithAndWithout([] { gRacePosition = 0; });
    (void)none6;
    const Difference digit = compare(first, none);
    const Difference lastDigit = compare(last, none);
    std::printf("digit: %d pixels differ, %d brighter, box %d %d %d %d\n", digit.pixels,
                digit.brighter, digit.box[0], digit.box[1], digit.box[2], digit.box[3]);
    EXPECT_GT(digit.brighter, 100);
    EXPECT_GE(digit.box[0], 868);
    EXPECT_LE(digit.box[2], 975);
    EXPECT_GE(digit.box[1], 25);
    EXPECT_LE(digit.box[3], 129);
    EXPECT_GT(lastDigit.brighter, 100);
    EXPECT_GT(compare(first, last).pixels, 50);  // one and six are different images
}

TEST_F(RacePicture, TheRoadIsDarkerUnderTheCraftThanBesideIt) {
    const GLuint shadow = gTextures[TEX_SHADOW];
    const auto [shaded, plain] =
        frameWithAndWithout([] { gTextures[TEX_SHADOW] = blackTexture(); });
    gTextures[TEX_SHADOW] = shadow;
    const Difference d = compare(shaded, plain);
    EXPECT_GT(d.pixels, 200);
    EXPECT_EQ(d.brighter, 0);  // a shadow only ever darkens
    double x = 0, y = 0;
    ASSERT_TRUE(projectOnScreen(Vector3(gPlayer.position.x, 0.0, gPlayer.position.z), &x, &y));
    EXPECT_GE(x, d.box[0]);
    EXPECT_LE(x, d.box[2]);
    EXPECT_NEAR((d.box[1] + d.box[3]) / 2.0, y, 150.0);
}

TEST_F(RacePicture, TheGlowGrowsFromFiveToSixWithUpHeldAndFallsToOneAfterRelease) {
    gFrameCounter = 0;
    gExhaust.layers = 5;
    recordKeyDown(VK_UP);
    runFrames(1);
    EXPECT_EQ(gExhaust.layers, 4);  // frame 0 saw the throttle still closed
    runFrames(3);
    EXPECT_EQ(gExhaust.layers, 5);
    runFrames(3);
    EXPECT_EQ(gExhaust.layers, 6);
    recordKeyUp(VK_UP);
    releaseAllKeys();
    runFrames(2);  // to the next update, which still sees the last throttle
    for (int update = 1; update <= 5; ++update) {
        runFrames(3);
        EXPECT_EQ(gExhaust.layers, std::max(1, 6 - update)) << "update " << update;
    }
    runFrames(9);
    EXPECT_EQ(gExhaust.layers, 1);
}

TEST_F(RacePicture, TheGlowBehindTheCraftIsBrighterAfterHoldingUp) {
    const GLuint flare = gTextures[TEX_FLARE];
    const auto glow = [flare] {
        const auto [lit, unlit] =
            frameWithAndWithout([] { gTextures[TEX_FLARE] = blackTexture(); });
        gTextures[TEX_FLARE] = flare;
        return compare(lit, unlit);
    };
    recordKeyDown(VK_UP);
    runFrames(20);
    const Difference accelerating = glow();
    recordKeyUp(VK_UP);
    releaseAllKeys();
    runFrames(20);
    const Difference coasting = glow();
    EXPECT_GT(coasting.added, 0.0);
    EXPECT_GT(accelerating.added, 2.0 * coasting.added);
    double x = 0, y = 0;
    ASSERT_TRUE(projectOnScreen(gPlayer.position, &x, &y));
    EXPECT_NEAR((accelerating.box[0] + accelerating.box[2]) / 2.0, x, 120.0);
}

TEST_F(RacePicture, AfterFiringTheShotsFlaresShineAheadOfTheCraft) {
    recordKeyDown(VK_SPACE);
    runFrames(1);
    recordKeyUp(VK_SPACE);
    releaseAllKeys();
    ASSERT_EQ(gProjectile.active, 1);
    runFrames(4);
    ASSERT_EQ(gProjectile.active, 1);
    const auto [shot, noShot] = frameWithAndWithout([] { gProjectile.active = 0; });
    const Difference flare = compare(shot, noShot);
    EXPECT_GT(flare.brighter, 50);
    const Vector3 ahead = gProjectile.position - gPlayer.position;
    EXPECT_GT(ahead.x * std::cos(gPlayer.yaw) + ahead.z * std::sin(gPlayer.yaw), 0.0);
    double shotX = 0, shotY = 0, craftX = 0, craftY = 0;
    ASSERT_TRUE(projectOnScreen(gProjectile.position, &shotX, &shotY));
    ASSERT_TRUE(projectOnScreen(gPlayer.position, &craftX, &craftY));
    EXPECT_GE(shotX, flare.box[0] - 5);
    EXPECT_LE(shotX, flare.box[2] + 5);
    EXPECT_LT((flare.box[1] + flare.box[3]) / 2.0, craftY);  // further up the screen: ahead
}

TEST_F(RacePicture, ALapRegistersWhenTheCraftCrossesTheLineAtFullSpeed) {
    for (Opponent& opponent : gOpponents) {
        opponent.destroyed = 1;  // a clear road
    }
    gNow = gLapClock.startMs + 30000;
    placeOnTrack(TRACK_PERIOD - 0.02, 898.0f);
    recordKeyDown(VK_UP);
    runFrames(1);
    ASSERT_GT(gPlayer.lambda, TRACK_PERIOD - 0.1);
    ASSERT_EQ(gPlayer.laps, 0);
    bool landedOnTheLine = false;
    for (int frame = 0; frame < 40 && gLapClock.lapMs[0] == 0; ++frame) {
        gNow += 16;
        runFrames(1);
        landedOnTheLine = landedOnTheLine || gPlayer.lambda == 0.0;
    }
    EXPECT_GT(gPlayer.speed, 800.0f);
    EXPECT_LT(gPlayer.lambda, 0.3);
    EXPECT_EQ(gPlayer.laps, 1);
    EXPECT_GT(gLapClock.lapMs[0], 30000u);
    std::printf("crossing at %.0f units per frame; a frame on the line itself: %s\n", gPlayer.speed,
                landedOnTheLine ? "yes" : "no");
}

}  // namespace

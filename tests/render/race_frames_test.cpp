// Real frames through the game's own set-up and frame, with the real data/,
// looked at the way a player would see them.
#include <GL/gl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "craft/exhaust_glow.h"
#include "craft/opponent.h"
#include "craft/player.h"
#include "hud/hud.h"
#include "images/texture.h"
#include "images/texture_ids.h"
#include "input/joystick.h"
#include "input/key_state.h"
#include "race/camera.h"
#include "race/lap_clock.h"
#include "race/race.h"
#include "race/standings.h"
#include "render/frame_draw.h"
#include "render/scene.h"
#include "screen/overlay_glyphs.h"
#include "shell/game_frame.h"
#include "support/gl_state.h"
#include "support/gl_test_window.h"
#include "support/harness/race_start.h"
#include "support/saved_race.h"
#include "support/screen.h"
#include "support/solid_texture.h"
#include "track/track.h"

using namespace testsupport;

namespace {

constexpr int W = 1024;
constexpr int H = 768;
// A list name no craft is ever compiled into: calling it draws nothing.
constexpr uint32_t EMPTY_LIST = 4000;

// Everything a frame moves, so a frame can be drawn again from the same moment.
struct Moment {
    Player player;
    std::array<Opponent, OPPONENT_COUNT> opponents;
    int32_t frameCounter;
    ExhaustGlow exhaust;
    int32_t racePosition;

    static Moment now() {
        Moment m{gPlayer, {}, gFrameCounter, gExhaust, gRacePosition};
        std::copy(std::begin(gOpponents), std::end(gOpponents), m.opponents.begin());
        return m;
    }
    void restore() const {
        gPlayer = player;
        std::copy(opponents.begin(), opponents.end(), std::begin(gOpponents));
        gFrameCounter = frameCounter;
        gExhaust = exhaust;
        gRacePosition = racePosition;
    }
};

// The frame is read before it is shown: with nowhere to swap to, renderFrame
// leaves its picture in the back buffer.
Screen drawRaceFrame() {
    const FramesKeptInBackBuffer kept;
    std::srand(1);  // the exhaust glow flickers the same way in every picture
    renderFrame();
    return Screen();
}

Screen drawFrameAt(const Moment& m) {
    m.restore();
    return drawRaceFrame();
}

void savePicture(const Screen& f, const std::string& name) {
    const std::string dir = std::string(ZENTRIX_BINARY_DIR) + "/screenshots";
    std::system(("mkdir -p " + dir).c_str());
    std::ofstream out(dir + "/" + name + ".ppm", std::ios::binary);
    out << "P6\n" << f.width() << " " << f.height() << "\n255\n";
    for (int y = 0; y < f.height(); ++y) {
        for (int x = 0; x < f.width(); ++x) {
            const auto p = f.at(x, y);
            out.put(static_cast<char>(p[0]))
                .put(static_cast<char>(p[1]))
                .put(static_cast<char>(p[2]));
        }
    }
}

// Draws the same moment with some textures swapped for solid magenta.
Screen withTexturesPainted(const Moment& m, std::initializer_list<int> indices) {
    std::array<uint32_t, TEXTURE_COUNT> saved{};
    std::copy(std::begin(gTextures), std::end(gTextures), saved.begin());
    for (int i : indices) {
        gTextures[i] = solidTexture(255, 0, 255);
    }
    const Screen f = drawFrameAt(m);
    for (int i : indices) {
        glDeleteTextures(1, &gTextures[i]);
        gTextures[i] = saved[static_cast<size_t>(i)];
    }
    return f;
}

Screen withoutPlayersCraft(const Moment& m) {
    m.restore();
    gPlayer.model.displayList = EMPTY_LIST;
    const Screen f = drawRaceFrame();
    gPlayer.model.displayList = m.player.model.displayList;
    return f;
}

struct Spot {
    double x = 0, y = 0;
    long count = 0;
};

// Where the pixels that differ between two frames lie, on average.
Spot changedSpot(const Screen& a, const Screen& b) {
    Spot s;
    for (int y = 0; y < H; ++y) {
        for (int x = 0; x < W; ++x) {
            const auto p = a.at(x, y);
            const auto q = b.at(x, y);
            if (p != q) {
                s.x += x;
                s.y += y;
                ++s.count;
            }
        }
    }
    if (s.count > 0) {
        s.x /= static_cast<double>(s.count);
        s.y /= static_cast<double>(s.count);
    }
    return s;
}

double distanceToCentreLine(const Vector3& p) {
    double best = 1e18;
    for (double t = 0.0; t < TRACK_PERIOD; t += 0.0005) {
        best = std::min(best, std::hypot(p.x - gTrack.centreX(t), p.z - gTrack.centreZ(t)));
    }
    return best;
}

// The road patch just below the craft on screen.
double roadShareBelowCraft(const Screen& normal, const Screen& painted) {
    return changedShare(normal, painted, W / 2 - 60, H / 2 + 170, W / 2 + 60, H / 2 + 250);
}

class RaceFrames : public testing::Test {
protected:
    static void SetUpTestSuite() {
        static bool ready = false;
        if (ready) {
            return;
        }
        ready = true;
        useSharedGlTestWindow();
        // A missing asset would end the whole program inside the set-up.
        dataReady_ = chdir(ZENTRIX_SOURCE_DIR) == 0 && access("data/nau.ase", R_OK) == 0;
        if (!dataReady_) {
            return;
        }
        // Same as a game that never seeds the generator.
        std::srand(1);
        setupScene(rasterizeOverlayGlyphs());
        LapClock::setSource([]() -> uint32_t { return 0; });  // a race clock that stands still
        start_ = new Moment(Moment::now());
    }

    void SetUp() override {
        ASSERT_TRUE(dataReady_) << "the game's data/ is not in " << ZENTRIX_SOURCE_DIR;
        releaseAllKeys();
        gCameraMode = 0;
        gCockpitView = 0;
        start_->restore();
    }
    void TearDown() override {
        releaseAllKeys();
        gCameraMode = 0;
        gCockpitView = 0;
    }

    static bool dataReady_;
    static Moment* start_;
};
bool RaceFrames::dataReady_ = false;
Moment* RaceFrames::start_ = nullptr;

TEST_F(RaceFrames, SetUpLeavesLightsBlendingListsAndTexturesReady) {
    EXPECT_TRUE(isEnabled(GL_NORMALIZE));
    EXPECT_TRUE(isEnabled(GL_LIGHT0));
    EXPECT_TRUE(isEnabled(GL_LIGHT1));
    EXPECT_FALSE(isEnabled(GL_LIGHT2));
    EXPECT_FALSE(isEnabled(GL_COLOR_MATERIAL));
    std::array<GLfloat, 4> diffuse{};
    glGetLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse.data());
    EXPECT_EQ(diffuse, (std::array<GLfloat, 4>{0, 0, 1, 1}));
    glGetLightfv(GL_LIGHT1, GL_DIFFUSE, diffuse.data());
    EXPECT_EQ(diffuse, (std::array<GLfloat, 4>{1, 1, 1, 1}));
    EXPECT_TRUE(isEnabled(GL_BLEND));
    EXPECT_EQ(integerState(GL_BLEND_SRC), GL_SRC_ALPHA);
    EXPECT_EQ(integerState(GL_BLEND_DST), GL_ONE_MINUS_SRC_ALPHA);
    for (GLuint list = 128; list <= 133; ++list) {
        EXPECT_TRUE(glIsList(list)) << list;
    }
    EXPECT_EQ(gPlayer.model.displayList, 128u);
    for (int i = 0; i < OPPONENT_COUNT; ++i) {
        EXPECT_EQ(gOpponents[i].model.displayList, 129u + static_cast<uint32_t>(i));
        EXPECT_FALSE(gOpponents[i].model.objects.empty());
    }
    for (int i = 0; i < TEXTURE_COUNT; ++i) {
        EXPECT_TRUE(glIsTexture(gTextures[i])) << TEXTURE_FILES[static_cast<size_t>(i)];
    }
    EXPECT_EQ(gPlayer.position, Vector3(gTrack.centreX(0.0), 40.0, gTrack.centreZ(0.0)));
    EXPECT_EQ(gPlayer.yaw, 3.141592f);
    EXPECT_EQ(gPlayer.speed, 0.0f);
}

TEST_F(RaceFrames, OpponentsDrawStartValuesLaneAndColoursInTurn) {
    std::srand(1);
    for (int i = 0; i < OPPONENT_COUNT; ++i) {
        const Opponent& o = gOpponents[i];
        SCOPED_TRACE(i);
        EXPECT_EQ(o.speed, static_cast<float>((std::rand() % 80) / 25000.0 + 0.001));
        EXPECT_EQ(start_->opponents[static_cast<size_t>(i)].lambda,
                  (std::rand() % 40) / 250000.0 - 0.1);
        for (int weave = 0; weave < 4; ++weave) {
            std::rand();
        }
        EXPECT_EQ(o.lane, std::rand() % 100);
        for (const MeshObject& object : o.model.objects) {
            EXPECT_EQ(object.color.r, (std::rand() % 100) / 100.0);
            EXPECT_EQ(object.color.g, (std::rand() % 100) / 100.0);
            EXPECT_EQ(object.color.b, (std::rand() % 100) / 100.0);
        }
    }
}

TEST_F(RaceFrames, TheTestsRaceStartLinesUpTheSameGridAsTheGame) {
    // The grid the real scene set-up left, before any frame moved it.
    struct Grid {
        float speed;
        double lambda;
        int32_t lane;
        double red;
    };
    Grid game[OPPONENT_COUNT];
    for (int i = 0; i < OPPONENT_COUNT; ++i) {
        const Opponent& o = gOpponents[i];
        game[i] = {o.speed, start_->opponents[static_cast<size_t>(i)].lambda, o.lane,
                   o.model.objects.front().color.r};
    }
    testsupport::SavedRace saved;
    testsupport::startRaceWithoutGraphics();
    for (int i = 0; i < OPPONENT_COUNT; ++i) {
        SCOPED_TRACE(i);
        const Opponent& o = gOpponents[i];
        EXPECT_EQ(o.speed, game[i].speed);
        EXPECT_EQ(o.lambda, game[i].lambda);
        EXPECT_EQ(o.lane, game[i].lane);
        EXPECT_EQ(o.model.objects.front().color.r, game[i].red);
    }
    saved.restore();
}

TEST_F(RaceFrames, AtTheStartTheSkyIsAboveTheRoadBelowAndTheCraftInTheMiddle) {
    const Screen start = drawFrameAt(*start_);
    savePicture(start, "start");

    const Screen skyPainted = withTexturesPainted(
        *start_,
        {TEX_SKY_FRONT, TEX_SKY_RIGHT, TEX_SKY_BACK, TEX_SKY_LEFT, TEX_SKY_TOP, TEX_SKY_BOTTOM});
    EXPECT_GT(changedShare(start, skyPainted, 0, 0, W, H / 8), 0.9);

    const Screen roadPainted = withTexturesPainted(*start_, {TEX_ROAD});
    EXPECT_GT(roadShareBelowCraft(start, roadPainted), 0.8);
    EXPECT_LT(changedShare(start, roadPainted, 0, 0, W, H / 8), 0.01);

    const Spot craft = changedSpot(start, withoutPlayersCraft(*start_));
    EXPECT_GT(craft.count, 2000);
    EXPECT_NEAR(craft.x, W / 2, 120);
    EXPECT_NEAR(craft.y, H / 2, 150);
}

// The frame drawn unseen while the window shows leaves nothing behind: no
// scissor, no draw from the race's random sequence, the same next picture.
TEST_F(RaceFrames, AFrameDrawnUnseenLeavesTheNextPictureAndTheRandomSequenceAlone) {
    const Screen usual = drawFrameAt(*start_);
    start_->restore();
    std::srand(7);
    drawFrameToWarmUp();
    const int drawn = std::rand();
    std::srand(7);
    EXPECT_EQ(drawn, std::rand());
    EXPECT_FALSE(isEnabled(GL_SCISSOR_TEST));
    EXPECT_EQ(changedShare(usual, drawRaceFrame(), 0, 0, W, H), 0.0);
}

TEST_F(RaceFrames, HoldingUpDrivesThroughTheSceneAndKeepsTheCraftOnTheRoad) {
    const Screen start = drawFrameAt(*start_);
    start_->restore();
    recordKeyDown(VK_UP);
    for (int frame = 0; frame < 120; ++frame) {
        renderFrame();
    }
    recordKeyUp(VK_UP);
    const Moment later = Moment::now();
    const Screen moved = drawFrameAt(later);
    savePicture(moved, "mid_race");

    EXPECT_GT(gPlayer.position.distanceTo(start_->player.position), 1000.0);
    EXPECT_GT(changedShare(start, moved, 0, 0, W, H), 0.2);
    EXPECT_LT(distanceToCentreLine(later.player.position), 600.0);
    EXPECT_GT(roadShareBelowCraft(moved, withTexturesPainted(later, {TEX_ROAD})), 0.8);
}

TEST_F(RaceFrames, EachChaseCameraPresetGivesItsOwnPicture) {
    std::vector<Screen> pictures;
    for (int mode = 0; mode < 7; ++mode) {
        gCameraMode = mode;
        pictures.push_back(drawFrameAt(*start_));
    }
    for (size_t a = 0; a < pictures.size(); ++a) {
        for (size_t b = a + 1; b < pictures.size(); ++b) {
            EXPECT_GT(changedShare(pictures[a], pictures[b], 0, 0, W, H), 0.01)
                << "presets " << a << " and " << b;
        }
    }
}

TEST_F(RaceFrames, CockpitViewDoesNotDrawThePlayersCraft) {
    gCockpitView = 1;
    const Screen cockpit = drawFrameAt(*start_);
    EXPECT_EQ(changedSpot(cockpit, withoutPlayersCraft(*start_)).count, 0);
    gCockpitView = 0;
    EXPECT_GT(changedSpot(drawFrameAt(*start_), withoutPlayersCraft(*start_)).count, 0);
}

}  // namespace

// The frame is drawn more cheaply than it used to be: the sky after the road
// and the craft, textures without mipmaps. Neither may change a single pixel,
// so whole frames from moments of a scripted race are drawn both ways and
// compared pixel for pixel.
#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

#include "assets/data_dir.h"
#include "craft/exhaust_glow.h"
#include "craft/opponent.h"
#include "craft/player.h"
#include "craft/projectile.h"
#include "hud/hud.h"
#include "images/bitmap_file.h"
#include "images/texture.h"
#include "images/texture_ids.h"
#include "models/model.h"
#include "models/palette.h"
#include "race/camera.h"
#include "race/lap_clock.h"
#include "race/race.h"
#include "race/standings.h"
#include "render/camera_view.h"
#include "render/craft_draw.h"
#include "render/frame_draw.h"
#include "render/projection.h"
#include "render/scene.h"
#include "render/shadow.h"
#include "render/skybox.h"
#include "render/track_draw.h"
#include "support/gl_test_window.h"
#include "support/saved_race.h"
#include "support/scene_window.h"
#include "support/screen.h"
#include "support/test_display.h"
#include "track/track.h"

using testsupport::Pixel;
using testsupport::Screen;

namespace {

// The sky as the frame drew it when it came first: depth testing off, so it
// wrote no depth and everything after covered it.
void drawSkyFirst() {
    glEnable(GL_TEXTURE_2D);
    glDisable(GL_LIGHTING);
    glDisable(GL_CULL_FACE);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    applyColor(COLOR_WHITE);
    for (const SkyFace& face :
         skyboxFaces(0.0f, SKYBOX_CENTRE_Y, 0.0f, SKYBOX_WIDTH, SKYBOX_HEIGHT, SKYBOX_LENGTH)) {
        glBindTexture(GL_TEXTURE_2D, gTextures[face.texture]);
        glBegin(GL_QUADS);
        for (const SkyVertex& v : face.corners) {
            glTexCoord2f(v.s, v.t);
            glVertex3f(v.x, v.y, v.z);
        }
        glEnd();
    }
    glEnable(GL_BLEND);
    glEnable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_DEPTH_TEST);
}

// The race's picture in its old order, the sky before everything else.
void drawRaceSceneSkyFirst() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    loadGameProjection();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    applyCamera();
    placeLights();
    drawSkyFirst();
    const bool craftShows = gCockpitView == 0;
    drawPlayerCraft(gPlayer, craftShows);
    drawTrack(gTrack, gPlayer.position, gPlayer.lambda);
    if (craftShows) {
        drawShadow(Vector3(gPlayer.position.x, 0.0, gPlayer.position.z), Vector3(140.0, 0.0, 40.0),
                   -gPlayer.yaw * 180.0f / 3.141592f);
    }
    for (int i = 0; i < OPPONENT_COUNT; ++i) {
        if (gOpponents[i].destroyed == 0) {
            drawOpponentCraft(gOpponents[i], COLOR_BLUE + i);
            drawShadow(Vector3(gOpponents[i].position.x, 0.0, gOpponents[i].position.z),
                       Vector3(90.0, 0.0, 90.0), 0.0f);
        }
    }
    if (craftShows) {
        gExhaust.draw();
    }
    if (gProjectile.active == 1) {
        gProjectile.draw();
    }
    drawPositionIndicator();
}

// A whole frame as the player would see it, scene and HUD, from one moment.
template <typename DrawScene>
Screen frameAt(const testsupport::SavedRace& moment, DrawScene drawScene) {
    moment.restore();
    std::srand(11);  // the glow's jitter, the same for every picture of a moment
    drawScene();
    drawHud();
    return Screen();
}

struct PictureDifference {
    int pixels = 0;
    int firstX = -1;
    int firstY = -1;
};

PictureDifference comparePictures(const Screen& a, const Screen& b) {
    PictureDifference d;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (a.at(x, y) != b.at(x, y)) {
                if (d.pixels++ == 0) {
                    d.firstX = x;
                    d.firstY = y;
                }
            }
        }
    }
    return d;
}

// The textures as the game used to load them: every one with its mipmap chain.
std::array<uint32_t, TEXTURE_COUNT> mipmappedTextures() {
    std::array<uint32_t, TEXTURE_COUNT> table{};
    for (int index = 0; index < TEXTURE_COUNT; ++index) {
        const auto image = loadBitmapRgb(dataPath(TEXTURE_FILES[static_cast<size_t>(index)]));
        if (!image) {
            ADD_FAILURE() << TEXTURE_FILES[static_cast<size_t>(index)] << " does not load";
            continue;
        }
        GLuint name = 0;
        glGenTextures(1, &name);
        glBindTexture(GL_TEXTURE_2D, name);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        gluBuild2DMipmaps(GL_TEXTURE_2D, 3, image->width, image->height, GL_RGB, GL_UNSIGNED_BYTE,
                          image->pixels.data());
        glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
        if (textureClampsAtEdges(index)) {
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
        }
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        table[static_cast<size_t>(index)] = name;
    }
    return table;
}

GLint levelWidth(uint32_t texture, int level) {
    glBindTexture(GL_TEXTURE_2D, texture);
    GLint width = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_WIDTH, &width);
    return width;
}

uint32_t gSameNow = 0;
uint32_t samePictureClock() {
    return gSameNow;
}

// Full throttle, steering for the centre line a little ahead, as a player
// keeping to the road would.
KeyboardInput followTheRoad() {
    const double ahead = gPlayer.lambda + 0.02;
    const double dx = gTrack.centreX(ahead) - gPlayer.position.x;
    const double dz = gTrack.centreZ(ahead) - gPlayer.position.z;
    const double turn = std::remainder(std::atan2(dz, dx) - gPlayer.yaw, 2.0 * GAME_PI);
    KeyboardInput keys;
    keys.up = true;
    keys.right = turn > 0.02;
    keys.left = turn < -0.02;
    return keys;
}

class SamePicture : public testsupport::SceneWindowTest {
protected:
    static void SetUpTestSuite() {
        gSameNow = 100000;
        // The frames are read before any swap: they need no keeping. The seed
        // gives the opponents the same values on every run.
        ASSERT_NO_FATAL_FAILURE(openSceneWindow(samePictureClock, Frames::Shown, 1));
        scriptRace();
    }
    static void TearDownTestSuite() {
        delete moments_;
        closeSceneWindow();
    }
    void TearDown() override {
        raceAsFound().restore();
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }

    struct Moment {
        std::string name;
        testsupport::SavedRace race;
    };

    static void keep(const std::string& name) { moments_->push_back({name, {}}); }
    static const testsupport::SavedRace& moment(const std::string& name) {
        for (const Moment& m : *moments_) {
            if (m.name == name) {
                return m.race;
            }
        }
        throw std::logic_error("no moment " + name);
    }

    template <typename Keys>
    static void drive(Keys keys, int frames) {
        for (int i = 0; i < frames; ++i) {
            gSameNow += 16;
            stepRace(keys());
        }
    }

    // Set down on the centre line just behind the last opponent, facing along
    // the track, with the whole field ahead in view.
    static void catchUpWithTheOpponents() {
        double last = gOpponents[0].lambda;
        for (const Opponent& opponent : gOpponents) {
            last = std::min(last, opponent.lambda);
        }
        const double t = last - 0.01;
        gPlayer.position = Vector3(gTrack.centreX(t), 40.0, gTrack.centreZ(t));
        gPlayer.yaw = static_cast<float>(std::atan2(gTrack.centreZ(t + 0.001) - gTrack.centreZ(t),
                                                    gTrack.centreX(t + 0.001) - gTrack.centreX(t)));
        gPlayer.yawRate = 0.0f;
        gPlayer.lambda = t;
    }

    // One race, from the grid along the track at full throttle, a shot, then
    // into the wall; the moments worth a picture are kept on the way.
    static void scriptRace() {
        moments_ = new std::vector<Moment>();
        drive([] { return KeyboardInput{}; }, 1);  // the first refresh gives the place digit
        keep("start");
        drive(followTheRoad, 300);
        keep("at speed");
        for (int preset = 1; preset < static_cast<int>(CHASE_CAMERA_PRESETS.size()); ++preset) {
            gCameraMode = preset;
            keep("at speed, chase view " + std::to_string(preset));
        }
        gCameraMode = 0;
        gCockpitView = 1;
        keep("at speed, cockpit");
        gCockpitView = 0;
        drive(
            [] {
                KeyboardInput keys = followTheRoad();
                keys.space = true;
                return keys;
            },
            1);
        drive(followTheRoad, 4);
        keep("shot in flight");
        nearWall_ = false;
        for (int i = 0; i < 300 && !nearWall_; ++i) {
            drive(
                [] {
                    KeyboardInput keys;
                    keys.up = true;
                    keys.right = true;
                    return keys;
                },
                1);
            nearWall_ = gTrack.isNearWall(gPlayer.dist) != 0;
        }
        keep("against the wall");
        gCockpitView = 1;
        keep("against the wall, cockpit");
        gCockpitView = 0;
        catchUpWithTheOpponents();
        drive(followTheRoad, 2);
        keep("behind the opponents");
    }

    static std::vector<Moment>* moments_;
    static bool nearWall_;
};
std::vector<SamePicture::Moment>* SamePicture::moments_ = nullptr;
bool SamePicture::nearWall_ = false;

TEST_F(SamePicture, TheScriptedRaceReachesEveryMoment) {
    ASSERT_EQ(moments_->size(), 13u);
    EXPECT_GT(moment("at speed").player.speed, 100.0f);
    EXPECT_EQ(moment("at speed, cockpit").cockpitView, 1);
    EXPECT_EQ(moment("shot in flight").projectile.active, 1);
    EXPECT_TRUE(nearWall_);
}

TEST_F(SamePicture, TheSkyDrawnBehindTheSceneGivesTheFrameItGaveWhenDrawnFirst) {
    for (const Moment& moment : *moments_) {
        SCOPED_TRACE(moment.name);
        const Screen skyFirst = frameAt(moment.race, drawRaceSceneSkyFirst);
        const Screen skyBehind = frameAt(moment.race, drawRaceScene);
        // A picture with sky, road and craft in it, not an empty screen.
        EXPECT_GT(skyBehind.meanBrightness(0, 0, skyBehind.width(), skyBehind.height()), 20.0);
        const PictureDifference d = comparePictures(skyFirst, skyBehind);
        EXPECT_EQ(d.pixels, 0) << "first at " << d.firstX << ", " << d.firstY;
    }
}

TEST_F(SamePicture, TexturesWithoutMipmapsGiveTheFrameTheMipmappedOnesGave) {
    const std::array<uint32_t, TEXTURE_COUNT> loaded = [] {
        std::array<uint32_t, TEXTURE_COUNT> t{};
        std::copy(std::begin(gTextures), std::end(gTextures), t.begin());
        return t;
    }();
    const std::array<uint32_t, TEXTURE_COUNT> mipmapped = mipmappedTextures();
    for (int index = 0; index < TEXTURE_COUNT; ++index) {
        const size_t i = static_cast<size_t>(index);
        EXPECT_EQ(levelWidth(loaded[i], 0), levelWidth(mipmapped[i], 0)) << index;
        EXPECT_EQ(levelWidth(loaded[i], 1), 0) << index << ": the game builds no smaller levels";
        EXPECT_GT(levelWidth(mipmapped[i], 1), 0) << index;
    }
    for (const Moment& moment : *moments_) {
        SCOPED_TRACE(moment.name);
        const Screen baseOnly = frameAt(moment.race, drawRaceScene);
        std::copy(mipmapped.begin(), mipmapped.end(), std::begin(gTextures));
        const Screen withMipmaps = frameAt(moment.race, drawRaceScene);
        std::copy(loaded.begin(), loaded.end(), std::begin(gTextures));
        const PictureDifference d = comparePictures(withMipmaps, baseOnly);
        EXPECT_EQ(d.pixels, 0) << "first at " << d.firstX << ", " << d.firstY;
    }
    glDeleteTextures(TEXTURE_COUNT, mipmapped.data());
}

}  // namespace

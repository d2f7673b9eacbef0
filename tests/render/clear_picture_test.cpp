// What the player reads off a race frame drawn with the game's own data: the
// place digit against the sky, the road over the start line, the corners of
// the sky box.
#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "hud/hud.h"
#include "images/texture.h"
#include "images/texture_ids.h"
#include "race/camera.h"
#include "race/race.h"
#include "race/standings.h"
#include "render/camera_view.h"
#include "render/projection.h"
#include "render/skybox.h"
#include "render/track_draw.h"
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
using testsupport::Screen;

namespace {

// Relative luminance of an sRGB pixel, as contrast ratios are reckoned.
double luminance(const Pixel& p) {
    const auto linear = [](uint8_t byte) {
        const double c = byte / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(p[0]) + 0.7152 * linear(p[1]) + 0.0722 * linear(p[2]);
}

double contrastRatio(double a, double b) {
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

int brightness(const Pixel& p) {
    return (p[0] + p[1] + p[2]) / 3;
}

// Around the digit's quad (x 870..973, y 27..127), with room for its rim.
constexpr int DIGIT_LEFT = 855;
constexpr int DIGIT_TOP = 12;
constexpr int DIGIT_RIGHT = 990;
constexpr int DIGIT_BOTTOM = 143;
// How far around the strokes the eye compares them with what lies behind.
constexpr int SURROUND = 6;

struct DigitReading {
    int strokePixels = 0;
    double stroke = 0.0;     // mean luminance of the strokes in the race frame
    double surround = 0.0;   // of the picture within SURROUND pixels of them
    double skyBehind = 0.0;  // of the same stroke pixels with no digit drawn
    double red = 0.0;        // mean channels of the strokes
    double blue = 0.0;

    double contrast() const { return contrastRatio(stroke, surround); }
};

// The strokes are where the digit drawn alone over black is at its brightest.
std::vector<bool> strokeMask(const Screen& alone) {
    int brightest = 0;
    for (int y = DIGIT_TOP; y < DIGIT_BOTTOM; ++y) {
        for (int x = DIGIT_LEFT; x < DIGIT_RIGHT; ++x) {
            brightest = std::max(brightest, brightness(alone.at(x, y)));
        }
    }
    constexpr int width = DIGIT_RIGHT - DIGIT_LEFT;
    std::vector<bool> mask(static_cast<size_t>(width * (DIGIT_BOTTOM - DIGIT_TOP)), false);
    for (int y = DIGIT_TOP; y < DIGIT_BOTTOM; ++y) {
        for (int x = DIGIT_LEFT; x < DIGIT_RIGHT; ++x) {
            mask[static_cast<size_t>((y - DIGIT_TOP) * width + x - DIGIT_LEFT)] =
                brightest > 0 && brightness(alone.at(x, y)) * 10 >= brightest * 6;
        }
    }
    return mask;
}

DigitReading readDigit(const Screen& frame, const Screen& noDigit, const Screen& alone) {
    const std::vector<bool> mask = strokeMask(alone);
    constexpr int width = DIGIT_RIGHT - DIGIT_LEFT;
    const auto inStroke = [&mask](int x, int y) {
        if (x < DIGIT_LEFT || x >= DIGIT_RIGHT || y < DIGIT_TOP || y >= DIGIT_BOTTOM) {
            return false;
        }
        return static_cast<bool>(
            mask[static_cast<size_t>((y - DIGIT_TOP) * width + x - DIGIT_LEFT)]);
    };
    DigitReading r;
    int surroundPixels = 0;
    for (int y = DIGIT_TOP; y < DIGIT_BOTTOM; ++y) {
        for (int x = DIGIT_LEFT; x < DIGIT_RIGHT; ++x) {
            const Pixel p = frame.at(x, y);
            if (inStroke(x, y)) {
                ++r.strokePixels;
                r.stroke += luminance(p);
                r.skyBehind += luminance(noDigit.at(x, y));
                r.red += p[0];
                r.blue += p[2];
                continue;
            }
            bool near = false;
            for (int dy = -SURROUND; dy <= SURROUND && !near; ++dy) {
                for (int dx = -SURROUND; dx <= SURROUND && !near; ++dx) {
                    near = inStroke(x + dx, y + dy);
                }
            }
            if (near) {
                ++surroundPixels;
                r.surround += luminance(p);
            }
        }
    }
    if (r.strokePixels > 0) {
        r.stroke /= r.strokePixels;
        r.skyBehind /= r.strokePixels;
        r.red /= r.strokePixels;
        r.blue /= r.strokePixels;
    }
    if (surroundPixels > 0) {
        r.surround /= surroundPixels;
    }
    return r;
}

uint32_t stoppedClock() {
    return 100000;
}

class ClearPicture : public testsupport::SceneWindowTest {
protected:
    static void SetUpTestSuite() { openSceneWindow(stoppedClock); }
    static void TearDownTestSuite() { closeSceneWindow(); }
    void SetUp() override {
        raceAtStart().restore();
        gFrameCounter = 1;  // not a refresh frame: the place stays as the test sets it
        std::copy(std::begin(gTextures), std::end(gTextures), textures_);
    }
    void TearDown() override {
        putBackTextures();
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }

    // Swaps the texture at index for one of a single colour, made here.
    void paint(int index, uint8_t r, uint8_t g, uint8_t b) {
        painted_.push_back(testsupport::solidTexture(r, g, b));
        gTextures[index] = painted_.back();
    }
    void paintSky(uint8_t level) {
        for (int i = TEX_SKY_FRONT; i <= TEX_SKY_BOTTOM; ++i) {
            paint(i, level, level, level);
        }
    }
    void putBackTextures() {
        std::copy(std::begin(textures_), std::end(textures_), gTextures);
        glDeleteTextures(static_cast<GLsizei>(painted_.size()), painted_.data());
        painted_.clear();
    }

    // The start of the race with the player in the given place, as the frame draws it.
    static DigitReading digitAtStart(int32_t place) {
        raceAtStart().restore();
        gFrameCounter = 1;
        gRacePosition = place;
        const Screen frame = drawFrame();
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        drawPositionIndicator();
        const Screen alone;
        raceAtStart().restore();
        gFrameCounter = 1;
        gRacePosition = 0;
        const Screen noDigit = drawFrame();
        return readDigit(frame, noDigit, alone);
    }

    static Screen drawFrame() {
        std::srand(7);  // the glow's jitter, the same in every picture
        renderFrame();
        return Screen();
    }

    uint32_t textures_[TEXTURE_COUNT] = {};
    std::vector<GLuint> painted_;
};

void printReading(const char* sky, int place, const DigitReading& r) {
    std::printf(
        "%s sky, place %d: %d stroke pixels, luminance %.3f against %.3f around (%.2f:1), "
        "sky behind %.3f (%.2f:1)\n",
        sky, place, r.strokePixels, r.stroke, r.surround, r.contrast(), r.skyBehind,
        contrastRatio(r.stroke, r.skyBehind));
}

TEST_F(ClearPicture, ThePlaceDigitStandsOutFromTheSkyInEveryPlace) {
    for (int32_t place = 1; place <= 6; ++place) {
        const DigitReading r = digitAtStart(place);
        printReading("race", place, r);
        ASSERT_GT(r.strokePixels, 300) << "place " << place;
        EXPECT_GE(r.contrast(), 3.0) << "place " << place;
        // The image glows orange to white-hot; the craft's blue riding light
        // must not tint it.
        EXPECT_GT(r.red, r.blue + 20.0) << "place " << place;
    }
}

TEST_F(ClearPicture, ThePlaceDigitStaysLegibleOverAWhiteAGreyOrABlackSky) {
    struct Sky {
        const char* name;
        uint8_t level;
    };
    for (const Sky& sky : {Sky{"white", 255}, Sky{"grey", 128}, Sky{"black", 0}}) {
        paintSky(sky.level);
        for (int32_t place : {1, 4}) {
            const DigitReading r = digitAtStart(place);
            printReading(sky.name, place, r);
            EXPECT_GE(r.contrast(), 3.0) << sky.name << " sky, place " << place;
            // Bright in itself, not only by darkening what lies around it.
            EXPECT_GT(r.stroke, 0.5) << sky.name << " sky, place " << place;
        }
        putBackTextures();
    }
}

TEST_F(ClearPicture, TheRoadOverTheStartLineIsDrawnOnlyOnce) {
    // Seen from straight above the flat track, every road pixel is one point of
    // the road. Drawn with XOR and no depth test, a pixel the road covers twice
    // comes out black where a plain drawing shows it grey.
    paint(TEX_ROAD, 200, 200, 200);
    paint(TEX_WALL_RIGHT, 0, 0, 0);
    paint(TEX_WALL_LEFT, 0, 0, 0);
    const Vector3 start(gTrack.centreX(0.0), 0.0, gTrack.centreZ(0.0));
    gPlayer.lambda = 0.0;
    gPlayer.position = start + Vector3(0.0, 25000.0, 0.0);  // too far for the start posts
    loadGameProjection();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(start.x, 25000.0, start.z, start.x, 0.0, start.z, -1.0, 0.0, 0.0);
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);

    glClear(GL_COLOR_BUFFER_BIT);
    drawTrack(gTrack, gPlayer.position, gPlayer.lambda);
    const Screen plain;
    glClear(GL_COLOR_BUFFER_BIT);
    glEnable(GL_COLOR_LOGIC_OP);
    glLogicOp(GL_XOR);
    drawTrack(gTrack, gPlayer.position, gPlayer.lambda);
    glDisable(GL_COLOR_LOGIC_OP);
    const Screen xored;
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_LIGHTING);

    int road = 0;
    int twice = 0;
    for (int y = 0; y < 768; ++y) {
        for (int x = 0; x < 1024; ++x) {
            if (brightness(plain.at(x, y)) > 20) {
                ++road;
                twice += brightness(xored.at(x, y)) == 0 ? 1 : 0;
            }
        }
    }
    std::printf("road pixels %d, drawn twice %d\n", road, twice);
    EXPECT_GT(road, 20000);
    EXPECT_EQ(twice, 0);
}

TEST_F(ClearPicture, TheSkyBoxCornerAtTheStartShowsNoDarkSeam) {
    gRacePosition = 0;
    const Screen frame = drawFrame();
    // The box's corner edge to the front left of the start line, where the
    // back and the left faces meet.
    const float x0 = -SKYBOX_WIDTH / 2;
    const float z1 = SKYBOX_LENGTH / 2;
    int rows = 0;
    int seams = 0;
    int lastRow = -1;
    int deepest = 0;  // how far the darkest pixel on the corner falls below both sides
    for (double height = SKYBOX_CENTRE_Y + SKYBOX_HEIGHT / 2; height > 0.0; height -= 1000.0) {
        double x = 0, y = 0;
        if (!testsupport::projectOnScreen(Vector3(x0, height, z1), &x, &y)) {
            continue;
        }
        const int row = static_cast<int>(std::lround(y));
        const int column = static_cast<int>(std::lround(x));
        // High in the sky, clear of the walls and the HUD.
        if (row == lastRow || row < 2 || row > 80 || column < 12 || column > 1011) {
            continue;
        }
        lastRow = row;
        ++rows;
        int dip = 255;
        for (int dx = -2; dx <= 2; ++dx) {
            dip = std::min(dip, brightness(frame.at(column + dx, row)));
        }
        const int left = brightness(frame.at(column - 8, row));
        const int right = brightness(frame.at(column + 8, row));
        deepest = std::max(deepest, std::min(left, right) - dip);
        if (dip + 6 < std::min(left, right)) {
            ++seams;
            std::printf("row %d: %d between %d and %d\n", row, dip, left, right);
        }
    }
    std::printf("%d rows across the corner, deepest dip %d\n", rows, deepest);
    EXPECT_GT(rows, 40);
    EXPECT_EQ(seams, 0) << "of " << rows << " rows across the corner";
}

}  // namespace

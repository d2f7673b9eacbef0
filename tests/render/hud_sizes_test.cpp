// Every block of the HUD at each of its sizes, looked at in the drawn picture:
// each inside the screen, none over another, and the larger sizes larger.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "craft/opponent.h"
#include "craft/player.h"
#include "hud/finish_panel.h"
#include "hud/frame_rate.h"
#include "hud/ghost_gap.h"
#include "hud/hud.h"
#include "hud/overlay.h"
#include "hud/pause_banner.h"
#include "hud/track_map.h"
#include "race/lap_clock.h"
#include "race/standings.h"
#include "support/scene_window.h"
#include "support/screen.h"

using testsupport::Pixel;
using testsupport::Screen;

namespace {
uint32_t gNow = 0;
uint32_t testClock() {
    return gNow;
}

using Box = std::array<int, 4>;  // x0, y0, x1, y1, inclusive

bool overlap(const Box& a, const Box& b) {
    return a[0] <= b[2] && b[0] <= a[2] && a[1] <= b[3] && b[1] <= a[3];
}

// A blue-grey the palette never draws in: the shades darken it and any text
// stands out from it.
constexpr float BACKDROP[3] = {0.25f, 0.3f, 0.45f};

bool differsFromBackdrop(const Pixel& p) {
    for (int c = 0; c < 3; ++c) {
        if (std::abs(p[c] - static_cast<int>(BACKDROP[c] * 255.0f + 0.5f)) > 6) {
            return true;
        }
    }
    return false;
}

Screen drawnOver(const float (&colour)[3], const std::function<void()>& draw) {
    glClearColor(colour[0], colour[1], colour[2], 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    draw();
    return Screen();
}

struct Block {
    std::string name;
    std::function<void()> draw;
};

struct Measured {
    Box covered;  // everything the block changes, its shade too
    Box lit;      // its text and marks alone, drawn over black
};

Measured measure(const Block& block) {
    static const float BLACK[3] = {0.0f, 0.0f, 0.0f};
    return {drawnOver(BACKDROP, block.draw).bounds(differsFromBackdrop),
            drawnOver(BLACK, block.draw).bounds(testsupport::isLit)};
}

FinishPanel fullPanel() {
    FinishPanel panel;
    panel.result.place = 2;
    panel.result.lapMs[0] = 41250;
    panel.result.lapMs[1] = 40125;
    panel.result.lapMs[2] = 65007;
    panel.result.bestLapMs = 40125;
    panel.result.raceMs = 146382;
    panel.newBestLap = true;
    panel.newBestRace = true;
    panel.ghostGapMs = -840;
    return panel;
}

// Everything a finished race shows, watched as a replay with the rate on.
std::vector<Block> everyBlock() {
    return {
        {"clock and laps", [] { drawHud(); }},
        {"best times", [] { drawBestTimes(40125, 146382); }},
        {"finish panel", [] { drawFinishPanel(fullPanel()); }},
        {"ghost gap", [] { drawGhostGap(-1200); }},
        {"replay banner", [] { drawReplayBanner(true); }},
        {"frame rate", [] { drawFrameRate(144.0, 60.0, true); }},
        {"place digit", [] { drawPositionIndicator(); }},
        {"track map", [] { drawTrackMap(); }},
    };
}

class HudSizes : public testsupport::SceneWindowTest {
protected:
    static void SetUpTestSuite() {
        gNow = 100000;
        openSceneWindow(testClock);
    }
    static void TearDownTestSuite() { closeSceneWindow(); }
    void SetUp() override {
        raceAtStart().restore();
        gLapClock.start();
        gNow = gLapClock.startMs + 146382;
        gLapClock.lapMs[0] = 41250;
        gLapClock.lapMs[1] = 40125;
        gLapClock.lapMs[2] = 65007;
        gFinalPlace = 2;
    }
    void TearDown() override {
        setHudSize(HudSize::Normal);
        gFinalPlace = 0;
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }
};
}  // namespace

TEST_F(HudSizes, EveryBlockStaysOnTheScreenAndClearOfTheOthersAtEverySize) {
    const auto clockHeight = [] {
        static const float BLACK[3] = {0.0f, 0.0f, 0.0f};
        const Box box = drawnOver(BLACK, [] { drawHud(); }).bounds(testsupport::isRed);
        return box[3] - box[1] + 1;
    };
    const int normalClock = clockHeight();
    ASSERT_GT(normalClock, 5);
    const std::vector<Block> blocks = everyBlock();
    for (const HudSize size : {HudSize::Normal, HudSize::Large, HudSize::Huge}) {
        setHudSize(size);
        SCOPED_TRACE(static_cast<int>(size));
        std::vector<Measured> measured;
        for (const Block& block : blocks) {
            measured.push_back(measure(block));
            const Box& lit = measured.back().lit;
            ASSERT_GE(lit[2], 0) << block.name << " draws nothing";
            // Text cut by an edge would end on it.
            EXPECT_GT(lit[0], 0) << block.name;
            EXPECT_GT(lit[1], 0) << block.name;
            EXPECT_LT(lit[2], 1023) << block.name;
            EXPECT_LT(lit[3], 767) << block.name;
        }
        for (size_t a = 0; a < blocks.size(); ++a) {
            for (size_t b = a + 1; b < blocks.size(); ++b) {
                EXPECT_FALSE(overlap(measured[a].covered, measured[b].covered))
                    << blocks[a].name << " and " << blocks[b].name;
            }
        }
        // The pause goes over the race notices in the middle on purpose, but
        // its words keep clear of the corners.
        const Box pauseWords = measure({"pause", [] { drawPauseBanner(); }}).lit;
        EXPECT_GT(pauseWords[0], 0);
        EXPECT_LT(pauseWords[2], 1023);
        for (size_t b = 0; b < blocks.size(); ++b) {
            if (blocks[b].name != "finish panel" && blocks[b].name != "ghost gap") {
                EXPECT_FALSE(overlap(pauseWords, measured[b].covered)) << blocks[b].name;
            }
        }
    }
    setHudSize(HudSize::Large);
    EXPECT_NEAR(clockHeight(), 1.5 * normalClock, 0.2 * normalClock);
    setHudSize(HudSize::Huge);
    EXPECT_NEAR(clockHeight(), 2.0 * normalClock, 0.2 * normalClock);
}

TEST_F(HudSizes, EachSizeHasAFontOfItsOwnBesideTheCraftsDisplayLists) {
    static const float BLACK[3] = {0.0f, 0.0f, 0.0f};
    const uint32_t fontEnd = gFontListBase + OVERLAY_CHAR_COUNT * HUD_SIZE_COUNT;
    std::vector<uint32_t> craftLists = {gPlayer.model.displayList};
    for (const Opponent& opponent : gOpponents) {
        craftLists.push_back(opponent.model.displayList);
    }
    for (const uint32_t list : craftLists) {
        EXPECT_TRUE(list < gFontListBase || list >= fontEnd) << list;
    }
    int previousWidth = 0;
    for (const HudSize size : {HudSize::Normal, HudSize::Large, HudSize::Huge}) {
        setHudSize(size);
        const std::string text = "@ABCDEFGHIJ0123456789:.";
        const Screen s = drawnOver(BLACK, [&text] {
            beginOverlay();
            glColor3f(1.0f, 0.0f, 0.0f);
            printAt(100.0f, 300.0f, "%s", text.c_str());
            endOverlay();
        });
        // A glyph's list taken over by a craft would draw the craft instead.
        const Box lit = s.bounds(testsupport::isLit);
        EXPECT_EQ(lit, s.bounds(testsupport::isRed)) << static_cast<int>(size);
        EXPECT_EQ(s.count(0, 0, 1024, 768, testsupport::isLit),
                  s.count(0, 0, 1024, 768, testsupport::isRed));
        // The text is as wide as overlayTextWidth says, within a glyph's margin.
        const int width = lit[2] - lit[0] + 1;
        EXPECT_NEAR(width, overlayTextWidth(text), overlayTextWidth("M"));
        EXPECT_GT(width, previousWidth);
        previousWidth = width;
    }
}

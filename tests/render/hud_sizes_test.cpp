// Every block of the HUD at each size on every shape of screen, measured in
// the drawn picture: each on the screen, none over another, the text as tall
// as the screen calls for, and the larger sizes larger.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "hud/countdown_banner.h"
#include "hud/finish_panel.h"
#include "hud/frame_rate.h"
#include "hud/ghost_gap.h"
#include "hud/hud.h"
#include "hud/menu_panel.h"
#include "hud/notice_lines.h"
#include "hud/overlay.h"
#include "hud/panel_pair.h"
#include "hud/pause_banner.h"
#include "hud/standings_panel.h"
#include "hud/track_map.h"
#include "hud/wrong_way_banner.h"
#include "race/standings.h"
#include "support/scene_window.h"
#include "support/screen.h"
#include "support/screen_target.h"

using testsupport::Pixel;
using testsupport::Screen;

namespace {
uint32_t gSizesNow = 0;
uint32_t sizesClock() {
    return gSizesNow;
}

using Box = std::array<int, 4>;  // x0, y0, x1, y1, inclusive

bool overlap(const Box& a, const Box& b) {
    return a[0] <= b[2] && b[0] <= a[2] && a[1] <= b[3] && b[1] <= a[3];
}

// Over blue-grey the shades show too; over black only the text and marks.
Box drawnBox(const testsupport::ScreenTarget& target, const std::function<void()>& draw,
             bool overBlack, bool (*test)(const Pixel&) = testsupport::isLit) {
    glClearColor(overBlack ? 0.0f : 0.25f, overBlack ? 0.0f : 0.3f, overBlack ? 0.0f : 0.45f, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    draw();
    const auto changed = [](const Pixel& p) {
        return std::abs(p[0] - 64) > 6 || std::abs(p[1] - 77) > 6 || std::abs(p[2] - 115) > 6;
    };
    const Screen screen = target.read();
    return overBlack ? screen.bounds(test) : screen.bounds(changed);
}

struct ScreenSize {
    int width;
    int height;
};
// From the smallest screen the game fits to a 4K one, 5:4 and 21:9 among them.
const ScreenSize SCREEN_SIZES[] = {{800, 600},   {1024, 768},  {1280, 720},  {1280, 1024},
                                   {1920, 1080}, {2560, 1080}, {3440, 1440}, {3840, 2160}};

class HudSizes : public testsupport::SceneWindowTest {
protected:
    static void SetUpTestSuite() { openSceneWindow(sizesClock); }
    static void TearDownTestSuite() { closeSceneWindow(); }
    void TearDown() override {
        setHudSize(HudSize::Normal);
        gFinalPlace = 0;
        raceAtStart().restore();
    }
};

TEST_F(HudSizes, EveryBlockStaysOnTheScreenAndClearOfTheOthersAtEverySize) {
    gLapClock.start();
    gSizesNow = gLapClock.startMs + 146382;
    gLapClock.lapMs[0] = 41250;
    gLapClock.lapMs[1] = 40125;
    gLapClock.lapMs[2] = 65007;
    gFinalPlace = 2;
    FinishPanel panel;  // the longest panel there is
    panel.result = {2, {41250, 40125, 65007}, 40125, 146382};
    panel.newBestLap = panel.newBestRace = true;
    panel.ghostGapMs = -840;
    // Three notices of trouble on disk at once, as long as they come.
    const std::string folder = "/home/a-player-with-a-long-name/.local/share/zentrix";
    const std::vector<ShownNotice> notices = {
        {"records file " + folder +
             "/records.txt is corrupt (line 3: no best-race-ms); kept it as " + folder +
             "/records.txt.corrupt-20260101-120000, racing with no records",
         1.0f},
        {"cannot save settings: " + folder +
             "/settings.ini: Permission denied; they last this "
             "run only",
         1.0f},
        {"cannot keep the last race: " + folder + "/replays/last.zxr: No space left on device",
         0.5f},
    };
    StandingsPanel standings;  // the final standings, the widest numbers
    standings.championship = 4294967295u;
    standings.difficulty = Difficulty::Normal;
    standings.racesRun = SEASON_RACES;
    standings.circuit = 4294967295u;
    standings.points = {40, 38, 30, 22, 16, 12};
    standings.lastPlaces = {1, 2, 3, 4, 5, 6};
    // A finished race watched as a replay, the frame rate on.
    const std::vector<std::pair<std::string, std::function<void()>>> blocks = {
        {"clock and laps", [] { drawHud(); }},
        {"best times", [] { drawBestTimes(40125, 146382); }},
        {"finish panel", [&panel] { drawFinishPanel(panel); }},
        {"ghost gap", [] { drawGhostGap(-1200); }},
        {"replay banner", [] { drawReplayBanner(false, true); }},
        {"frame rate", [] { drawFrameRate(144.0, 60.0, true); }},
        {"place digit", [] { drawPositionIndicator(); }},
        {"track map", [] { drawTrackMap(); }},
        {"speed", [] { drawSpeed(898.0f); }},
        {"disk notices", [&notices] { drawNoticeLines(notices); }},
        {"wrong way", [] { drawWrongWay(); }},
        {"countdown", [] { drawCountdown(0); }},  // GO, its widest
        {"standings", [&standings] { drawStandingsPanel(standings); }},
    };
    // WRONG WAY is told only while the race is on, and the countdown only
    // before and as it starts, so neither over the finish panel.
    // A season's standings stand in for the finish panel, so they show with
    // neither of those either.
    const auto together = [](const std::string& a, const std::string& b) {
        for (const char* panel : {"finish panel", "standings"}) {
            for (const char* other : {"wrong way", "countdown", "finish panel", "standings"}) {
                if (a != b && ((a == panel && b == other) || (a == other && b == panel))) {
                    return false;
                }
            }
        }
        return true;
    };
    // Neither WRONG WAY nor the countdown shows under the pause menu.
    const auto showsUnderThePause = [](const std::string& name) {
        return name != "finish panel" && name != "wrong way" && name != "countdown" &&
               name != "standings";
    };
    MenuPanel keys;  // the menu's tallest page, with its longest names
    keys.title = "KEYS";
    for (const char* action : {"Accelerate", "Brake", "Left", "Right", "Fire", "Camera", "Cockpit",
                               "Pause", "Race again", "Reset keys", "Back"}) {
        keys.lines.push_back({action, "Left Ctrl", "D-pad right"});
    }
    keys.valueHeading = "Key";
    keys.secondHeading = "Gamepad";
    keys.note = "Press the new key or pad button";
    keys.hint = "Enter then the new key - Esc back";
    MenuPanel top;  // the page a pause opens on, its widest hint
    top.title = "PAUSED";
    for (const auto& [label, value] : {std::pair{"Resume", ""},
                                       {"Race again", ""},
                                       {"Circuit", "4294967295_"},
                                       {"Ghost", "none yet"},
                                       {"Settings", ""},
                                       {"Quit", ""}}) {
        top.lines.push_back({label, value, ""});
    }
    top.hint = "Enter select - Left Right circuit - Esc quit";
    for (const ScreenSize& screenSize : SCREEN_SIZES) {
        SCOPED_TRACE(testing::Message() << screenSize.width << " x " << screenSize.height);
        const testsupport::ScreenTarget target(screenSize.width, screenSize.height);
        ASSERT_TRUE(target.ready());
        trackMapTrackChanged();
        const int right = screenSize.width - 1;
        const int bottom = screenSize.height - 1;
        int clockHeights[HUD_SIZE_COUNT];
        float measuredScale = 0.0f;
        for (const HudSize size : {HudSize::Normal, HudSize::Large, HudSize::Huge}) {
            setHudSize(size);
            SCOPED_TRACE(static_cast<int>(size));
            // Where the tallest panel keeps a size from growing, it is the last one again.
            if (overlayScale() == measuredScale) {
                clockHeights[static_cast<int>(size)] = clockHeights[static_cast<int>(size) - 1];
                continue;
            }
            measuredScale = overlayScale();
            std::vector<Box> covered;
            for (const auto& [name, draw] : blocks) {
                covered.push_back(drawnBox(target, draw, false));
                const Box lit = drawnBox(target, draw, true);
                ASSERT_GE(lit[2], 0) << name << " draws nothing";
                // Text cut by an edge would end on it.
                EXPECT_TRUE(lit[0] > 0 && lit[1] > 0 && lit[2] < right && lit[3] < bottom) << name;
            }
            for (size_t a = 0; a < blocks.size(); ++a) {
                for (size_t b = a + 1; b < blocks.size(); ++b) {
                    if (!together(blocks[a].first, blocks[b].first)) {
                        continue;
                    }
                    EXPECT_FALSE(overlap(covered[a], covered[b]))
                        << blocks[a].first << " and " << blocks[b].first;
                }
            }
            // The pause goes over the race notices in the middle on purpose,
            // but its words keep clear of the corners.
            for (const Box& pauseWords : {drawnBox(target, drawPauseBanner, true),
                                          drawnBox(
                                              target, [&keys] { drawMenuPanel(keys); }, true)}) {
                EXPECT_TRUE(pauseWords[0] > 0 && pauseWords[2] < right && pauseWords[1] > 0 &&
                            pauseWords[3] < bottom);
                for (size_t b = 0; b < blocks.size(); ++b) {
                    if (showsUnderThePause(blocks[b].first) && blocks[b].first != "ghost gap") {
                        EXPECT_FALSE(overlap(pauseWords, covered[b]))
                            << blocks[b].first << " " << pauseWords[1] << "-" << pauseWords[3]
                            << " over " << covered[b][1] << "-" << covered[b][3];
                    }
                }
            }
            // Paused over a finished race, the menu and the finish panel
            // share the screen: each whole, neither over the other.
            for (const MenuPanel* page : {&top, &keys}) {
                SCOPED_TRACE(page->title);
                const PanelPair pair = placePanelPair(panel, *page);
                const auto finishAlone = [&] { drawPairedFinishPanel(panel, pair); };
                const auto menuAlone = [&] { drawPairedMenuPanel(*page, pair); };
                const Box finish = drawnBox(target, finishAlone, false);
                const Box menu = drawnBox(target, menuAlone, false);
                EXPECT_FALSE(overlap(finish, menu));
                for (const Box& box : {finish, menu}) {
                    EXPECT_TRUE(box[0] > 0 && box[1] > 0 && box[2] < right && box[3] < bottom);
                    for (size_t b = 0; b < blocks.size(); ++b) {
                        if (showsUnderThePause(blocks[b].first)) {
                            EXPECT_FALSE(overlap(box, covered[b])) << blocks[b].first;
                        }
                    }
                }
                // The text stays a size that reads, and the HUD's own size
                // where the screen has room for both.
                EXPECT_GE(pair.textPixels, 8);
                EXPECT_LE(pair.textPixels, overlayTextPixels());
                if (screenSize.height == 768 && size == HudSize::Normal) {
                    EXPECT_EQ(pair.textPixels, overlayTextPixels());
                }
            }
            const Box clock = drawnBox(target, drawHud, true, testsupport::isRed);
            clockHeights[static_cast<int>(size)] = clock[3] - clock[1] + 1;
        }
        // The clock's digits: the design's 8 pixels up to 768 lines, and at
        // least 24 at 1080, 32 at 1440 and 48 at 2160.
        const int digits = clockHeights[0];
        const int lines = screenSize.height;
        const int least = lines <= 768    ? 8
                          : lines >= 1080 ? lines * 24 / 1080
                                          : 8 + 16 * (lines - 768) / 312;
        EXPECT_GE(digits, least);
        EXPECT_LE(digits, least + 3);
        // The larger sizes larger, as far as the tallest panel lets them be.
        EXPECT_GE(clockHeights[1], clockHeights[0]);
        EXPECT_GE(clockHeights[2], clockHeights[1]);
        if (screenSize.width == 1024 && screenSize.height == 768) {
            EXPECT_NEAR(clockHeights[1], 1.5 * digits, 0.2 * digits);
            EXPECT_NEAR(clockHeights[2], 2.0 * digits, 0.2 * digits);
        }
    }
    trackMapTrackChanged();
}

}  // namespace

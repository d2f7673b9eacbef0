// What lies over the HUD: the records above the clock, the finish panel and
// the pause, each drawn over a plain scene and looked at as a player would.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "hud/finish_panel.h"
#include "hud/standings_panel.h"
#include "hud/hud.h"
#include "hud/notice_lines.h"
#include "hud/overlay.h"
#include "hud/pause_banner.h"
#include "hud/speed_readout.h"
#include "models/palette.h"
#include "race/lap_clock.h"
#include "screen/overlay_glyphs.h"
#include "support/gl_state.h"
#include "support/gl_test_window.h"
#include "support/screen.h"

using testsupport::integerState;
using testsupport::Pixel;
using testsupport::Screen;

namespace {

FinishPanel panelFor(int32_t place, uint32_t lap1, uint32_t lap2, uint32_t lap3) {
    FinishPanel panel;
    panel.result.place = place;
    panel.result.lapMs[0] = lap1;
    panel.result.lapMs[1] = lap2;
    panel.result.lapMs[2] = lap3;
    panel.result.bestLapMs = std::min({lap1, lap2, lap3});
    panel.result.raceMs = lap1 + lap2 + lap3;
    return panel;
}

std::vector<std::string> textsOf(const std::vector<PanelLine>& lines) {
    std::vector<std::string> texts;
    for (const PanelLine& line : lines) {
        texts.push_back(line.text);
    }
    return texts;
}

std::vector<std::string> textsOf(const FinishPanel& panel) {
    return textsOf(finishPanelLines(panel));
}

bool isPlainAscii(const std::string& text) {
    for (const char c : text) {
        if (static_cast<unsigned char>(c) < 32 || static_cast<unsigned char>(c) > 126) {
            return false;
        }
    }
    return true;
}

bool isYellow(const Pixel& p) {
    return p[0] > 200 && p[1] > 200 && p[2] < 60;
}

TEST(SpeedReadout, ReadsKmhFromUnitsATickBackwardsAsForwardsAndNeverOverrunsItsFourPlaces) {
    const struct {
        float unitsPerTick;
        int kmh;
        const char* text;
    } cases[] = {
        {0.0f, 0, "   0 km/h"},      {-0.5f, 5, "   5 km/h"},     {1.8f, 19, "  19 km/h"},
        {300.0f, 3240, "3240 km/h"}, {898.0f, 9698, "9698 km/h"}, {1.0e9f, 9999, "9999 km/h"},
        {NAN, 9999, "9999 km/h"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(speedKmh(c.unitsPerTick), c.kmh) << c.unitsPerTick;
        EXPECT_EQ(speedText(c.unitsPerTick), c.text) << c.unitsPerTick;
    }
}

TEST(NoticeLines, BreakAtSpacesAndCutWhatDoesNotFitWithDots) {
    const struct {
        const char* text;
        size_t width;
        size_t most;
        std::vector<std::string> lines;
    } cases[] = {
        {"cannot save records", 40, 1, {"cannot save records"}},
        {"cannot save records: disk full", 20, 2, {"cannot save records:", "disk full"}},
        {"cannot save records: disk full", 20, 1, {"cannot save recor..."}},
        {"cannot save records: disk full", 12, 1, {"cannot sa..."}},
        {"/a/very/long/path/without/spaces", 10, 2, {"/a/very/lo", "ng/path..."}},
        {"", 10, 1, {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(noticeLines(c.text, c.width, c.most), c.lines) << c.text << " in " << c.width;
    }
}

TEST(FinishPanelText, TellsThePlaceTheThreeLapsTheBestLapTheRaceAndTheKeys) {
    const FinishPanel panel = panelFor(2, 41250, 40125, 65007);
    const std::vector<std::string> expected = {
        "FINISHED: 2nd place", "classic - normal",
        "lap 1      0:41:250", "lap 2      0:40:125",
        "lap 3      1: 5:007", "best lap   0:40:125",
        "race       2:26:382", "R race again - N next circuit - Esc quit",
    };
    EXPECT_EQ(textsOf(panel), expected);
    for (const PanelLine& line : finishPanelLines(panel)) {
        EXPECT_TRUE(isPlainAscii(line.text)) << "no glyph for part of \"" << line.text << "\"";
    }
    // The figures are the clock's own readings.
    EXPECT_EQ(expected[4] + "\n", "lap 3     " + clockText(65007));
    FinishPanel grown = panel;
    grown.circuit = 48213;
    EXPECT_EQ(textsOf(grown)[1], "circuit 48213 - normal");
    grown.difficulty = Difficulty::Hard;
    EXPECT_EQ(textsOf(grown)[1], "circuit 48213 - hard") << "how hard its opponents raced";
}

TEST(FinishPanelText, EveryPlaceHasItsOwnWordAndANewRecordIsAnnounced) {
    const char* const places[] = {"1st", "2nd", "3rd", "4th", "5th", "6th"};
    for (int place = 1; place <= 6; ++place) {
        EXPECT_EQ(textsOf(panelFor(place, 1, 2, 3))[0],
                  std::string("FINISHED: ") + places[place - 1] + " place");
    }
    FinishPanel lap = panelFor(1, 41000, 40000, 42000);
    lap.newBestLap = true;
    FinishPanel race = lap;
    race.newBestLap = false;
    race.newBestRace = true;
    FinishPanel both = lap;
    both.newBestRace = true;
    EXPECT_EQ(textsOf(lap)[7], "NEW RECORD: best lap!");
    EXPECT_EQ(textsOf(race)[7], "NEW RECORD: best race!");
    EXPECT_EQ(textsOf(both)[7], "NEW RECORDS: best lap and race!");
    EXPECT_EQ(finishPanelLines(both)[7].color, COLOR_YELLOW);
    EXPECT_EQ(textsOf(both).back(), "R race again - N next circuit - Esc quit");
    EXPECT_EQ(textsOf(panelFor(1, 41000, 40000, 42000)).size(), 8u) << "no news, no line";
}

// At a replay's end N has no next race to run and R starts the replay over.
TEST(FinishPanelText, AReplaysEndOffersTheReplaysOwnKeys) {
    FinishPanel panel = panelFor(4, 41000, 40000, 42000);
    panel.replay = true;
    EXPECT_EQ(textsOf(panel).back(), "R restart - B back 10 s - Esc quit");
    EXPECT_EQ(textsOf(panel).size(), 8u);
    panel.escBackToRacing = true;  // the pilot's run, watched from the menu
    EXPECT_EQ(textsOf(panel).back(), "R restart - B back 10 s - Esc back to racing");
}

// A time trial takes no place: it tells the medal its time won and the next
// one's time, whichever the medal.
TEST(FinishPanelText, ATimeTrialTellsItsMedalAndTheNextOnesTime) {
    const MedalTimes medals{188633, 207500, 235800, 283000};
    const struct {
        uint32_t lap3;  // after laps of 60 s and 61 s
        std::vector<std::string> told;
    } cases[] = {
        {190000, {"no medal", "next: bronze 4:43.000"}},
        {162000, {"Bronze medal!", "next: silver 3:55.800"}},
        {114800, {"Silver medal!", "next: gold 3:27.500"}},
        {86500, {"Gold medal!", "next: pilot 3:08.633"}},
        {67632, {"Pilot medal!"}},
        {67633, {"Gold medal!", "next: pilot 3:08.633"}},
    };
    for (const auto& c : cases) {
        FinishPanel panel = panelFor(1, 60000, 61000, c.lap3);
        panel.mode = RaceMode::TimeTrial;
        panel.medals = medals;
        const std::vector<std::string> texts = textsOf(panel);
        SCOPED_TRACE(texts[6]);
        EXPECT_EQ(texts[0], "FINISHED: time trial");
        const std::vector<std::string> told(texts.begin() + 7, texts.end() - 1);
        EXPECT_EQ(told, c.told);
    }
    FinishPanel unknown = panelFor(1, 60000, 61000, 62000);
    unknown.mode = RaceMode::TimeTrial;
    EXPECT_EQ(textsOf(unknown).size(), 8u) << "no medal times, no medal lines";
}

// Between a season's races the table in standings order, each driver in its
// own colour; after the last, the player's place too.
TEST(StandingsPanelText, TheTableInStandingsOrderThenThePlayersPlaceAtTheEnd) {
    StandingsPanel panel;
    panel.championship = 5;
    panel.difficulty = Difficulty::Hard;
    panel.racesRun = 2;
    panel.circuit = 48213;
    panel.points = {14, 18, 9, 16, 8, 7};
    panel.lastPlaces = {4, 1, 5, 2, 3, 6};
    std::vector<std::string> expected = {
        "STANDINGS - CHAMPIONSHIP 5 - HARD",
        "race 2 of 4: circuit 48213",
        "    driver  points  last race",
        "1   Vega        18  1st",
        "2   Lyra        16  2nd",
        "3   You         14  4th",
        "4   Orion        9  5th",
        "5   Rigel        8  3rd",
        "6   Nova         7  6th",
        "Enter or A next race - Esc quit",
    };
    EXPECT_EQ(textsOf(standingsPanelLines(panel)), expected);
    EXPECT_EQ(standingsPanelLines(panel)[5].color, COLOR_WHITE) << "the player";
    EXPECT_EQ(standingsPanelLines(panel)[3].color, COLOR_SKY_BLUE) << "the blue craft, lighter";
    EXPECT_EQ(standingsPanelLines(panel)[4].color, COLOR_GREEN) << "the third craft's own colour";

    panel.racesRun = 4;
    const std::vector<std::string> final = textsOf(standingsPanelLines(panel));
    EXPECT_EQ(final[0], "FINAL STANDINGS - CHAMPIONSHIP 5 - HARD");
    EXPECT_EQ(final[final.size() - 2], "You are 3rd of 6");
    EXPECT_EQ(final.back(), "Enter or A race on - Esc quit");
}

class RaceNotices : public testing::Test {
protected:
    void SetUp() override { createOverlayFont(rasterizeOverlayGlyphs()); }
    void TearDown() override { EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)); }

    // A mid-grey scene, so both dimming and bright text show.
    static void clearToGrey() {
        glClearColor(0.5f, 0.5f, 0.5f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }

    testsupport::GlTestWindow window_;
};

TEST_F(RaceNotices, TheFinishPanelDarkensTheUpperMiddleAndLeavesTheRestOfThePicture) {
    clearToGrey();
    const Screen before;
    FinishPanel panel = panelFor(3, 41000, 40000, 42000);
    panel.newBestRace = true;
    drawFinishPanel(panel);
    const Screen after;
    EXPECT_LT(after.meanBrightness(420, 160, 600, 300),
              0.6 * before.meanBrightness(420, 160, 600, 300));
    EXPECT_GT(after.count(380, 150, 644, 320, testsupport::isWhite), 200) << "white text";
    EXPECT_GT(after.count(380, 150, 644, 320, isYellow), 50) << "the record in yellow";
    // The craft's part of the screen and the HUD's corner are left alone.
    EXPECT_EQ(testsupport::changedShare(before, after, 0, 340, 1024, 768), 0.0);
}

TEST_F(RaceNotices, ThePauseDimsThePictureAndSaysPausedAcrossTheMiddle) {
    clearToGrey();
    const Screen before;
    drawPauseBanner();
    const Screen after;
    EXPECT_LT(after.meanBrightness(0, 0, 1024, 300), 0.8 * before.meanBrightness(0, 0, 1024, 300));
    EXPECT_LT(after.meanBrightness(0, 500, 1024, 768),
              0.8 * before.meanBrightness(0, 500, 1024, 768));
    // PAUSED in white, centred in the band, the keys beneath it.
    const auto title = after.bounds(testsupport::isWhite);
    ASSERT_GE(title[2], 0) << "no PAUSED";
    EXPECT_NEAR((title[0] + title[2]) / 2.0, 512.0, 8.0);
    EXPECT_GT(title[1], 352);
    EXPECT_LT(title[3], 380);
    EXPECT_GT(after.count(380, 384, 644, 400, [](const Pixel& p) { return p[0] > 150; }), 100)
        << "P resume - B back 10 s - R restart - Esc quit";
}

// Top left: REPLAY, PAUSED beside it while paused, the view's keys to the
// right and the winding keys beneath.
TEST_F(RaceNotices, TheReplayBannerSaysWhenItIsPausedAndNamesTheViewKeys) {
    const auto bannerOver = [](bool paused) {
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        drawReplayBanner(false, paused);
        return Screen();
    };
    const Screen running = bannerOver(false);
    const Screen paused = bannerOver(true);
    // "REPLAY" ends by x 60; " PAUSED" goes on to about 110.
    EXPECT_GT(running.count(16, 8, 60, 23, testsupport::isLit), 30);
    EXPECT_EQ(running.count(64, 8, 120, 23, testsupport::isLit), 0);
    EXPECT_GT(paused.count(64, 8, 120, 23, testsupport::isLit), 30) << "no PAUSED";
    EXPECT_EQ(paused.count(120, 8, 180, 23, testsupport::isLit), 0) << "PAUSED apart from the keys";
    for (const Screen* banner : {&running, &paused}) {
        EXPECT_GT(banner->count(190, 8, 400, 23, testsupport::isLit), 100)
            << "C camera - V cockpit - M map";
        EXPECT_GT(banner->count(16, 26, 300, 39, testsupport::isLit), 100) << "the winding keys";
        EXPECT_EQ(banner->count(0, 46, 1024, 768, testsupport::isLit), 0);
    }
}

TEST_F(RaceNotices, RecordsShowInGreyAboveTheClockOnlyOnceThereAreAny) {
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    drawBestTimes(0, 0);
    EXPECT_EQ(Screen().count(0, 0, 1024, 768, testsupport::isLit), 0);

    drawBestTimes(40125, 123884);
    const Screen both;
    // "best lap" on the first line, "best race" on the second, above the clock's 720.
    EXPECT_GT(both.count(800, 699, 944, 709, testsupport::isGrey), 40);
    EXPECT_GT(both.count(800, 709, 944, 719, testsupport::isGrey), 40);
    EXPECT_EQ(both.count(0, 719, 1024, 768, testsupport::isLit), 0)
        << "the clock's lines stay free";
    EXPECT_EQ(both.count(0, 0, 1024, 698, testsupport::isLit), 0);
    // The times stand in the clock's column, their labels to the left of it.
    EXPECT_GT(both.count(874, 699, 944, 719, testsupport::isGrey), 40);
    EXPECT_GT(both.count(800, 699, 874, 719, testsupport::isGrey), 40);

    glClear(GL_COLOR_BUFFER_BIT);
    drawBestTimes(40125, 0);
    const Screen lapOnly;
    EXPECT_GT(lapOnly.count(800, 699, 944, 709, testsupport::isGrey), 40);
    EXPECT_EQ(lapOnly.count(800, 712, 944, 719, testsupport::isLit), 0)  // below the p's tail
        << "no race record, no second line";
}

TEST_F(RaceNotices, EachNoticePutsTheSceneStateBack) {
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_LIGHTING);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    const GLint projection = integerState(GL_PROJECTION_STACK_DEPTH);
    const GLint modelview = integerState(GL_MODELVIEW_STACK_DEPTH);
    drawFinishPanel(panelFor(1, 41000, 40000, 42000));
    drawPauseBanner();
    drawBestTimes(40000, 123000);
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    EXPECT_TRUE(glIsEnabled(GL_BLEND));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_EQ(integerState(GL_BLEND_SRC), GL_SRC_ALPHA);
    EXPECT_EQ(integerState(GL_BLEND_DST), GL_ONE_MINUS_SRC_ALPHA);
    EXPECT_EQ(integerState(GL_PROJECTION_STACK_DEPTH), projection);
    EXPECT_EQ(integerState(GL_MODELVIEW_STACK_DEPTH), modelview);
}

}  // namespace

// A championship through the game's own tick: each race from its countdown,
// shortened by the final-stretch aid and driven flat out, its points and
// standings; left after race two, read back from disk as a new run would,
// and gone on with to the final standings.
#include <SDL2/SDL.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <numeric>

#include "input/key_state.h"
#include "race/race.h"
#include "race/race_result.h"
#include "render/scene.h"
#include "screen/overlay_glyphs.h"
#include "session/countdown.h"
#include "session/race_commands.h"
#include "session/race_records.h"
#include "session/season.h"
#include "shell/game_frame.h"
#include "shell/window.h"
#include "support/gl_test_window.h"
#include "support/records_fixture.h"
#include "track/circuit_generator.h"
#include "track/track.h"

namespace {

void press(SDL_Keycode key) {
    SDL_Event event{};
    event.type = SDL_KEYDOWN;
    event.key.keysym.sym = key;
    handleWindowEvent(event);
}

class Championship : public testing::Test {
protected:
    static void SetUpTestSuite() {
        testsupport::useSharedGlTestWindow();
        ASSERT_EQ(chdir(ZENTRIX_SOURCE_DIR), 0);
        setupScene(rasterizeOverlayGlyphs());
    }
    void SetUp() override {
        releaseAllKeys();
        loadRaceRecords();
        loadChampionships();
    }
    void TearDown() override {
        releaseAllKeys();
        leaveChampionship();
        stopCountdown();
        chooseDifficulty(Difficulty::Normal);
        raceOnCircuit(CLASSIC_CIRCUIT);
        lineUpTheGrid();
        forgetOfferedRace();
    }

    // The race lined up, through its countdown to its finish with Up held,
    // and the frame that scores it.
    static void raceToTheFinish() {
        ASSERT_TRUE(countdownHolds()) << "every race of a season waits for the countdown";
        recordKeyDown(VK_UP);
        for (int tick = 0; tick < 60 * RACE_TICKS_PER_SECOND && !raceIsFinished(); ++tick) {
            runRaceTick();
        }
        releaseAllKeys();
        ASSERT_TRUE(raceIsFinished());
        scoreFinishedSeasonRace();
        scoreFinishedSeasonRace();  // every frame on the standings: scored once
    }

    recordstest::TempDataHome home_;
    recordstest::EnvironmentVariable shortened_{"ZENTRIX_TEST_FINAL_STRETCH", "1"};
};

uint32_t pointsGiven(const SeasonPoints& points) {
    return std::accumulate(points.begin(), points.end(), 0u);
}

TEST_F(Championship, FourRacesScoreAndAreKeptHalfWayThenTheFinalStandings) {
    chooseDifficulty(Difficulty::Hard);
    startChampionship(77);
    const std::array<uint32_t, SEASON_RACES> circuits = championshipCircuits(77);
    for (int race = 0; race < 2; ++race) {
        ASSERT_NE(seasonNow(), nullptr);
        EXPECT_EQ(gTrack.circuitNumber(), circuits[race]);
        EXPECT_EQ(raceDifficulty(), Difficulty::Hard);
        raceToTheFinish();
        ASSERT_TRUE(standingsShow());
        EXPECT_EQ(seasonNow()->racesRun, race + 1);
        EXPECT_EQ(pointsGiven(seasonNow()->points), 36u * (race + 1));
        if (race == 0) {
            goOnFromTheStandings();  // Enter or A
        }
    }
    const Season afterTwo = *seasonNow();

    // Quit here; a new run reads the season back and goes on with race three.
    leaveChampionship();
    chooseDifficulty(Difficulty::Easy);
    loadChampionships();
    const std::optional<Season> kept = keptChampionship();
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->racesRun, 2);
    EXPECT_EQ(kept->points, afterTwo.points);
    EXPECT_EQ(kept->lastPlaces, afterTwo.lastPlaces);
    goOnWithKeptChampionship();
    EXPECT_EQ(gTrack.circuitNumber(), circuits[2]);
    EXPECT_EQ(raceDifficulty(), Difficulty::Hard) << "the season's own difficulty";

    raceToTheFinish();
    press(SDLK_r);  // R on the standings races on too
    EXPECT_EQ(gTrack.circuitNumber(), circuits[3]);
    raceToTheFinish();
    ASSERT_TRUE(standingsShow());
    EXPECT_EQ(seasonNow()->racesRun, SEASON_RACES);
    EXPECT_EQ(pointsGiven(seasonNow()->points), 36u * SEASON_RACES);
    const int place = playerStandingsPlace(seasonNow()->points, seasonNow()->lastPlaces);
    loadChampionships();
    EXPECT_FALSE(keptChampionship()) << "a season run to its end is not gone on with";
    const std::optional<ChampionshipBest> best = bestChampionshipResult(77, Difficulty::Hard);
    ASSERT_TRUE(best);
    EXPECT_EQ(best->place, place);

    goOnFromTheStandings();
    EXPECT_EQ(seasonNow(), nullptr) << "over: the game races on as before";
    EXPECT_FALSE(countdownHolds());
}

}  // namespace

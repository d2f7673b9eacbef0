#include "race/championship_rules.h"

#include <gtest/gtest.h>

#include <set>

namespace {

using Drivers = std::array<DriverAtFinish, SEASON_DRIVERS>;

// Finishing orders, ties and wrecks: who gets which place, and the points.
TEST(ChampionshipRules, PlacesAtThePlayersFinishAndThePointsTheyScore) {
    const struct {
        const char* what;
        int32_t playerPlace;
        Drivers drivers;  // [0], the player, is only a place
        SeasonPlaces places;
    } cases[] = {
        {"all behind", 1, {{{}, {5.0}, {4.0}, {3.0}, {2.0}, {1.0}}}, {1, 2, 3, 4, 5, 6}},
        {"two ahead, out of grid order",
         3,
         {{{}, {1.0}, {9.0}, {2.0}, {8.0}, {0.5}}},
         {3, 5, 1, 4, 2, 6}},
        {"level with the player: behind him, as the place digit counts",
         1,
         {{{}, {3.0}, {3.0}, {1.0}, {1.0}, {0.0}}},
         {1, 2, 3, 4, 5, 6}},
        {"a wreck far ahead is given last place",
         1,
         {{{}, {2.0}, {99.0, true}, {1.0}, {0.5}, {0.2}}},
         {1, 2, 6, 3, 4, 5}},
        {"two wrecks: the further one first",
         2,
         {{{}, {1.0, true}, {7.0}, {3.0, true}, {0.5}, {0.2}}},
         {2, 6, 1, 5, 3, 4}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const SeasonPlaces places = finishingPlaces(c.playerPlace, c.drivers);
        EXPECT_EQ(places, c.places);
        const SeasonPoints points = addRacePoints(SeasonPoints{}, places);
        uint32_t total = 0;
        for (int driver = 0; driver < SEASON_DRIVERS; ++driver) {
            EXPECT_EQ(points[driver], PLACE_POINTS[places[driver] - 1]);
            total += points[driver];
        }
        EXPECT_EQ(total, 10u + 8 + 6 + 5 + 4 + 3) << "every place once";
    }
}

TEST(ChampionshipRules, StandingsGoByPointsThenTheLastRaceThenTheGrid) {
    const SeasonPoints points = {18, 18, 20, 9, 9, 0};
    const SeasonPlaces last = {3, 1, 2, 5, 4, 6};
    EXPECT_EQ(standingsOrder(points, last), (std::array<int, SEASON_DRIVERS>{2, 1, 0, 4, 3, 5}));
    EXPECT_EQ(playerStandingsPlace(points, last), 3);
    EXPECT_EQ(standingsOrder(SeasonPoints{}, SeasonPlaces{}),
              (std::array<int, SEASON_DRIVERS>{0, 1, 2, 3, 4, 5}))
        << "before the first race: grid order, the player first";
}

TEST(ChampionshipRules, EveryChampionshipIsFourDifferentCircuitsFromItsNumber) {
    EXPECT_EQ(championshipCircuits(0)[0], 0u) << "the first championship opens on the classic";
    std::set<uint32_t> seen;
    for (const uint32_t number : {1u, 2u, 3u, 77u, 4294967295u}) {
        const std::array<uint32_t, SEASON_RACES> circuits = championshipCircuits(number);
        EXPECT_EQ(circuits, championshipCircuits(number));
        EXPECT_EQ(std::set<uint32_t>(circuits.begin(), circuits.end()).size(), 4u);
        seen.insert(circuits.begin(), circuits.end());
    }
    EXPECT_EQ(seen.size(), 20u) << "neighbouring championships share no circuit";
}

}  // namespace

#pragma once

#include <array>
#include <cstdint>

// A championship is four circuits raced in a row against the same five
// opponents, with points for every place. Like a circuit it is a number, so
// friends can race the same season.

constexpr int SEASON_RACES = 4;
// The player and the five opponents: index 0 is the player, 1 to 5 the
// opponents in grid order, each keeping its colour and name all season.
constexpr int SEASON_DRIVERS = 6;
// 1st to 6th.
constexpr uint32_t PLACE_POINTS[SEASON_DRIVERS] = {10, 8, 6, 5, 4, 3};

using SeasonPoints = std::array<uint32_t, SEASON_DRIVERS>;
using SeasonPlaces = std::array<uint8_t, SEASON_DRIVERS>;  // a place 1..6 per driver

// The four circuits of championship number, the same on every machine.
// Championship 0 is the classic and three chosen circuits; any other draws
// four different circuits from its number.
std::array<uint32_t, SEASON_RACES> championshipCircuits(uint32_t number);

// "You", then the opponents' names in grid order.
const char* driverName(int driver);

// "1st" to "6th"; "-" for no place.
const char* placeName(int place);

// Every driver's place as the player's third lap came in: the player's own
// place, each running opponent by how far it had come (ahead of the player
// only when strictly further, as the place digit counts; equal distances in
// grid order), and the wrecks last, by how far they had come.
struct DriverAtFinish {
    double distance = 0.0;  // laps and lambda, as raceDistance gives it
    bool wrecked = false;
};
SeasonPlaces finishingPlaces(int32_t playerPlace,
                             const std::array<DriverAtFinish, SEASON_DRIVERS>& drivers);

// The points of a race's places added to the season's.
SeasonPoints addRacePoints(const SeasonPoints& points, const SeasonPlaces& places);

// The drivers in standings order: most points first; equal points, the
// better place in the last race; then grid order.
std::array<int, SEASON_DRIVERS> standingsOrder(const SeasonPoints& points,
                                               const SeasonPlaces& lastPlaces);

// The player's place in the standings, 1 to 6.
int playerStandingsPlace(const SeasonPoints& points, const SeasonPlaces& lastPlaces);

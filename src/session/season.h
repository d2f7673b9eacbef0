#pragma once

#include <cstdint>
#include <optional>

#include "race/championship_rules.h"
#include "saves/championship_file.h"
#include "saves/difficulty.h"

// A championship through a run: its four races in a row at one difficulty,
// each from the countdown, the points at every finish, the standings between
// races, and what is kept on disk: the season left half-way, and the best
// result of each championship.

struct Season {
    uint32_t number = 0;
    Difficulty difficulty = Difficulty::Normal;
    std::array<uint32_t, SEASON_RACES> circuits{};
    int racesRun = 0;  // races finished and scored
    SeasonPoints points{};
    SeasonPlaces lastPlaces{};  // all 0 before the first race
};

// Reads what is kept from the player's data home; a run without this keeps nothing.
void loadChampionships();

// Championship number begins at difficulty, none of its races run yet.
void beginSeason(uint32_t number, Difficulty difficulty);
// The season kept on disk, if one was left half-way.
std::optional<Season> keptChampionship();
// It becomes the season raced now; false when none is kept.
bool beginKeptSeason();
// The season's next race is lined up: it scores when it finishes.
void seasonRaceLinedUp();
// The circuit the season races next; none when all four are run.
std::optional<uint32_t> seasonsNextCircuit();

// The player's best finish kept for championship number at difficulty.
std::optional<ChampionshipBest> bestChampionshipResult(uint32_t number, Difficulty difficulty);

// The season raced now, if one is.
const Season* seasonNow();
// Another race chosen (a circuit, a time trial, a replay): the season stops
// here, kept as it stood after its last race.
void leaveChampionship();

// Called every frame: the season's race has just finished, so its places
// score, and the season is kept (or, after the fourth, its result offered).
void scoreFinishedSeasonRace();

// The standings show over the finished race until Enter or A.
bool standingsShow();

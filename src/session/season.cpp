#include "session/season.h"

#include <algorithm>

#include "race/race.h"
#include "race/race_result.h"
#include "race/standings.h"
#include "saves/championship_store.h"
#include "session/replay_watch.h"

namespace {
std::optional<ChampionshipStore> gChampionshipStore;
std::optional<Season> gSeason;
bool gScoredThisRace = false;

Season seasonFrom(const ChampionshipProgress& kept) {
    Season season;
    season.number = kept.number;
    season.difficulty = kept.difficulty;
    season.circuits = championshipCircuits(kept.number);
    season.racesRun = kept.racesRun;
    std::copy(std::begin(kept.points), std::end(kept.points), season.points.begin());
    std::copy(std::begin(kept.lastPlaces), std::end(kept.lastPlaces), season.lastPlaces.begin());
    return season;
}

ChampionshipProgress progressOf(const Season& season) {
    ChampionshipProgress progress;
    progress.number = season.number;
    progress.difficulty = season.difficulty;
    progress.racesRun = season.racesRun;
    std::copy(season.points.begin(), season.points.end(), std::begin(progress.points));
    std::copy(season.lastPlaces.begin(), season.lastPlaces.end(), std::begin(progress.lastPlaces));
    return progress;
}

void keepTheSeason() {
    if (!gChampionshipStore) {
        return;
    }
    if (gSeason->racesRun < SEASON_RACES) {
        gChampionshipStore->keepProgress(progressOf(*gSeason));
        return;
    }
    gChampionshipStore->forgetProgress();
    ChampionshipBest result;
    result.place = static_cast<uint8_t>(playerStandingsPlace(gSeason->points, gSeason->lastPlaces));
    result.points = gSeason->points[0];
    gChampionshipStore->offerResult(gSeason->number, gSeason->difficulty, result);
}
}  // namespace

void loadChampionships() {
    gChampionshipStore = loadPlayerChampionships();
}

void beginSeason(uint32_t number, Difficulty difficulty) {
    Season season;
    season.number = number;
    season.difficulty = difficulty;
    season.circuits = championshipCircuits(number);
    gSeason = season;
    gScoredThisRace = false;
}

std::optional<Season> keptChampionship() {
    if (!gChampionshipStore) {
        return std::nullopt;
    }
    const std::optional<ChampionshipProgress> kept = gChampionshipStore->progress();
    if (!kept) {
        return std::nullopt;
    }
    return seasonFrom(*kept);
}

bool beginKeptSeason() {
    const std::optional<Season> kept = keptChampionship();
    if (!kept) {
        return false;
    }
    gSeason = kept;
    gScoredThisRace = false;
    return true;
}

void seasonRaceLinedUp() {
    gScoredThisRace = false;
}

std::optional<uint32_t> seasonsNextCircuit() {
    if (!gSeason || gSeason->racesRun >= SEASON_RACES) {
        return std::nullopt;
    }
    return gSeason->circuits[gSeason->racesRun];
}

std::optional<ChampionshipBest> bestChampionshipResult(uint32_t number, Difficulty difficulty) {
    return gChampionshipStore ? gChampionshipStore->best(number, difficulty) : std::nullopt;
}

const Season* seasonNow() {
    return gSeason ? &*gSeason : nullptr;
}

void leaveChampionship() {
    gSeason.reset();
    gScoredThisRace = false;
}

void scoreFinishedSeasonRace() {
    if (!gSeason || gScoredThisRace || !raceIsFinished() || watchingReplay()) {
        return;
    }
    gScoredThisRace = true;
    gSeason->lastPlaces = gFinishingPlaces;
    gSeason->points = addRacePoints(gSeason->points, gFinishingPlaces);
    gSeason->racesRun += 1;
    keepTheSeason();
}

bool standingsShow() {
    return gSeason && gScoredThisRace && raceIsFinished();
}

// saves: everything kept on disk between runs, written whole or not at all; no GL, SDL or OpenAL.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "saves/difficulty.h"

// A championship is four circuits raced in a row against the same five
// opponents, points for each place. Each is known by its number and the
// difficulty it is raced at.
constexpr int CHAMPIONSHIP_RACES = 4;
constexpr int CHAMPIONSHIP_DRIVERS = 6;  // the player (0) and the five opponents (1..5, grid order)
constexpr uint32_t CHAMPIONSHIP_MAX_POINTS = 40;  // four wins

// A championship left half-way, to go on with in a later run.
struct ChampionshipProgress {
    uint32_t number = 0;
    Difficulty difficulty = Difficulty::Normal;
    int racesRun = 0;  // 1 to 3 (0: nothing to go on with; 4: over, not kept)
    uint32_t points[CHAMPIONSHIP_DRIVERS] = {};     // each at most CHAMPIONSHIP_MAX_POINTS
    uint8_t lastPlaces[CHAMPIONSHIP_DRIVERS] = {};  // places 1..6 in the last race run, each once

    bool operator==(const ChampionshipProgress& other) const;
};

// Whether progress is one the file keeps: races run, points and places all
// within the ranges above.
bool championshipProgressKept(const ChampionshipProgress& progress);

// The player's best finish in one championship: final place 1..6 and points.
struct ChampionshipBest {
    uint8_t place = 0;
    uint32_t points = 0;

    bool operator==(const ChampionshipBest& other) const {
        return place == other.place && points == other.points;
    }
};

// Whether best is one the file keeps: a place 1..6, at most CHAMPIONSHIP_MAX_POINTS.
bool championshipBestKept(const ChampionshipBest& best);

// Whether result beats best: a better place, or the same place with more points.
bool championshipBetter(const ChampionshipBest& result, const ChampionshipBest& best);

struct ChampionshipKey {
    uint32_t number = 0;
    Difficulty difficulty = Difficulty::Normal;

    bool operator<(const ChampionshipKey& other) const {
        return number != other.number ? number < other.number : difficulty < other.difficulty;
    }
    bool operator==(const ChampionshipKey& other) const {
        return number == other.number && difficulty == other.difficulty;
    }
};

// Everything the championship file holds.
struct ChampionshipFile {
    std::optional<ChampionshipProgress> current;
    std::map<ChampionshipKey, ChampionshipBest> best;

    bool operator==(const ChampionshipFile& other) const {
        return current == other.current && best == other.best;
    }
};

// The championship file, version 1, is a first line, then at most one
// current line for the championship left half-way, then one best line for
// each championship finished, every line ending in "\n":
//
//   zentrix-championship 1
//   current <n> difficulty <name> races-run <k> points <p0> <p1> <p2> <p3> <p4> <p5> last <l0> <l1>
//   <l2> <l3> <l4> <l5> best <n> difficulty <name> place <p> points <pts>
//
// <n> is the championship's number, 0 to 4294967295; <name> is easy, normal
// or hard, in lower case. races-run is 1 to 3; points, the player's first and
// then each opponent's in grid order, are each at most 40; last holds each
// driver's place in the last race run, 1 to 6 each once. Best lines come in
// increasing order of number, and of difficulty (easy, normal, hard) within a
// number, each at most once and at most CHAMPIONSHIP_MAX_KEPT of them; place
// is 1 to 6, points at most 40. Every number is written in plain decimal
// digits without sign or leading zeros. Anything else, including a missing
// last newline, spaces or carriage returns, makes the file corrupt, and so
// does a text over CHAMPIONSHIP_TEXT_MAX_BYTES, which is not read at all; a
// first line with a higher version number marks a newer format.

constexpr int CHAMPIONSHIP_FORMAT_VERSION = 1;
constexpr std::size_t CHAMPIONSHIP_MAX_KEPT = 50000;
// Room for the current line and CHAMPIONSHIP_MAX_KEPT best lines, every number
// at its longest.
constexpr std::size_t CHAMPIONSHIP_TEXT_MAX_BYTES = 3 * 1024 * 1024;

// Version 1 text; a current championship or best finish the file could not
// hold (see championshipProgressKept, championshipBestKept) is left out.
std::string formatChampionships(const ChampionshipFile& file);

enum class ChampionshipTextStatus { Valid, Corrupt, NewerVersion };

struct ParsedChampionships {
    ChampionshipTextStatus status = ChampionshipTextStatus::Corrupt;
    ChampionshipFile file;  // empty unless Valid
    std::string problem;    // what is wrong, for the player; empty when Valid
};

ParsedChampionships parseChampionships(std::string_view text);

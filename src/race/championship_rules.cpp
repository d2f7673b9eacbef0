#include "race/championship_rules.h"

#include <algorithm>
#include <numeric>

namespace {
const char* const DRIVER_NAMES[SEASON_DRIVERS] = {"You", "Vega", "Orion", "Lyra", "Rigel", "Nova"};

// The three circuits beside the classic in championship 0: a gentle one, a
// long sweeping one and a tight one.
constexpr std::array<uint32_t, SEASON_RACES> FIRST_CHAMPIONSHIP = {0, 7, 48213, 1383934363};

// A well-mixed 64-bit step (splitmix64), so neighbouring championships share
// no circuits.
uint64_t mix(uint64_t z) {
    z += 0x9E3779B97F4A7C15ull;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}
}  // namespace

std::array<uint32_t, SEASON_RACES> championshipCircuits(uint32_t number) {
    if (number == 0) {
        return FIRST_CHAMPIONSHIP;
    }
    std::array<uint32_t, SEASON_RACES> circuits{};
    uint64_t state = number;
    for (int race = 0; race < SEASON_RACES; ++race) {
        bool repeated = true;
        while (repeated) {
            state = mix(state);
            circuits[race] = static_cast<uint32_t>(state >> 32);
            repeated = std::find(circuits.begin(), circuits.begin() + race, circuits[race]) !=
                       circuits.begin() + race;
        }
    }
    return circuits;
}

const char* driverName(int driver) {
    return driver >= 0 && driver < SEASON_DRIVERS ? DRIVER_NAMES[driver] : "";
}

const char* placeName(int place) {
    static const char* const WORDS[SEASON_DRIVERS] = {"1st", "2nd", "3rd", "4th", "5th", "6th"};
    return place >= 1 && place <= SEASON_DRIVERS ? WORDS[place - 1] : "-";
}

SeasonPlaces finishingPlaces(int32_t playerPlace,
                             const std::array<DriverAtFinish, SEASON_DRIVERS>& drivers) {
    std::array<int, SEASON_DRIVERS - 1> opponents{};
    std::iota(opponents.begin(), opponents.end(), 1);
    // Running craft before wrecks, then further first; stable keeps grid order.
    std::stable_sort(opponents.begin(), opponents.end(), [&drivers](int a, int b) {
        if (drivers[a].wrecked != drivers[b].wrecked) {
            return !drivers[a].wrecked;
        }
        return drivers[a].distance > drivers[b].distance;
    });
    const int player = std::clamp(playerPlace, 1, SEASON_DRIVERS);
    SeasonPlaces places{};
    places[0] = static_cast<uint8_t>(player);
    int place = 1;
    for (const int opponent : opponents) {
        if (place == player) {
            ++place;
        }
        places[opponent] = static_cast<uint8_t>(place++);
    }
    return places;
}

SeasonPoints addRacePoints(const SeasonPoints& points, const SeasonPlaces& places) {
    SeasonPoints total = points;
    for (int driver = 0; driver < SEASON_DRIVERS; ++driver) {
        const int place = places[driver];
        if (place >= 1 && place <= SEASON_DRIVERS) {
            total[driver] += PLACE_POINTS[place - 1];
        }
    }
    return total;
}

std::array<int, SEASON_DRIVERS> standingsOrder(const SeasonPoints& points,
                                               const SeasonPlaces& lastPlaces) {
    std::array<int, SEASON_DRIVERS> order{};
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        if (points[a] != points[b]) {
            return points[a] > points[b];
        }
        return lastPlaces[a] < lastPlaces[b];
    });
    return order;
}

int playerStandingsPlace(const SeasonPoints& points, const SeasonPlaces& lastPlaces) {
    const std::array<int, SEASON_DRIVERS> order = standingsOrder(points, lastPlaces);
    return static_cast<int>(std::find(order.begin(), order.end(), 0) - order.begin()) + 1;
}

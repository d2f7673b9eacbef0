#include "saves/medals.h"

#include <algorithm>
#include <cstdio>
#include <limits>

namespace {

// How much slower than the pilot each medal may be: a clean but unhurried
// drive earns bronze, silver wants a tidy line, gold takes practice.
constexpr uint64_t GOLD_MARGIN_PERCENT = 10;
constexpr uint64_t SILVER_MARGIN_PERCENT = 25;
constexpr uint64_t BRONZE_MARGIN_PERCENT = 50;
// Medal times are whole tenths of a second, easy to read and to aim for.
constexpr uint64_t MEDAL_STEP_MS = 100;
constexpr uint64_t MAX_MS = std::numeric_limits<uint32_t>::max();

uint64_t roundUpToStep(uint64_t ms) {
    return (ms + MEDAL_STEP_MS - 1) / MEDAL_STEP_MS * MEDAL_STEP_MS;
}

// The pilot's time and the margin, rounded up, and at least a step slower
// than the medal above.
uint64_t medalTime(uint64_t pilotMs, uint64_t marginPercent, uint64_t aboveMs) {
    const uint64_t withMargin = (pilotMs * (100 + marginPercent) + 99) / 100;
    return std::max(roundUpToStep(withMargin), roundUpToStep(aboveMs + 1));
}

}  // namespace

const char* medalName(Medal medal) {
    switch (medal) {
        case Medal::Pilot:
            return "pilot";
        case Medal::Gold:
            return "gold";
        case Medal::Silver:
            return "silver";
        case Medal::Bronze:
            return "bronze";
        case Medal::None:
            break;
    }
    return "";
}

MedalTimes medalTimesFor(uint32_t pilotMs) {
    if (pilotMs == 0) {
        return MedalTimes{};
    }
    const uint64_t gold = medalTime(pilotMs, GOLD_MARGIN_PERCENT, pilotMs);
    const uint64_t silver = medalTime(pilotMs, SILVER_MARGIN_PERCENT, gold);
    const uint64_t bronze = medalTime(pilotMs, BRONZE_MARGIN_PERCENT, silver);
    // At the top of 32 bits the slower medals give way downwards, keeping order.
    MedalTimes times;
    times.pilotMs = pilotMs;
    times.bronzeMs = static_cast<uint32_t>(std::min(bronze, MAX_MS));
    times.silverMs = static_cast<uint32_t>(std::min(silver, uint64_t{times.bronzeMs} - 1));
    times.goldMs = static_cast<uint32_t>(
        std::max(std::min(gold, uint64_t{times.silverMs} - 1), uint64_t{pilotMs}));
    times.silverMs = std::max(times.silverMs, times.goldMs);
    return times;
}

Medal medalEarned(const MedalTimes& times, uint32_t raceMs) {
    if (raceMs == 0) {
        return Medal::None;
    }
    if (raceMs < times.pilotMs) {
        return Medal::Pilot;
    }
    if (raceMs <= times.goldMs) {
        return Medal::Gold;
    }
    if (raceMs <= times.silverMs) {
        return Medal::Silver;
    }
    return raceMs <= times.bronzeMs ? Medal::Bronze : Medal::None;
}

std::optional<Medal> nextMedal(Medal held) {
    if (held == Medal::Pilot) {
        return std::nullopt;
    }
    return static_cast<Medal>(static_cast<uint8_t>(held) + 1);
}

uint32_t medalTimeMs(const MedalTimes& times, Medal medal) {
    switch (medal) {
        case Medal::Pilot:
            return times.pilotMs;
        case Medal::Gold:
            return times.goldMs;
        case Medal::Silver:
            return times.silverMs;
        case Medal::Bronze:
            return times.bronzeMs;
        case Medal::None:
            break;
    }
    return 0;
}

std::string medalTimeText(uint32_t ms) {
    char text[32];
    std::snprintf(text, sizeof text, "%u:%02u.%03u", ms / 60000, ms / 1000 % 60, ms % 1000);
    return text;
}

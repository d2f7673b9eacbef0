#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "saves/medals.h"

namespace {

constexpr uint32_t MAX_MS = std::numeric_limits<uint32_t>::max();

TEST(Medals, EachIsAMarginOverThePilotRoundedUpAndSlowerThanTheOneAbove) {
    const struct {
        uint32_t pilotMs;
        MedalTimes expected;
    } pilots[] = {
        {240000, {240000, 264000, 300000, 360000}},  // whole tenths already
        {229364, {229364, 252400, 286800, 344100}},
        {252300, {252300, 277600, 315400, 378500}},
        {1, {1, 100, 200, 300}},  // a moment: still three medals in order
        {100, {100, 200, 300, 400}},
        {0, {}},  // the pilot never finished: no medals
        // Near the top of 32 bits the slower medals give way downwards.
        {MAX_MS / 2, {MAX_MS / 2, 2362232100, 2684354600, 3221225500}},
        {3000000000u, {3000000000u, 3300000000u, 3750000000u, MAX_MS}},
        {3500000000u, {3500000000u, 3850000000u, MAX_MS - 1, MAX_MS}},
        {MAX_MS - 3, {MAX_MS - 3, MAX_MS - 2, MAX_MS - 1, MAX_MS}},
    };
    for (const auto& pilot : pilots) {
        SCOPED_TRACE(pilot.pilotMs);
        const MedalTimes times = medalTimesFor(pilot.pilotMs);
        EXPECT_EQ(times.pilotMs, pilot.expected.pilotMs);
        EXPECT_EQ(times.goldMs, pilot.expected.goldMs);
        EXPECT_EQ(times.silverMs, pilot.expected.silverMs);
        EXPECT_EQ(times.bronzeMs, pilot.expected.bronzeMs);
        EXPECT_EQ(medalTimesInOrder(times), pilot.pilotMs != 0);
    }
    // Within 2 ms of the top no three times fit above the pilot; they tie, never cross.
    for (const uint32_t pilotMs : {MAX_MS - 2, MAX_MS - 1, MAX_MS}) {
        const MedalTimes times = medalTimesFor(pilotMs);
        EXPECT_TRUE(pilotMs <= times.goldMs && times.goldMs <= times.silverMs &&
                    times.silverMs <= times.bronzeMs)
            << pilotMs;
    }
}

TEST(Medals, AreEarnedByBeatingThePilotOrMatchingAMedalsTime) {
    const MedalTimes times{240000, 264000, 300000, 360000};
    const struct {
        uint32_t raceMs;
        Medal earned;
    } runs[] = {
        {1, Medal::Pilot},       {239999, Medal::Pilot},  {240000, Medal::Gold},
        {264000, Medal::Gold},   {264001, Medal::Silver}, {300000, Medal::Silver},
        {300001, Medal::Bronze}, {360000, Medal::Bronze}, {360001, Medal::None},
        {0, Medal::None},  // not finished
        {MAX_MS, Medal::None},
    };
    for (const auto& run : runs) {
        EXPECT_EQ(medalEarned(times, run.raceMs), run.earned) << run.raceMs;
    }
    EXPECT_EQ(medalEarned(MedalTimes{}, 1), Medal::None) << "a circuit with no medal times";
}

TEST(Medals, ClimbFromBronzeToThePilotWithANameAndATimeEach) {
    const MedalTimes times{251999, 277200, 315000, 378000};
    const struct {
        Medal medal;
        const char* name;
        uint32_t timeMs;
        std::optional<Medal> next;
    } ladder[] = {
        {Medal::None, "", 0, Medal::Bronze},
        {Medal::Bronze, "bronze", 378000, Medal::Silver},
        {Medal::Silver, "silver", 315000, Medal::Gold},
        {Medal::Gold, "gold", 277200, Medal::Pilot},
        {Medal::Pilot, "pilot", 251999, std::nullopt},
    };
    for (const auto& rung : ladder) {
        EXPECT_STREQ(medalName(rung.medal), rung.name);
        EXPECT_EQ(medalTimeMs(times, rung.medal), rung.timeMs) << rung.name;
        EXPECT_EQ(nextMedal(rung.medal), rung.next) << rung.name;
    }
}

TEST(Medals, TimesReadAsMinutesSecondsAndMilliseconds) {
    const std::vector<std::pair<uint32_t, std::string>> texts = {
        {252300, "4:12.300"},   {0, "0:00.000"}, {59999, "0:59.999"},      {60000, "1:00.000"},
        {3600000, "60:00.000"}, {7, "0:00.007"}, {MAX_MS, "71582:47.295"},
    };
    for (const auto& [ms, text] : texts) {
        EXPECT_EQ(medalTimeText(ms), text) << ms;
    }
}

}  // namespace

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "saves/records.h"
#include "saves/records_text.h"
#include "support/records_fixture.h"

namespace {

using recordstest::racesOnly;

constexpr uint32_t RECORD_MAX_MS = std::numeric_limits<uint32_t>::max();
constexpr uint32_t LAST_CIRCUIT = std::numeric_limits<uint32_t>::max();

TEST(RaceRecords, TheFirstFinishedRaceSetsBothRecords) {
    Records records;
    const uint32_t laps[3] = {41250, 40010, 42000};
    const RecordsImproved improved = offerRace(records, laps);
    EXPECT_TRUE(improved.bestLap);
    EXPECT_TRUE(improved.bestRace);
    EXPECT_EQ(records.bestLapMs, 40010u);
    EXPECT_EQ(records.bestRaceMs, 123260u);
}

TEST(RaceRecords, ARaceKeepsOnlyWhatItBeats) {
    Records records;
    const uint32_t first[3] = {41250, 40010, 42000};
    offerRace(records, first);

    const uint32_t slower[3] = {45000, 44000, 43000};
    EXPECT_FALSE(offerRace(records, slower).any());
    EXPECT_EQ(records, (Records{40010, 123260}));

    const uint32_t sameAgain[3] = {42000, 41250, 40010};
    EXPECT_FALSE(offerRace(records, sameAgain).any()) << "equalling a record is not beating it";

    const uint32_t oneQuickLap[3] = {39990, 45000, 45000};
    RecordsImproved improved = offerRace(records, oneQuickLap);
    EXPECT_TRUE(improved.bestLap);
    EXPECT_FALSE(improved.bestRace);
    EXPECT_EQ(records, (Records{39990, 123260}));

    const uint32_t evenlyQuick[3] = {40500, 40500, 40500};
    improved = offerRace(records, evenlyQuick);
    EXPECT_FALSE(improved.bestLap);
    EXPECT_TRUE(improved.bestRace);
    EXPECT_EQ(records, (Records{39990, 121500}));
}

TEST(RaceRecords, AnUnfinishedRaceBeatsNothing) {
    for (const Records start : {Records{}, Records{40000, 125000}}) {
        Records records = start;
        const uint32_t twoLaps[3] = {30000, 30000, 0};
        const uint32_t middleMissing[3] = {30000, 0, 30000};
        EXPECT_FALSE(offerRace(records, twoLaps).any());
        EXPECT_FALSE(offerRace(records, middleMissing).any());
        EXPECT_EQ(records, start);
    }
}

TEST(RaceRecords, ARaceTooLongToCountKeepsItsLapRecordInAFileThatReadsBack) {
    Records records;
    const uint32_t laps[3] = {RECORD_MAX_MS, RECORD_MAX_MS, 20000};
    const RecordsImproved improved = offerRace(records, laps);
    EXPECT_TRUE(improved.bestLap);
    EXPECT_FALSE(improved.bestRace);
    EXPECT_EQ(records, (Records{20000, 0}));
    const AllRecords kept = racesOnly({{0, records}});
    EXPECT_EQ(parseRecords(formatRecords(kept)).records, kept);
}

TEST(RecordsText, IsAVersionedLineForEachCircuitWithARecord) {
    EXPECT_EQ(formatRecords(racesOnly({{LAST_CIRCUIT, {39000, 0}}, {0, {41250, 125000}}, {7, {}}})),
              "zentrix-records 4\ncircuit 0 best-lap-ms 41250 best-race-ms 125000\n"
              "circuit 4294967295 best-lap-ms 39000 best-race-ms 0\n");
    // Races at normal, easy and hard, then time trials, then medals, whatever
    // else the circuits share; medal times out of order would spoil the file,
    // so they are left out.
    const AllRecords all{{{7, {30000, 90000}}},
                         {{0, {}}, {2, {31000, 93500}}, {7, {29000, 88000}}},
                         {{1, {80000, 88000, 100000, 120000}}, {3, {80000, 80000, 90000, 99000}}},
                         {{9, {33000, 99000}}, {2, {34000, 102000}}},
                         {{0, {28000, 84000}}}};
    EXPECT_EQ(formatRecords(all),
              "zentrix-records 4\ncircuit 7 best-lap-ms 30000 best-race-ms 90000\n"
              "circuit-easy 2 best-lap-ms 34000 best-race-ms 102000\n"
              "circuit-easy 9 best-lap-ms 33000 best-race-ms 99000\n"
              "circuit-hard 0 best-lap-ms 28000 best-race-ms 84000\n"
              "time-trial 2 best-lap-ms 31000 best-race-ms 93500\n"
              "time-trial 7 best-lap-ms 29000 best-race-ms 88000\n"
              "medals 1 pilot-ms 80000 gold-ms 88000 silver-ms 100000 bronze-ms 120000\n");
}

TEST(RecordsText, ReadsBackEverythingItWrites) {
    const CircuitRecords many = {{0, {40010, 123260}},
                                 {1, {20000, 0}},
                                 {LAST_CIRCUIT - 1, {RECORD_MAX_MS, 0}},
                                 {LAST_CIRCUIT, {RECORD_MAX_MS / 3, RECORD_MAX_MS}}};
    const CircuitMedals medals = {
        {0, {1, 2, 3, 4}},
        {LAST_CIRCUIT, {RECORD_MAX_MS - 3, RECORD_MAX_MS - 2, RECORD_MAX_MS - 1, RECORD_MAX_MS}}};
    const AllRecords samples[] = {{},
                                  racesOnly({{0, {1, 3}}}),
                                  racesOnly(many),
                                  {{}, many, {}},
                                  {{}, {}, medals},
                                  {many, many, medals},
                                  {{}, {}, {}, many, {}},
                                  {{}, {}, {}, {}, many},
                                  {many, many, medals, many, many}};
    for (const AllRecords& records : samples) {
        const ParsedRecords parsed = parseRecords(formatRecords(records));
        EXPECT_EQ(parsed.status, RecordsTextStatus::Valid) << formatRecords(records);
        EXPECT_EQ(parsed.records, records) << formatRecords(records);
        EXPECT_TRUE(parsed.problem.empty());
    }
}

TEST(RecordsText, AnOlderFileHoldsTheClassicsRecords) {
    EXPECT_EQ(parseRecords("zentrix-records 1\nbest-lap-ms 40010\nbest-race-ms 123260\n").records,
              racesOnly({{0, {40010, 123260}}}));
    const ParsedRecords none = parseRecords("zentrix-records 1\nbest-lap-ms 0\nbest-race-ms 0\n");
    EXPECT_EQ(none.status, RecordsTextStatus::Valid);
    EXPECT_TRUE(none.records.empty());
    // Written before time trials, so its circuits' records are races.
    EXPECT_EQ(parseRecords("zentrix-records 2\ncircuit 0 best-lap-ms 40010 best-race-ms 123260\n"
                           "circuit 7 best-lap-ms 30000 best-race-ms 90000\n")
                  .records,
              racesOnly({{0, {40010, 123260}}, {7, {30000, 90000}}}));
    // Written before difficulties, so its races were at normal.
    EXPECT_EQ(parseRecords("zentrix-records 3\ncircuit 0 best-lap-ms 40010 best-race-ms 123260\n"
                           "time-trial 0 best-lap-ms 39000 best-race-ms 119000\n")
                  .records,
              (AllRecords{{{0, {40010, 123260}}}, {{0, {39000, 119000}}}, {}}));
}

struct DamagedText {
    std::string text;
    std::string problem;  // part of what the player is told
};

TEST(RecordsText, RejectsDamagedOrHandEditedFiles) {
    const std::string header = "zentrix-records 1\n";
    const std::string lap = "best-lap-ms 40010\n";
    const std::string race = "best-race-ms 123260\n";
    const std::string good = header + lap + race;
    const std::string v2 = "zentrix-records 2\n";
    const std::string zero = "circuit 0 best-lap-ms 40010 best-race-ms 123260\n";
    const std::string seven = "circuit 7 best-lap-ms 30000 best-race-ms 90000\n";
    const std::string v3 = "zentrix-records 3\n";
    const std::string v4 = "zentrix-records 4\n";
    const std::string easy = "circuit-easy 7 best-lap-ms 30000 best-race-ms 90000\n";
    const std::string hard = "circuit-hard 7 best-lap-ms 30000 best-race-ms 90000\n";
    const std::string trial = "time-trial 7 best-lap-ms 30000 best-race-ms 90000\n";
    const std::string medals =
        "medals 7 pilot-ms 80000 gold-ms 88000 silver-ms 100000 bronze-ms 120000\n";
    const std::vector<DamagedText> damaged = {
        {"", "empty"},
        {"zentrix-rec", "line 1"},
        {"zentrix-records\n" + lap + race, "line 1"},
        {"zentrix-records 0\n" + lap + race, "line 1"},
        {"zentrix-records 01\n" + lap + race, "line 1"},
        {"zentrix-records one\n" + lap + race, "line 1"},
        {"ZENTRIX-RECORDS 1\n" + lap + race, "line 1"},
        {"zentrix-records 1\r\n" + lap + race, "line 1"},
        {"\n" + good, "line 1"},
        // Cut short at every line and in the middle of a number.
        {header, "line 2: cut short"},
        {header + "best-lap-ms 40", "line 2: cut short"},
        {header + lap, "line 3: cut short"},
        {header + lap + "best-race-ms 1232", "line 3: cut short"},
        // Numbers with one spelling only.
        {header + "best-lap-ms 4001a\n" + race, "line 2: bad number"},
        {header + "best-lap-ms -5\n" + race, "line 2: bad number"},
        {header + "best-lap-ms +40010\n" + race, "line 2: bad number"},
        {header + "best-lap-ms 040010\n" + race, "line 2: bad number"},
        {header + "best-lap-ms  40010\n" + race, "line 2: bad number"},
        {header + "best-lap-ms 40010 \n" + race, "line 2: bad number"},
        {header + "best-lap-ms 4e4\n" + race, "line 2: bad number"},
        {header + "best-lap-ms 0x9c4a\n" + race, "line 2: bad number"},
        {header + "best-lap-ms \n" + race, "line 2: bad number"},
        {header + lap + "best-race-ms 4294967296\n", "line 3: bad number"},
        {header + lap + "best-race-ms 99999999999\n", "line 3: bad number"},
        {header + lap +
             std::string("best-race-ms 12\0"
                         "3260\n",
                         21),
         "line 3: bad number"},
        // Wrong, missing, swapped and repeated keys.
        {header + "best-lap-ms\n" + race, "line 2: expected"},
        {header + "best-lap 40010\n" + race, "line 2: expected"},
        {header + race + lap, "line 2: expected"},
        {header + lap + lap, "line 3: expected"},
        {header + lap + "\n" + race, "line 3: expected"},
        {good + race, "after line 3"},
        {good + "\n", "after line 3"},
        {good + "junk", "after line 3"},
        // Values no race could have set.
        {header + "best-lap-ms 0\n" + race, "shorter than three best laps"},
        {header + "best-lap-ms 41087\n" + race, "shorter than three best laps"},
        // One line per circuit, each circuit once, in increasing order.
        {v2 + zero + zero, "line 3: circuit 0 listed twice"},
        {v2 + seven + zero, "line 3: circuit 0 out of order"},
        {v2 + zero + seven.substr(0, 20), "line 3: cut short"},
        {v2 + "circuit 07 best-lap-ms 30000 best-race-ms 90000\n", "line 2: bad circuit number"},
        {v2 + "circuit 4294967296 best-lap-ms 1 best-race-ms 3\n", "line 2: bad circuit number"},
        {v2 + "circuit 7 best-lap-ms 3e4 best-race-ms 90000\n", "line 2: bad number"},
        {v2 + "circuit 7 best-lap-ms 30000 best-race-ms 90000\r\n", "line 2: bad number"},
        {v2 + "circuit 7 best-lap-ms 30000 best-race-ms 90000 \n", "line 2: expected"},
        {v2 + "circuit 7 best-race-ms 90000 best-lap-ms 30000\n", "line 2: expected"},
        {v2 + lap + race, "line 2: expected"},
        {v2 + "circuit 7 best-lap-ms 0 best-race-ms 0\n", "line 2: circuit 7 has no best lap"},
        {v2 + "circuit 7 best-lap-ms 30001 best-race-ms 90000\n", "line 2: best race shorter"},
        {v2 + zero + std::string(RECORDS_TEXT_MAX_BYTES, '\n'), "larger than 19922944 bytes"},
        // Version 2 had circuit lines only.
        {v2 + trial, "line 2: expected \"circuit"},
        {v2 + zero + medals, "line 3: expected \"circuit"},
        // Races, time trials, medals: each kind in its place, each circuit once.
        {v3 + trial + zero, "line 3: circuit line after the time-trial lines"},
        {v3 + medals + trial, "line 3: time-trial line after the medals lines"},
        {v3 + medals + zero, "line 3: circuit line after the medals lines"},
        {v3 + trial + trial, "line 3: time trial of circuit 7 listed twice"},
        {v3 + "time-trial 9 best-lap-ms 30000 best-race-ms 90000\n" + trial,
         "line 3: time trial of circuit 7 out of order"},
        {v3 + medals + medals, "line 3: medals of circuit 7 listed twice"},
        {v3 + "time-trial 7 best-lap-ms 0 best-race-ms 0\n", "time trial of circuit 7 has no best"},
        {v3 + "time-trial 7 best-lap-ms 30001 best-race-ms 90000\n", "line 2: best race shorter"},
        // Version 3 had no races by difficulty; in version 4 they come after
        // those at normal, easy before hard, before the time trials.
        {v3 + easy, "line 2: expected a circuit, time-trial or medals line"},
        {v3 + zero + hard, "line 3: expected a circuit, time-trial or medals line"},
        {v4 + easy + zero, "line 3: circuit line after the circuit-easy lines"},
        {v4 + hard + easy, "line 3: circuit-easy line after the circuit-hard lines"},
        {v4 + trial + hard, "line 3: circuit-hard line after the time-trial lines"},
        {v4 + medals + easy, "line 3: circuit-easy line after the medals lines"},
        {v4 + easy + easy, "line 3: easy race of circuit 7 listed twice"},
        {v4 + hard + "circuit-hard 2 best-lap-ms 30000 best-race-ms 90000\n",
         "line 3: hard race of circuit 2 out of order"},
        {v4 + "circuit-hard 7 best-lap-ms 0 best-race-ms 0\n",
         "hard race of circuit 7 has no best"},
        {v4 + "circuit-easy 7 best-lap-ms 30001 best-race-ms 90000\n", "line 2: best race shorter"},
        {v4 + "circuit-easy 07 best-lap-ms 30000 best-race-ms 90000\n",
         "line 2: bad circuit number"},
        {v4 + "circuit-hard 7 best-lap-ms 30000 best-race-ms 90000 x\n",
         "line 2: expected \"circuit-hard <number>"},
        {v4 + "circuit-normal 7 best-lap-ms 30000 best-race-ms 90000\n",
         "line 2: expected a circuit, circuit-easy, circuit-hard, time-trial or medals line"},
        {v4 + "CIRCUIT-EASY 7 best-lap-ms 30000 best-race-ms 90000\n",
         "line 2: expected a circuit, circuit-easy"},
        // Medals none 0, each slower than the one above.
        {v3 + "medals 7 pilot-ms 0 gold-ms 1 silver-ms 2 bronze-ms 3\n", "hold a time of 0"},
        {v3 + "medals 7 pilot-ms 1 gold-ms 2 silver-ms 3 bronze-ms 0\n", "hold a time of 0"},
        {v3 + "medals 7 pilot-ms 80000 gold-ms 80000 silver-ms 90000 bronze-ms 99000\n",
         "line 2: medals of circuit 7 are not each slower than the one above"},
        {v3 + "medals 7 pilot-ms 80000 gold-ms 88000 silver-ms 120000 bronze-ms 100000\n",
         "not each slower"},
        {v3 + "medals 7 pilot-ms 8e4 gold-ms 88000 silver-ms 100000 bronze-ms 120000\n",
         "line 2: bad number"},
        {v3 + "medals x pilot-ms 80000 gold-ms 88000 silver-ms 100000 bronze-ms 120000\n",
         "line 2: bad circuit number"},
        // Unknown words, too many or too few fields.
        {v3 + "ghost 7 best-lap-ms 30000 best-race-ms 90000\n",
         "line 2: expected a circuit, time-trial or medals line"},
        {v3 + "\n", "line 2: expected a circuit, time-trial or medals line"},
        {v3 + "time-trial 7 best-lap-ms 30000 best-race-ms 90000 best-lap-ms 1\n",
         "line 2: expected \"time-trial <number>"},
        {v3 + "medals 7 pilot-ms 80000 gold-ms 88000 silver-ms 100000 bronze-ms 120000 x\n",
         "line 2: expected \"medals <number>"},
        {v3 + "medals 7 pilot-ms 80000 gold-ms 88000 silver-ms 100000\n",
         "line 2: expected \"medals <number>"},
        {v3 + "medals 7 pilot-ms 80000 silver-ms 88000 gold-ms 100000 bronze-ms 120000\n",
         "line 2: expected \"medals <number>"},
    };
    for (const DamagedText& sample : damaged) {
        const ParsedRecords parsed = parseRecords(sample.text);
        EXPECT_EQ(parsed.status, RecordsTextStatus::Corrupt) << sample.text;
        EXPECT_NE(parsed.problem.find(sample.problem), std::string::npos)
            << sample.text << " told: " << parsed.problem;
        EXPECT_TRUE(parsed.records.empty()) << sample.text;
    }
}

TEST(RecordsText, ANewerFormatIsToldApartFromDamage) {
    for (const std::string text :
         {"zentrix-records 5\ncircuit 0 best-lap-ms 40010 best-race-ms 123260\n",
          "zentrix-records 5\n", "zentrix-records 4294967295\n{\"laps\": []}"}) {
        const ParsedRecords parsed = parseRecords(text);
        EXPECT_EQ(parsed.status, RecordsTextStatus::NewerVersion) << text;
        EXPECT_NE(parsed.problem.find("newer"), std::string::npos) << parsed.problem;
        EXPECT_TRUE(parsed.records.empty());
    }
    // Without its newline the first line may itself be cut short.
    EXPECT_EQ(parseRecords("zentrix-records 5").status, RecordsTextStatus::Corrupt);
    EXPECT_EQ(parseRecords("zentrix-records 4294967296\n").status, RecordsTextStatus::Corrupt);
}

}  // namespace

#include "saves/records_text.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "saves/strict_text.h"

namespace {

const std::string_view HEADER_KEY = "zentrix-records";
const std::string_view BEST_LAP_KEY = "best-lap-ms";
const std::string_view BEST_RACE_KEY = "best-race-ms";
const std::string_view CIRCUIT_KEY = "circuit";
const std::string_view CIRCUIT_EASY_KEY = "circuit-easy";
const std::string_view CIRCUIT_HARD_KEY = "circuit-hard";
const std::string_view TIME_TRIAL_KEY = "time-trial";
const std::string_view MEDALS_KEY = "medals";
const std::string_view PILOT_KEY = "pilot-ms";
const std::string_view GOLD_KEY = "gold-ms";
const std::string_view SILVER_KEY = "silver-ms";
const std::string_view BRONZE_KEY = "bronze-ms";

// The longest line of each kind: its words, each number ten digits, a space
// after each word and number but the last, and the newline.
constexpr std::size_t NUMBER = 10;
constexpr std::size_t LONGEST_CIRCUIT_LINE = 7 + 11 + 12 + 3 * NUMBER + 5 + 1;
constexpr std::size_t LONGEST_CIRCUIT_AT_LINE = 12 + 11 + 12 + 3 * NUMBER + 5 + 1;
constexpr std::size_t LONGEST_TIME_TRIAL_LINE = 10 + 11 + 12 + 3 * NUMBER + 5 + 1;
constexpr std::size_t LONGEST_MEDALS_LINE = 6 + 8 + 7 + 9 + 9 + 5 * NUMBER + 9 + 1;
static_assert(sizeof "zentrix-records 4\n" - 1 +
                      RECORDS_MAX_CIRCUITS * (LONGEST_CIRCUIT_LINE + 2 * LONGEST_CIRCUIT_AT_LINE +
                                              LONGEST_TIME_TRIAL_LINE + LONGEST_MEDALS_LINE) <=
                  RECORDS_TEXT_MAX_BYTES,
              "every file the game may write must be one it reads back");

// Splits "key value": the key must match and exactly one space separate them.
std::optional<std::string_view> valueAfterKey(std::string_view line, std::string_view key) {
    if (line.size() <= key.size() || line.substr(0, key.size()) != key || line[key.size()] != ' ') {
        return std::nullopt;
    }
    return line.substr(key.size() + 1);
}

ParsedRecords corrupt(std::string problem) {
    ParsedRecords parsed;
    parsed.status = RecordsTextStatus::Corrupt;
    parsed.problem = std::move(problem);
    return parsed;
}

// Reads line "key <n>" into value, or says what is wrong with it.
std::optional<std::string> readValueLine(std::string_view& text, int lineNumber,
                                         std::string_view key, uint32_t& value) {
    const std::string where = "line " + std::to_string(lineNumber) + ": ";
    const auto line = takeLine(text);
    if (!line) {
        return where + "cut short";
    }
    const auto digits = valueAfterKey(*line, key);
    if (!digits) {
        return where + "expected \"" + std::string(key) + " <milliseconds>\"";
    }
    const auto parsed = parseDecimal(*digits);
    if (!parsed) {
        return where + "bad number of milliseconds";
    }
    value = *parsed;
    return std::nullopt;
}

// Every lap of the best race is at least the best lap.
bool raceFitsLap(const Records& records) {
    return records.bestRaceMs == 0 ||
           (records.bestLapMs != 0 &&
            uint64_t{records.bestRaceMs} >= 3 * uint64_t{records.bestLapMs});
}

const std::string_view RACE_SHORTER_THAN_LAPS = "best race shorter than three best laps";

// Version 1: the classic's records in two lines after the header.
ParsedRecords parseVersion1(std::string_view text) {
    Records records;
    if (auto problem = readValueLine(text, 2, BEST_LAP_KEY, records.bestLapMs)) {
        return corrupt(*problem);
    }
    if (auto problem = readValueLine(text, 3, BEST_RACE_KEY, records.bestRaceMs)) {
        return corrupt(*problem);
    }
    if (!text.empty()) {
        return corrupt("unexpected text after line 3");
    }
    if (!raceFitsLap(records)) {
        return corrupt(std::string(RACE_SHORTER_THAN_LAPS));
    }
    ParsedRecords parsed;
    parsed.status = RecordsTextStatus::Valid;
    if (records.bestLapMs != 0) {
        parsed.records.race[0] = records;
    }
    return parsed;
}

// Reads "<key> <c> best-lap-ms <n> best-race-ms <n>", or says what is wrong with it.
std::optional<std::string> readRecordsLine(std::string_view line, std::string_view key,
                                           const std::string& where, uint32_t& circuit,
                                           Records& records) {
    constexpr std::size_t FIELDS = 6;
    const std::vector<std::string_view> fields = splitFields(line, FIELDS);
    if (fields.size() != FIELDS || fields[0] != key || fields[2] != BEST_LAP_KEY ||
        fields[4] != BEST_RACE_KEY) {
        return where + "expected \"" + std::string(key) +
               " <number> best-lap-ms <milliseconds> best-race-ms <milliseconds>\"";
    }
    const auto number = parseDecimal(fields[1]);
    if (!number) {
        return where + "bad circuit number";
    }
    const auto lap = parseDecimal(fields[3]);
    const auto race = parseDecimal(fields[5]);
    if (!lap || !race) {
        return where + "bad number of milliseconds";
    }
    circuit = *number;
    records = Records{*lap, *race};
    return std::nullopt;
}

// Reads "medals <c> pilot-ms <n> gold-ms <n> silver-ms <n> bronze-ms <n>", or
// says what is wrong with it.
std::optional<std::string> readMedalsLine(std::string_view line, const std::string& where,
                                          uint32_t& circuit, MedalTimes& times) {
    constexpr std::size_t FIELDS = 10;
    const std::vector<std::string_view> fields = splitFields(line, FIELDS);
    if (fields.size() != FIELDS || fields[0] != MEDALS_KEY || fields[2] != PILOT_KEY ||
        fields[4] != GOLD_KEY || fields[6] != SILVER_KEY || fields[8] != BRONZE_KEY) {
        return where + "expected \"medals <number> pilot-ms <milliseconds> gold-ms " +
               "<milliseconds> silver-ms <milliseconds> bronze-ms <milliseconds>\"";
    }
    const auto number = parseDecimal(fields[1]);
    if (!number) {
        return where + "bad circuit number";
    }
    uint32_t* const kept[] = {&times.pilotMs, &times.goldMs, &times.silverMs, &times.bronzeMs};
    for (std::size_t medal = 0; medal < 4; ++medal) {
        const auto ms = parseDecimal(fields[3 + 2 * medal]);
        if (!ms) {
            return where + "bad number of milliseconds";
        }
        *kept[medal] = *ms;
    }
    circuit = *number;
    return std::nullopt;
}

// The kinds of line after the header, in the order they must come.
enum class LineKind { Race, RaceEasy, RaceHard, TimeTrial, Medals };

struct LineKindNames {
    std::string_view key;
    const char* of;    // before "circuit <c>" in what the player is told
    const char* many;  // the kind's lines, counted
};

const LineKindNames KIND_NAMES[] = {{CIRCUIT_KEY, "", "circuits"},
                                    {CIRCUIT_EASY_KEY, "easy race of ", "circuits at easy"},
                                    {CIRCUIT_HARD_KEY, "hard race of ", "circuits at hard"},
                                    {TIME_TRIAL_KEY, "time trial of ", "time trials"},
                                    {MEDALS_KEY, "medals of ", "circuits' medals"}};

const LineKindNames& namesOf(LineKind kind) {
    return KIND_NAMES[static_cast<int>(kind)];
}

// Version 2 has circuit lines only, so anything else is a malformed one.
std::optional<LineKind> kindOf(std::string_view line, uint32_t version) {
    const std::string_view key = line.substr(0, line.find(' '));
    if (version >= 4 && key == CIRCUIT_EASY_KEY) {
        return LineKind::RaceEasy;
    }
    if (version >= 4 && key == CIRCUIT_HARD_KEY) {
        return LineKind::RaceHard;
    }
    if (version >= 3 && key == TIME_TRIAL_KEY) {
        return LineKind::TimeTrial;
    }
    if (version >= 3 && key == MEDALS_KEY) {
        return LineKind::Medals;
    }
    if (version >= 3 && key != CIRCUIT_KEY) {
        return std::nullopt;
    }
    return LineKind::Race;
}

// A circuit comes after every circuit before it of the same kind; or what is wrong.
template <typename Value>
std::optional<std::string> outOfPlace(const std::map<uint32_t, Value>& kept, uint32_t circuit,
                                      LineKind kind, const std::string& where) {
    if (kept.empty() || circuit > kept.rbegin()->first) {
        return std::nullopt;
    }
    return where + namesOf(kind).of + "circuit " + std::to_string(circuit) +
           (circuit == kept.rbegin()->first ? " listed twice" : " out of order");
}

// One line of records, checked and kept in kept.
std::optional<std::string> keepRecordsLine(std::string_view line, LineKind kind,
                                           const std::string& where, CircuitRecords& kept) {
    uint32_t circuit = 0;
    Records records;
    if (auto problem = readRecordsLine(line, namesOf(kind).key, where, circuit, records)) {
        return problem;
    }
    if (auto problem = outOfPlace(kept, circuit, kind, where)) {
        return problem;
    }
    if (records.bestLapMs == 0) {
        return where + namesOf(kind).of + "circuit " + std::to_string(circuit) + " has no best lap";
    }
    if (!raceFitsLap(records)) {
        return where + std::string(RACE_SHORTER_THAN_LAPS);
    }
    kept.emplace_hint(kept.end(), circuit, records);
    return std::nullopt;
}

// One line of medal times, checked and kept in kept.
std::optional<std::string> keepMedalsLine(std::string_view line, const std::string& where,
                                          CircuitMedals& kept) {
    uint32_t circuit = 0;
    MedalTimes times;
    if (auto problem = readMedalsLine(line, where, circuit, times)) {
        return problem;
    }
    if (auto problem = outOfPlace(kept, circuit, LineKind::Medals, where)) {
        return problem;
    }
    const std::string medals = where + "medals of circuit " + std::to_string(circuit);
    if (times.pilotMs == 0 || times.goldMs == 0 || times.silverMs == 0 || times.bronzeMs == 0) {
        return medals + " hold a time of 0";
    }
    if (!medalTimesInOrder(times)) {
        return medals + " are not each slower than the one above";
    }
    kept.emplace_hint(kept.end(), circuit, times);
    return std::nullopt;
}

const char* const EXPECTED_KINDS =
    "expected a circuit, circuit-easy, circuit-hard, time-trial or medals line";
const char* const EXPECTED_KINDS_BEFORE_DIFFICULTY =
    "expected a circuit, time-trial or medals line";

// Where the records of a kind of line are kept; nothing for medals.
CircuitRecords* recordsOfKind(AllRecords& all, LineKind kind) {
    switch (kind) {
        case LineKind::Race:
            return &all.race;
        case LineKind::RaceEasy:
            return &all.raceEasy;
        case LineKind::RaceHard:
            return &all.raceHard;
        case LineKind::TimeTrial:
            return &all.timeTrial;
        case LineKind::Medals:
            break;
    }
    return nullptr;
}

// Versions 2 to 4: one line per circuit after the header, each kind in
// increasing order of circuit, races first (normal, easy, hard), then time
// trials, then medals.
ParsedRecords parseCircuitLines(std::string_view text, uint32_t version) {
    AllRecords all;
    LineKind lastKind = LineKind::Race;
    for (int lineNumber = 2; !text.empty(); ++lineNumber) {
        const std::string where = "line " + std::to_string(lineNumber) + ": ";
        const auto line = takeLine(text);
        if (!line) {
            return corrupt(where + "cut short");
        }
        const std::optional<LineKind> kind = kindOf(*line, version);
        if (!kind) {
            return corrupt(where +
                           (version >= 4 ? EXPECTED_KINDS : EXPECTED_KINDS_BEFORE_DIFFICULTY));
        }
        if (*kind < lastKind) {
            return corrupt(where + std::string(namesOf(*kind).key) + " line after the " +
                           std::string(namesOf(lastKind).key) + " lines");
        }
        lastKind = *kind;
        CircuitRecords* const records = recordsOfKind(all, *kind);
        const std::size_t count = records ? records->size() : all.medals.size();
        if (count == RECORDS_MAX_CIRCUITS) {
            return corrupt(where + "more than " + std::to_string(RECORDS_MAX_CIRCUITS) + " " +
                           namesOf(*kind).many);
        }
        const std::optional<std::string> problem =
            records ? keepRecordsLine(*line, *kind, where, *records)
                    : keepMedalsLine(*line, where, all.medals);
        if (problem) {
            return corrupt(*problem);
        }
    }
    ParsedRecords parsed;
    parsed.status = RecordsTextStatus::Valid;
    parsed.records = std::move(all);
    return parsed;
}

void appendRecordsLines(std::string& text, std::string_view key, const CircuitRecords& records) {
    for (const auto& [circuit, circuitRecords] : records) {
        if (circuitRecords.bestLapMs == 0) {
            continue;
        }
        text += std::string(key) + " " + std::to_string(circuit) + " " + std::string(BEST_LAP_KEY) +
                " " + std::to_string(circuitRecords.bestLapMs) + " " + std::string(BEST_RACE_KEY) +
                " " + std::to_string(circuitRecords.bestRaceMs) + "\n";
    }
}

}  // namespace

std::string formatRecords(const AllRecords& records) {
    std::string text =
        std::string(HEADER_KEY) + " " + std::to_string(RECORDS_FORMAT_VERSION) + "\n";
    appendRecordsLines(text, CIRCUIT_KEY, records.race);
    appendRecordsLines(text, CIRCUIT_EASY_KEY, records.raceEasy);
    appendRecordsLines(text, CIRCUIT_HARD_KEY, records.raceHard);
    appendRecordsLines(text, TIME_TRIAL_KEY, records.timeTrial);
    for (const auto& [circuit, times] : records.medals) {
        // Times out of order would make the whole file corrupt.
        if (!medalTimesInOrder(times)) {
            continue;
        }
        text += std::string(MEDALS_KEY) + " " + std::to_string(circuit) + " " +
                std::string(PILOT_KEY) + " " + std::to_string(times.pilotMs) + " " +
                std::string(GOLD_KEY) + " " + std::to_string(times.goldMs) + " " +
                std::string(SILVER_KEY) + " " + std::to_string(times.silverMs) + " " +
                std::string(BRONZE_KEY) + " " + std::to_string(times.bronzeMs) + "\n";
    }
    return text;
}

ParsedRecords parseRecords(std::string_view text) {
    if (text.empty()) {
        return corrupt("empty");
    }
    if (text.size() > RECORDS_TEXT_MAX_BYTES) {
        return corrupt("larger than " + std::to_string(RECORDS_TEXT_MAX_BYTES) + " bytes");
    }
    const auto header = takeLine(text);
    const auto version = header ? valueAfterKey(*header, HEADER_KEY) : std::nullopt;
    const auto versionNumber = version ? parseDecimal(*version) : std::nullopt;
    if (!versionNumber || *versionNumber == 0) {
        return corrupt("line 1: not a records file");
    }
    // A newer game may lay out the rest differently; judge nothing past its header.
    if (*versionNumber > RECORDS_FORMAT_VERSION) {
        ParsedRecords parsed;
        parsed.status = RecordsTextStatus::NewerVersion;
        parsed.problem = "from a newer version (format " + std::to_string(*versionNumber) + ")";
        return parsed;
    }
    return *versionNumber == 1 ? parseVersion1(text) : parseCircuitLines(text, *versionNumber);
}

#include "saves/records_text.h"

#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <utility>
#include <vector>

namespace {

const std::string_view HEADER_KEY = "zentrix-records";
const std::string_view BEST_LAP_KEY = "best-lap-ms";
const std::string_view BEST_RACE_KEY = "best-race-ms";
const std::string_view CIRCUIT_KEY = "circuit";

// The longest circuit line: "circuit", "best-lap-ms" and "best-race-ms", each
// with a ten-digit number, a space after each word and number but the last,
// and the newline.
constexpr std::size_t LONGEST_CIRCUIT_LINE = 7 + 11 + 12 + 3 * 10 + 5 + 1;
static_assert(sizeof "zentrix-records 2\n" - 1 + RECORDS_MAX_CIRCUITS * LONGEST_CIRCUIT_LINE <=
                  RECORDS_TEXT_MAX_BYTES,
              "every file the game may write must be one it reads back");

// Plain decimal digits only: no sign, no spaces, no leading zeros, so every
// value has one spelling and a hand-edited or damaged number is caught.
std::optional<uint32_t> parseDecimal(std::string_view digits) {
    if (digits.empty() || digits.size() > 10 || (digits.size() > 1 && digits[0] == '0')) {
        return std::nullopt;
    }
    uint64_t value = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + static_cast<uint64_t>(c - '0');
    }
    if (value > std::numeric_limits<uint32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<uint32_t>(value);
}

// Splits "key value": the key must match and exactly one space separate them.
std::optional<std::string_view> valueAfterKey(std::string_view line, std::string_view key) {
    if (line.size() <= key.size() || line.substr(0, key.size()) != key || line[key.size()] != ' ') {
        return std::nullopt;
    }
    return line.substr(key.size() + 1);
}

// Takes the next line off text, without its newline; nothing if no newline ends it.
std::optional<std::string_view> takeLine(std::string_view& text) {
    const size_t end = text.find('\n');
    if (end == std::string_view::npos) {
        return std::nullopt;
    }
    const std::string_view line = text.substr(0, end);
    text.remove_prefix(end + 1);
    return line;
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
        parsed.records[0] = records;
    }
    return parsed;
}

// Splits line at single spaces into at most count + 1 fields, so that a line
// with too many of them is told apart without splitting it all.
std::vector<std::string_view> splitFields(std::string_view line, std::size_t count) {
    std::vector<std::string_view> fields;
    while (fields.size() < count) {
        const std::size_t space = line.find(' ');
        fields.push_back(line.substr(0, space));
        if (space == std::string_view::npos) {
            return fields;
        }
        line.remove_prefix(space + 1);
    }
    fields.push_back(line);
    return fields;
}

// Reads "circuit <c> best-lap-ms <n> best-race-ms <n>", or says what is wrong with it.
std::optional<std::string> readCircuitLine(std::string_view line, const std::string& where,
                                           uint32_t& circuit, Records& records) {
    constexpr std::size_t FIELDS = 6;
    const std::vector<std::string_view> fields = splitFields(line, FIELDS);
    if (fields.size() != FIELDS || fields[0] != CIRCUIT_KEY || fields[2] != BEST_LAP_KEY ||
        fields[4] != BEST_RACE_KEY) {
        return where + "expected \"circuit <number> best-lap-ms <milliseconds> best-race-ms " +
               "<milliseconds>\"";
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

// Version 2: one line per circuit after the header, in increasing order.
ParsedRecords parseVersion2(std::string_view text) {
    CircuitRecords all;
    for (int lineNumber = 2; !text.empty(); ++lineNumber) {
        const std::string where = "line " + std::to_string(lineNumber) + ": ";
        if (all.size() == RECORDS_MAX_CIRCUITS) {
            return corrupt(where + "more than " + std::to_string(RECORDS_MAX_CIRCUITS) +
                           " circuits");
        }
        const auto line = takeLine(text);
        if (!line) {
            return corrupt(where + "cut short");
        }
        uint32_t circuit = 0;
        Records records;
        if (auto problem = readCircuitLine(*line, where, circuit, records)) {
            return corrupt(*problem);
        }
        if (!all.empty() && circuit <= all.rbegin()->first) {
            return corrupt(where + "circuit " + std::to_string(circuit) +
                           (circuit == all.rbegin()->first ? " listed twice" : " out of order"));
        }
        if (records.bestLapMs == 0) {
            return corrupt(where + "circuit " + std::to_string(circuit) + " has no best lap");
        }
        if (!raceFitsLap(records)) {
            return corrupt(where + std::string(RACE_SHORTER_THAN_LAPS));
        }
        all.emplace_hint(all.end(), circuit, records);
    }
    ParsedRecords parsed;
    parsed.status = RecordsTextStatus::Valid;
    parsed.records = std::move(all);
    return parsed;
}

}  // namespace

std::string formatRecords(const CircuitRecords& records) {
    std::string text =
        std::string(HEADER_KEY) + " " + std::to_string(RECORDS_FORMAT_VERSION) + "\n";
    for (const auto& [circuit, circuitRecords] : records) {
        if (circuitRecords.bestLapMs == 0) {
            continue;
        }
        text += std::string(CIRCUIT_KEY) + " " + std::to_string(circuit) + " " +
                std::string(BEST_LAP_KEY) + " " + std::to_string(circuitRecords.bestLapMs) + " " +
                std::string(BEST_RACE_KEY) + " " + std::to_string(circuitRecords.bestRaceMs) + "\n";
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
    return *versionNumber == 1 ? parseVersion1(text) : parseVersion2(text);
}

#include "saves/records_text.h"

#include <cstdint>
#include <limits>
#include <optional>
#include <utility>

namespace {

const std::string_view HEADER_KEY = "zentrix-records";
const std::string_view BEST_LAP_KEY = "best-lap-ms";
const std::string_view BEST_RACE_KEY = "best-race-ms";

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

}  // namespace

std::string formatRecords(const Records& records) {
    return std::string(HEADER_KEY) + " " + std::to_string(RECORDS_FORMAT_VERSION) + "\n" +
           std::string(BEST_LAP_KEY) + " " + std::to_string(records.bestLapMs) + "\n" +
           std::string(BEST_RACE_KEY) + " " + std::to_string(records.bestRaceMs) + "\n";
}

ParsedRecords parseRecords(std::string_view text) {
    if (text.empty()) {
        return corrupt("empty");
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
    // Every lap of the best race is at least the best lap.
    if (records.bestRaceMs != 0 &&
        (records.bestLapMs == 0 ||
         uint64_t{records.bestRaceMs} < 3 * uint64_t{records.bestLapMs})) {
        return corrupt("best race shorter than three best laps");
    }

    ParsedRecords parsed;
    parsed.status = RecordsTextStatus::Valid;
    parsed.records = records;
    return parsed;
}

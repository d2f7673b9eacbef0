#include "saves/championship_file.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "saves/strict_text.h"

namespace {

const std::string_view CHAMPIONSHIP_HEADER_KEY = "zentrix-championship";
const std::string_view CURRENT_KEY = "current";
const std::string_view BEST_KEY = "best";
const std::string_view DIFFICULTY_KEY = "difficulty";
const std::string_view RACES_RUN_KEY = "races-run";
const std::string_view POINTS_KEY = "points";
const std::string_view LAST_KEY = "last";
const std::string_view PLACE_KEY = "place";

// The longest line of each kind: its words, its values at their longest (ten
// digits a number, "normal", two digits of points, one of a place), a space
// between each two fields and the newline.
constexpr std::size_t NUMBER_DIGITS = 10;
constexpr std::size_t NAME = 6;
constexpr std::size_t CURRENT_WORDS = 7 + 10 + 9 + 6 + 4;
constexpr std::size_t CURRENT_VALUES = NUMBER_DIGITS + NAME + 1 + CHAMPIONSHIP_DRIVERS * (2 + 1);
constexpr std::size_t CURRENT_FIELDS = 5 + 3 + 2 * CHAMPIONSHIP_DRIVERS;
constexpr std::size_t LONGEST_CURRENT_LINE = CURRENT_WORDS + CURRENT_VALUES + CURRENT_FIELDS;
constexpr std::size_t BEST_WORDS = 4 + 10 + 5 + 6;
constexpr std::size_t BEST_VALUES = NUMBER_DIGITS + NAME + 1 + 2;
constexpr std::size_t LONGEST_BEST_LINE = BEST_WORDS + BEST_VALUES + 8;
static_assert(sizeof "zentrix-championship 1\n" - 1 + LONGEST_CURRENT_LINE +
                      CHAMPIONSHIP_MAX_KEPT * LONGEST_BEST_LINE <=
                  CHAMPIONSHIP_TEXT_MAX_BYTES,
              "every file the game may write must be one it reads back");

// The difficulty of a name as the file writes it, lower case only.
std::optional<Difficulty> writtenDifficulty(std::string_view name) {
    const std::optional<Difficulty> named = difficultyNamed(name);
    if (named && name == difficultyName(*named)) {
        return named;
    }
    return std::nullopt;
}

ParsedChampionships corruptChampionships(std::string problem) {
    ParsedChampionships parsed;
    parsed.status = ChampionshipTextStatus::Corrupt;
    parsed.problem = std::move(problem);
    return parsed;
}

const char* const CURRENT_SHAPE =
    "expected \"current <number> difficulty <name> races-run <races> points <6 numbers> last <6 "
    "places>\"";
const char* const BEST_SHAPE =
    "expected \"best <number> difficulty <name> place <place> points <points>\"";

// Reads "<n> difficulty <name>" from fields 1 and 3 of a line, or says what is wrong.
std::optional<std::string> readKey(const std::vector<std::string_view>& fields,
                                   const std::string& where, ChampionshipKey& key) {
    const auto number = parseDecimal(fields[1]);
    if (!number) {
        return where + "bad championship number";
    }
    const auto difficulty = writtenDifficulty(fields[3]);
    if (!difficulty) {
        return where + "bad difficulty (easy, normal or hard)";
    }
    key = ChampionshipKey{*number, *difficulty};
    return std::nullopt;
}

// Reads a current line, or says what is wrong with it.
std::optional<std::string> readCurrentLine(std::string_view line, const std::string& where,
                                           ChampionshipProgress& progress) {
    constexpr std::size_t POINTS_AT = 6;
    constexpr std::size_t LAST_AT = POINTS_AT + 1 + CHAMPIONSHIP_DRIVERS;
    constexpr std::size_t FIELDS = LAST_AT + 1 + CHAMPIONSHIP_DRIVERS;
    const std::vector<std::string_view> fields = splitFields(line, FIELDS);
    if (fields.size() != FIELDS || fields[0] != CURRENT_KEY || fields[2] != DIFFICULTY_KEY ||
        fields[4] != RACES_RUN_KEY || fields[POINTS_AT] != POINTS_KEY ||
        fields[LAST_AT] != LAST_KEY) {
        return where + CURRENT_SHAPE;
    }
    ChampionshipKey key{};
    if (auto problem = readKey(fields, where, key)) {
        return problem;
    }
    const auto races = parseDecimal(fields[5]);
    if (!races || *races < 1 || *races >= static_cast<uint32_t>(CHAMPIONSHIP_RACES)) {
        return where + "bad races run (1 to " + std::to_string(CHAMPIONSHIP_RACES - 1) + ")";
    }
    progress.number = key.number;
    progress.difficulty = key.difficulty;
    progress.racesRun = static_cast<int>(*races);
    bool placed[CHAMPIONSHIP_DRIVERS] = {};
    for (int driver = 0; driver < CHAMPIONSHIP_DRIVERS; ++driver) {
        const auto points = parseDecimal(fields[POINTS_AT + 1 + driver]);
        if (!points || *points > CHAMPIONSHIP_MAX_POINTS) {
            return where + "bad points (0 to " + std::to_string(CHAMPIONSHIP_MAX_POINTS) + ")";
        }
        const auto place = parseDecimal(fields[LAST_AT + 1 + driver]);
        if (!place || *place < 1 || *place > static_cast<uint32_t>(CHAMPIONSHIP_DRIVERS)) {
            return where + "bad place (1 to " + std::to_string(CHAMPIONSHIP_DRIVERS) + ")";
        }
        if (placed[*place - 1]) {
            return where + "place " + std::to_string(*place) + " given twice in the last race";
        }
        placed[*place - 1] = true;
        progress.points[driver] = *points;
        progress.lastPlaces[driver] = static_cast<uint8_t>(*place);
    }
    return std::nullopt;
}

// Reads a best line, or says what is wrong with it.
std::optional<std::string> readBestLine(std::string_view line, const std::string& where,
                                        ChampionshipKey& key, ChampionshipBest& best) {
    constexpr std::size_t FIELDS = 8;
    const std::vector<std::string_view> fields = splitFields(line, FIELDS);
    if (fields.size() != FIELDS || fields[0] != BEST_KEY || fields[2] != DIFFICULTY_KEY ||
        fields[4] != PLACE_KEY || fields[6] != POINTS_KEY) {
        return where + BEST_SHAPE;
    }
    if (auto problem = readKey(fields, where, key)) {
        return problem;
    }
    const auto place = parseDecimal(fields[5]);
    if (!place || *place < 1 || *place > static_cast<uint32_t>(CHAMPIONSHIP_DRIVERS)) {
        return where + "bad place (1 to " + std::to_string(CHAMPIONSHIP_DRIVERS) + ")";
    }
    const auto points = parseDecimal(fields[7]);
    if (!points || *points > CHAMPIONSHIP_MAX_POINTS) {
        return where + "bad points (0 to " + std::to_string(CHAMPIONSHIP_MAX_POINTS) + ")";
    }
    best = ChampionshipBest{static_cast<uint8_t>(*place), *points};
    return std::nullopt;
}

std::string keyText(const ChampionshipKey& key) {
    return std::to_string(key.number) + " " + std::string(DIFFICULTY_KEY) + " " +
           difficultyName(key.difficulty);
}

// The lines after the header: a current line at most, first, then best lines.
ParsedChampionships parseLines(std::string_view text) {
    ChampionshipFile file;
    for (int lineNumber = 2; !text.empty(); ++lineNumber) {
        const std::string where = "line " + std::to_string(lineNumber) + ": ";
        const auto line = takeLine(text);
        if (!line) {
            return corruptChampionships(where + "cut short");
        }
        const std::string_view kind = line->substr(0, line->find(' '));
        if (kind == CURRENT_KEY) {
            if (lineNumber != 2) {
                return corruptChampionships(where + "a current line after the first");
            }
            ChampionshipProgress progress;
            if (auto problem = readCurrentLine(*line, where, progress)) {
                return corruptChampionships(*problem);
            }
            file.current = progress;
            continue;
        }
        if (kind != BEST_KEY) {
            return corruptChampionships(where + "expected a current or best line");
        }
        if (file.best.size() == CHAMPIONSHIP_MAX_KEPT) {
            return corruptChampionships(where + "more than " +
                                        std::to_string(CHAMPIONSHIP_MAX_KEPT) + " championships");
        }
        ChampionshipKey key;
        ChampionshipBest best;
        if (auto problem = readBestLine(*line, where, key, best)) {
            return corruptChampionships(*problem);
        }
        if (!file.best.empty() && !(file.best.rbegin()->first < key)) {
            const bool twice = !(key < file.best.rbegin()->first);
            return corruptChampionships(where + "championship " + keyText(key) +
                                        (twice ? " listed twice" : " out of order"));
        }
        file.best.emplace_hint(file.best.end(), key, best);
    }
    ParsedChampionships parsed;
    parsed.status = ChampionshipTextStatus::Valid;
    parsed.file = std::move(file);
    return parsed;
}

std::string numbersText(const uint32_t* values, int count) {
    std::string text;
    for (int i = 0; i < count; ++i) {
        text += " " + std::to_string(values[i]);
    }
    return text;
}

}  // namespace

bool ChampionshipProgress::operator==(const ChampionshipProgress& other) const {
    return number == other.number && difficulty == other.difficulty && racesRun == other.racesRun &&
           std::equal(points, points + CHAMPIONSHIP_DRIVERS, other.points) &&
           std::equal(lastPlaces, lastPlaces + CHAMPIONSHIP_DRIVERS, other.lastPlaces);
}

bool championshipProgressKept(const ChampionshipProgress& progress) {
    if (progress.racesRun < 1 || progress.racesRun >= CHAMPIONSHIP_RACES ||
        static_cast<int>(progress.difficulty) >= DIFFICULTY_COUNT) {
        return false;
    }
    bool placed[CHAMPIONSHIP_DRIVERS] = {};
    for (int driver = 0; driver < CHAMPIONSHIP_DRIVERS; ++driver) {
        const int place = progress.lastPlaces[driver];
        if (progress.points[driver] > CHAMPIONSHIP_MAX_POINTS || place < 1 ||
            place > CHAMPIONSHIP_DRIVERS || placed[place - 1]) {
            return false;
        }
        placed[place - 1] = true;
    }
    return true;
}

bool championshipBestKept(const ChampionshipBest& best) {
    return best.place >= 1 && best.place <= CHAMPIONSHIP_DRIVERS &&
           best.points <= CHAMPIONSHIP_MAX_POINTS;
}

bool championshipBetter(const ChampionshipBest& result, const ChampionshipBest& best) {
    return result.place < best.place || (result.place == best.place && result.points > best.points);
}

std::string formatChampionships(const ChampionshipFile& file) {
    std::string text = std::string(CHAMPIONSHIP_HEADER_KEY) + " " +
                       std::to_string(CHAMPIONSHIP_FORMAT_VERSION) + "\n";
    if (file.current && championshipProgressKept(*file.current)) {
        const ChampionshipProgress& progress = *file.current;
        uint32_t places[CHAMPIONSHIP_DRIVERS];
        std::copy(progress.lastPlaces, progress.lastPlaces + CHAMPIONSHIP_DRIVERS, places);
        text += std::string(CURRENT_KEY) + " " + keyText({progress.number, progress.difficulty}) +
                " " + std::string(RACES_RUN_KEY) + " " + std::to_string(progress.racesRun) + " " +
                std::string(POINTS_KEY) + numbersText(progress.points, CHAMPIONSHIP_DRIVERS) + " " +
                std::string(LAST_KEY) + numbersText(places, CHAMPIONSHIP_DRIVERS) + "\n";
    }
    for (const auto& [key, best] : file.best) {
        if (!championshipBestKept(best) || static_cast<int>(key.difficulty) >= DIFFICULTY_COUNT) {
            continue;
        }
        text += std::string(BEST_KEY) + " " + keyText(key) + " " + std::string(PLACE_KEY) + " " +
                std::to_string(best.place) + " " + std::string(POINTS_KEY) + " " +
                std::to_string(best.points) + "\n";
    }
    return text;
}

ParsedChampionships parseChampionships(std::string_view text) {
    if (text.empty()) {
        return corruptChampionships("empty");
    }
    if (text.size() > CHAMPIONSHIP_TEXT_MAX_BYTES) {
        return corruptChampionships("larger than " + std::to_string(CHAMPIONSHIP_TEXT_MAX_BYTES) +
                                    " bytes");
    }
    const auto header = takeLine(text);
    const std::vector<std::string_view> fields =
        header ? splitFields(*header, 1) : std::vector<std::string_view>();
    const auto version = fields.size() == 2 && fields[0] == CHAMPIONSHIP_HEADER_KEY
                             ? parseDecimal(fields[1])
                             : std::nullopt;
    if (!version || *version == 0) {
        return corruptChampionships("line 1: not a championship file");
    }
    // A newer game may lay out the rest differently; judge nothing past its header.
    if (*version > CHAMPIONSHIP_FORMAT_VERSION) {
        ParsedChampionships parsed;
        parsed.status = ChampionshipTextStatus::NewerVersion;
        parsed.problem = "from a newer version (format " + std::to_string(*version) + ")";
        return parsed;
    }
    return parseLines(text);
}

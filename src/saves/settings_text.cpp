// The settings file's text: reading it line by line, and rewriting only the
// lines of the settings that changed.
#include <algorithm>
#include <cstdint>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "saves/player_name.h"
#include "saves/settings.h"

namespace {

// Every setting the file holds is a field: the nine plain ones, then a key and
// then a gamepad button for each action.
constexpr int PLAIN_FIELDS = 9;
constexpr int FIELD_COUNT = PLAIN_FIELDS + 2 * ACTION_COUNT;
enum PlainField {
    MUSIC_VOLUME,
    EFFECTS_VOLUME,
    SCREEN,
    HUD_SIZE,
    SHOW_FRAME_RATE,
    RESOLUTION_SCALE,
    DIFFICULTY,
    BOARD,
    PLAYER
};
const char* const PLAIN_NAMES[PLAIN_FIELDS] = {
    "music_volume",     "effects_volume", "screen", "hud_size", "show_frame_rate",
    "resolution_scale", "difficulty",     "board",  "player"};

const char* const SCREEN_WORDS[] = {"window", "desktop", "fullscreen"};
const char* const HUD_WORDS[] = {"normal", "large", "huge"};
// Written as off and on; no and yes, false and true read as the same.
const char* const SWITCH_WORDS[] = {"off", "on"};
const char* const SWITCH_WORDS_READ[] = {"off", "on", "no", "yes", "false", "true"};
// In the order of RESOLUTION_SCALE_PERCENTS.
const char* const SCALE_WORDS[] = {"100", "75", "50"};

constexpr std::string_view BYTE_ORDER_MARK = "\xEF\xBB\xBF";
// What a file the game starts says of itself.
constexpr std::string_view NEW_FILE_HEADER =
    "# Zentrix settings, rewritten by the game; man 6 zentrix tells what each means.\n";

std::string fieldName(int field) {
    if (field < PLAIN_FIELDS) {
        return PLAIN_NAMES[field];
    }
    const int action = (field - PLAIN_FIELDS) % ACTION_COUNT;
    const char* kind = field < PLAIN_FIELDS + ACTION_COUNT ? "key." : "pad.";
    return kind + std::string(actionName(static_cast<Action>(action)));
}

// The field a key names, or -1 for a key the game does not know.
int fieldNamed(std::string_view key) {
    for (int field = 0; field < FIELD_COUNT; ++field) {
        if (key == fieldName(field)) {
            return field;
        }
    }
    return -1;
}

// The key or button name a name field holds.
const std::string& nameIn(const Settings& settings, int field) {
    const int index = field - PLAIN_FIELDS;
    return index < ACTION_COUNT ? settings.keys[index] : settings.padButtons[index - ACTION_COUNT];
}

std::string& nameIn(Settings& settings, int field) {
    return const_cast<std::string&>(nameIn(static_cast<const Settings&>(settings), field));
}

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// Well-formed UTF-8 with no control characters but tabs: no C0 or C1 control,
// no DEL, no overlong form, surrogate or code point past U+10FFFF.
bool isPrintableText(std::string_view text) {
    size_t at = 0;
    while (at < text.size()) {
        const auto lead = static_cast<unsigned char>(text[at]);
        if (lead < 0x80) {
            if ((lead < 0x20 && lead != '\t') || lead == 0x7F) {
                return false;
            }
            ++at;
            continue;
        }
        size_t length = 0;
        uint32_t point = 0;
        uint32_t least = 0;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2, point = lead & 0x1Fu, least = 0x80;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3, point = lead & 0x0Fu, least = 0x800;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4, point = lead & 0x07u, least = 0x10000;
        } else {
            return false;
        }
        if (text.size() - at < length) {
            return false;
        }
        for (size_t next = 1; next < length; ++next) {
            const auto byte = static_cast<unsigned char>(text[at + next]);
            if ((byte & 0xC0u) != 0x80u) {
                return false;
            }
            point = (point << 6) | (byte & 0x3Fu);
        }
        if (point < least || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF) ||
            point < 0xA0) {
            return false;
        }
        at += length;
    }
    return true;
}

// A name the file can hold so that it reads back the same.
bool fileCanHoldName(std::string_view name) {
    return name.size() <= SETTINGS_NAME_MAX_BYTES && isPrintableText(name) && trimmed(name) == name;
}

bool sameWord(std::string_view text, std::string_view word) {
    if (text.size() != word.size()) {
        return false;
    }
    for (size_t at = 0; at < text.size(); ++at) {
        char c = text[at];
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
        if (c != word[at]) {
            return false;
        }
    }
    return true;
}

// The index of the word text is, in any case, or -1.
template <size_t N>
int wordIndex(std::string_view text, const char* const (&words)[N]) {
    for (size_t index = 0; index < N; ++index) {
        if (sameWord(text, words[index])) {
            return static_cast<int>(index);
        }
    }
    return -1;
}

// A whole number from 0 to 100 rounded to its step of 10, or -1.
int volumeFrom(std::string_view text) {
    if (text.empty() || text.size() > 9) {
        return -1;
    }
    int value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return -1;
        }
        value = value * 10 + (c - '0');
    }
    return value <= 100 ? (value + 5) / 10 * 10 : -1;
}

int storableVolume(int volume) {
    return volume < 0 ? 0 : volume > 100 ? 100 : (volume + 5) / 10 * 10;
}

// A value as the messages show it: quoted, and cut short when long.
std::string quoted(std::string_view value) {
    constexpr size_t SHOWN = 40;
    if (value.size() <= SHOWN) {
        return "\"" + std::string(value) + "\"";
    }
    size_t cut = SHOWN;
    while (cut > 0 && (static_cast<unsigned char>(value[cut]) & 0xC0u) == 0x80u) {
        --cut;  // not inside a character
    }
    return "\"" + std::string(value.substr(0, cut)) + "...\"";
}

// The field's value in the file's words, as it reads back.
std::string fieldText(const Settings& settings, int field) {
    switch (field) {
        case MUSIC_VOLUME:
            return std::to_string(storableVolume(settings.musicVolume));
        case EFFECTS_VOLUME:
            return std::to_string(storableVolume(settings.effectsVolume));
        case SCREEN:
            return SCREEN_WORDS[static_cast<int>(settings.screen)];
        case HUD_SIZE:
            return HUD_WORDS[static_cast<int>(settings.hudSize)];
        case SHOW_FRAME_RATE:
            return SWITCH_WORDS[settings.showFrameRate ? 1 : 0];
        case RESOLUTION_SCALE:
            return std::to_string(storableResolutionScale(settings.resolutionScale));
        case DIFFICULTY:
            return difficultyName(settings.difficulty);
        case BOARD:
            return isBoardAddress(settings.board) ? settings.board : std::string();
        case PLAYER:
            return isPlayerName(settings.player) ? settings.player : std::string();
        default: {
            const std::string& name = nameIn(settings, field);
            return fileCanHoldName(name) ? name : std::string();
        }
    }
}

// Sets the field from the text of its value; or, when that is none of its
// values, leaves it and says why.
std::string readField(Settings& settings, int field, std::string_view value) {
    const std::string said = fieldName(field) + " " + quoted(value) + " ";
    const std::string leftAt = "; it is left at ";
    switch (field) {
        case MUSIC_VOLUME:
        case EFFECTS_VOLUME: {
            int& volume = field == MUSIC_VOLUME ? settings.musicVolume : settings.effectsVolume;
            const int read = volumeFrom(value);
            if (read < 0) {
                return said + "is not a number from 0 to 100" + leftAt + std::to_string(volume);
            }
            volume = read;
            return std::string();
        }
        case SCREEN: {
            const int read = wordIndex(value, SCREEN_WORDS);
            if (read < 0) {
                return said + "is not window, desktop or fullscreen" + leftAt +
                       fieldText(settings, field);
            }
            settings.screen = static_cast<ScreenSetting>(read);
            return std::string();
        }
        case HUD_SIZE: {
            const int read = wordIndex(value, HUD_WORDS);
            if (read < 0) {
                return said + "is not normal, large or huge" + leftAt + fieldText(settings, field);
            }
            settings.hudSize = static_cast<HudSize>(read);
            return std::string();
        }
        case SHOW_FRAME_RATE: {
            const int read = wordIndex(value, SWITCH_WORDS_READ);
            if (read < 0) {
                return said + "is not on or off (yes or no, true or false)" + leftAt +
                       fieldText(settings, field);
            }
            settings.showFrameRate = read % 2 == 1;
            return std::string();
        }
        case RESOLUTION_SCALE: {
            const int read = wordIndex(value, SCALE_WORDS);
            if (read < 0) {
                return said + "is not 100, 75 or 50" + leftAt + fieldText(settings, field);
            }
            settings.resolutionScale = RESOLUTION_SCALE_PERCENTS[read];
            return std::string();
        }
        case DIFFICULTY: {
            const std::optional<Difficulty> read = difficultyNamed(value);
            if (!read) {
                return said + "is not easy, normal or hard" + leftAt + fieldText(settings, field);
            }
            settings.difficulty = *read;
            return std::string();
        }
        case BOARD:
            if (!value.empty() && !isBoardAddress(std::string(value))) {
                return said + "is not an http:// or https:// address" + leftAt +
                       (settings.board.empty() ? std::string("none") : quoted(settings.board));
            }
            settings.board = value;
            return std::string();
        case PLAYER:
            if (!value.empty() && !isPlayerName(std::string(value))) {
                return said +
                       "is not a name of 1 to 24 letters, digits, '-', '_', '.' and spaces inside" +
                       leftAt +
                       (settings.player.empty() ? std::string("none") : quoted(settings.player));
            }
            settings.player = value;
            return std::string();
        default: {
            std::string& name = nameIn(settings, field);
            if (value.size() > SETTINGS_NAME_MAX_BYTES) {
                return said + "is longer than " + std::to_string(SETTINGS_NAME_MAX_BYTES) +
                       " bytes" + leftAt +
                       (name.empty() ? std::string("the game's default") : quoted(name));
            }
            name = value;
            return std::string();
        }
    }
}

enum class SettingsLineKind { Blank, Comment, Unreadable, Setting };

// One line of the text, and what the game makes of it.
struct Line {
    std::string_view text;  // as written, without its line feed
    bool lineFeed = false;  // whether one ends it (all but maybe the last line)
    SettingsLineKind kind = SettingsLineKind::Blank;
    std::string_view key;    // of a setting line, known or not
    std::string_view value;  // likewise
    int field = -1;          // the field its key names, or -1
    std::string problem;     // why an unreadable line cannot be read
};

Line readLine(std::string_view text, bool first) {
    Line line;
    line.text = text;
    if (first && text.substr(0, BYTE_ORDER_MARK.size()) == BYTE_ORDER_MARK) {
        text.remove_prefix(BYTE_ORDER_MARK.size());
    }
    if (!text.empty() && text.back() == '\r') {
        text.remove_suffix(1);
    }
    const std::string_view content = trimmed(text);
    if (content.empty()) {
        line.kind = SettingsLineKind::Blank;
        return line;
    }
    if (content.front() == '#') {
        line.kind = SettingsLineKind::Comment;
        return line;
    }
    line.kind = SettingsLineKind::Unreadable;
    if (text.size() > SETTINGS_LINE_MAX_BYTES) {
        line.problem = "the line is longer than " + std::to_string(SETTINGS_LINE_MAX_BYTES) +
                       " bytes; it is skipped";
        return line;
    }
    if (!isPrintableText(text)) {
        line.problem = "the line holds bytes that are not printable UTF-8 text; it is skipped";
        return line;
    }
    const size_t equals = content.find('=');
    if (equals == std::string_view::npos) {
        line.problem = quoted(content) + " has no \"=\"; it is skipped";
        return line;
    }
    line.key = trimmed(content.substr(0, equals));
    if (line.key.empty()) {
        line.problem = "the line has nothing before \"=\"; it is skipped";
        return line;
    }
    line.kind = SettingsLineKind::Setting;
    line.value = trimmed(content.substr(equals + 1));
    line.field = fieldNamed(line.key);
    return line;
}

std::vector<Line> readLines(std::string_view text) {
    std::vector<Line> lines;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        const bool lineFeed = end != std::string_view::npos;
        Line line = readLine(text.substr(0, end), lines.empty());
        line.lineFeed = lineFeed;
        lines.push_back(std::move(line));
        text.remove_prefix(lineFeed ? end + 1 : text.size());
    }
    return lines;
}

std::string settingLine(const Settings& settings, int field) {
    const std::string value = fieldText(settings, field);
    return fieldName(field) + (value.empty() ? " =" : " = " + value);
}

}  // namespace

Settings parseSettings(const std::string& text, const std::string& fileName,
                       std::vector<std::string>& problems) {
    Settings settings;
    const std::vector<Line> lines = readLines(text);
    for (size_t number = 1; number <= lines.size(); ++number) {
        const Line& line = lines[number - 1];
        std::string problem = line.problem;
        if (line.field >= 0) {
            problem = readField(settings, line.field, line.value);
        }
        if (!problem.empty()) {
            problems.push_back(fileName + ":" + std::to_string(number) + ": " + problem);
        }
    }
    return settings;
}

std::string settingsText(const Settings& settings, const std::string& previousText) {
    std::vector<std::string> ignored;
    const Settings before = parseSettings(previousText, std::string(), ignored);
    bool changed[FIELD_COUNT] = {};
    bool anyChanged = false;
    for (int field = 0; field < FIELD_COUNT; ++field) {
        changed[field] = fieldText(settings, field) != fieldText(before, field);
        anyChanged = anyChanged || changed[field];
    }
    if (!anyChanged) {
        return previousText;
    }

    const std::vector<Line> lines = readLines(previousText);
    // A setting's place is the last line that names it: the one that counts.
    int place[FIELD_COUNT];
    std::fill(std::begin(place), std::end(place), -1);
    for (size_t number = 0; number < lines.size(); ++number) {
        if (lines[number].field >= 0) {
            place[lines[number].field] = static_cast<int>(number);
        }
    }

    std::string text;
    text.reserve(previousText.size() + 64);
    for (size_t number = 0; number < lines.size(); ++number) {
        const Line& line = lines[number];
        if (line.field >= 0 && changed[line.field] &&
            place[line.field] == static_cast<int>(number)) {
            // Keeps what is around the setting: a byte order mark, a carriage return.
            if (number == 0 && line.text.substr(0, BYTE_ORDER_MARK.size()) == BYTE_ORDER_MARK) {
                text += BYTE_ORDER_MARK;
            }
            text += settingLine(settings, line.field);
            if (!line.text.empty() && line.text.back() == '\r') {
                text += '\r';
            }
        } else {
            text += line.text;
        }
        if (line.lineFeed) {
            text += '\n';
        }
    }
    if (text.empty()) {
        text += NEW_FILE_HEADER;
    } else if (text.back() != '\n') {
        text += '\n';
    }
    for (int field = 0; field < FIELD_COUNT; ++field) {
        if (changed[field] && place[field] < 0) {
            text += settingLine(settings, field) + "\n";
        }
    }
    return text;
}

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "saves/settings.h"
#include "saves/settings_store.h"
#include "support/records_fixture.h"

namespace {

using recordstest::EnvironmentVariable;
using recordstest::lineCount;
using recordstest::namesIn;
using recordstest::readText;
using recordstest::StderrCapture;
using recordstest::TempDataHome;
using recordstest::writeText;

using Change = std::function<void(Settings&)>;

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

Settings changed(const Change& change) {
    Settings settings;
    change(settings);
    return settings;
}

int fire() {
    return static_cast<int>(Action::Fire);
}

// Every field away from its default, with names that test the format's edges.
Settings everyFieldChanged() {
    Settings settings;
    settings.musicVolume = 30;
    settings.effectsVolume = 0;
    settings.screen = ScreenSetting::Window;
    settings.hudSize = HudSize::Huge;
    settings.showFrameRate = true;
    const char* keys[ACTION_COUNT] = {"W", "S", "A", "D", "Left Ctrl", "#", "Keypad =", "Ö", "="};
    const char* pads[ACTION_COUNT] = {"a", "b",    "dpleft", "dpright",     "x",
                                      "y", "back", "start",  "leftshoulder"};
    for (int action = 0; action < ACTION_COUNT; ++action) {
        settings.keys[action] = keys[action];
        settings.padButtons[action] = pads[action];
    }
    return settings;
}

const std::string EVERY_FIELD_TEXT =
    "# Zentrix settings, rewritten by the game; man 6 zentrix tells what each means.\n"
    "music_volume = 30\neffects_volume = 0\nscreen = window\nhud_size = huge\n"
    "show_frame_rate = on\n"
    "key.accelerate = W\nkey.brake = S\nkey.left = A\nkey.right = D\nkey.fire = Left Ctrl\n"
    "key.camera = #\nkey.cockpit = Keypad =\nkey.pause = Ö\nkey.race_again = =\n"
    "pad.accelerate = a\npad.brake = b\npad.left = dpleft\npad.right = dpright\npad.fire = x\n"
    "pad.camera = y\npad.cockpit = back\npad.pause = start\npad.race_again = leftshoulder\n";

Settings parsedOf(const std::string& text) {
    std::vector<std::string> problems;
    return parseSettings(text, "settings.ini", problems);
}

Settings parsedCleanly(const std::string& text) {
    std::vector<std::string> problems;
    const Settings settings = parseSettings(text, "settings.ini", problems);
    EXPECT_EQ(problems, std::vector<std::string>{}) << text;
    return settings;
}

// ------------------------------------------------------------------ the text

TEST(Settings, ActionsAreNamedInMenuOrder) {
    const std::vector<std::string> expected = {
        "accelerate", "brake", "left", "right", "fire", "camera", "cockpit", "pause", "race_again"};
    std::vector<std::string> names;
    for (int action = 0; action < ACTION_COUNT; ++action) {
        names.push_back(actionName(static_cast<Action>(action)));
    }
    EXPECT_EQ(names, expected);
}

TEST(SettingsText, NoTextIsTheDefaultsAndTheDefaultsNeedNoText) {
    EXPECT_EQ(parsedCleanly(""), Settings{});
    EXPECT_EQ(settingsText(Settings{}, ""), "");
    EXPECT_EQ(settingsText(Settings{}, "# mine\n"), "# mine\n");
}

TEST(SettingsText, EveryFieldIsWrittenAndReadBack) {
    EXPECT_EQ(settingsText(everyFieldChanged(), ""), EVERY_FIELD_TEXT);
    EXPECT_EQ(parsedCleanly(EVERY_FIELD_TEXT), everyFieldChanged());
    EXPECT_EQ(settingsText(everyFieldChanged(), EVERY_FIELD_TEXT), EVERY_FIELD_TEXT);
}

TEST(SettingsText, EveryValueOfEveryFieldRoundTripsFromNothingAndInPlace) {
    std::vector<Settings> samples = {Settings{}};
    for (int volume = 0; volume <= 100; volume += 10) {
        samples.push_back(changed([&](Settings& s) { s.musicVolume = volume; }));
        samples.push_back(changed([&](Settings& s) { s.effectsVolume = volume; }));
    }
    for (auto screen : {ScreenSetting::Window, ScreenSetting::Desktop, ScreenSetting::Fullscreen}) {
        samples.push_back(changed([&](Settings& s) { s.screen = screen; }));
    }
    for (auto size : {HudSize::Normal, HudSize::Large, HudSize::Huge}) {
        samples.push_back(changed([&](Settings& s) { s.hudSize = size; }));
    }
    samples.push_back(changed([](Settings& s) { s.showFrameRate = true; }));
    for (int action = 0; action < ACTION_COUNT; ++action) {
        samples.push_back(changed([&](Settings& s) { s.keys[action] = "Right Shift"; }));
        samples.push_back(changed([&](Settings& s) { s.padButtons[action] = "rightstick"; }));
    }
    for (const Settings& sample : samples) {
        const std::string fresh = settingsText(sample, "");
        EXPECT_EQ(parsedCleanly(fresh), sample) << fresh;
        const std::string rewritten = settingsText(sample, EVERY_FIELD_TEXT);
        EXPECT_EQ(parsedCleanly(rewritten), sample) << rewritten;
        EXPECT_EQ(lineCount(rewritten), lineCount(EVERY_FIELD_TEXT)) << "replaced in place";
    }
}

TEST(SettingsText, HandWrittenLinesReadAsMeant) {
    const struct {
        std::string text;
        Change expected;
    } cases[] = {
        {"music_volume=70", [](Settings& s) { s.musicVolume = 70; }},
        {"\t music_volume \t=\t 070 \t\n", [](Settings& s) { s.musicVolume = 70; }},
        {"music_volume = 45\neffects_volume = 44",
         [](Settings& s) {
             s.musicVolume = 50;  // rounded to the nearest step, halves up
             s.effectsVolume = 40;
         }},
        {"music_volume = 5\neffects_volume = 0",
         [](Settings& s) {
             s.musicVolume = 10;
             s.effectsVolume = 0;
         }},
        {"screen = Desktop\nhud_size = LARGE\nshow_frame_rate = On\n",
         [](Settings& s) {
             s.screen = ScreenSetting::Desktop;
             s.hudSize = HudSize::Large;
             s.showFrameRate = true;
         }},
        {"\xEF\xBB\xBFscreen = window\r\nmusic_volume = 20\r\n",
         [](Settings& s) {
             s.screen = ScreenSetting::Window;
             s.musicVolume = 20;
         }},
        {"key.fire = W\nkey.fire =\npad.fire = \xC3\xB6\t\xE2\x82\xAC",
         [](Settings& s) {
             s.padButtons[fire()] = "\xC3\xB6\t\xE2\x82\xAC";  // the last line counts
         }},
        {"music_volume = 10\nmusic_volume = 20\n", [](Settings& s) { s.musicVolume = 20; }},
        {"key.fire = " + std::string(SETTINGS_NAME_MAX_BYTES, 'k'),
         [](Settings& s) { s.keys[fire()] = std::string(SETTINGS_NAME_MAX_BYTES, 'k'); }},
        // Comments and keys the game does not know count for nothing, silently.
        {"  # music_volume = 0\n#\xFF\xFE a Latin-1 comment\n# " + std::string(5000, '#') +
             "\nMusic_Volume = 0\nfuture_option = 7\nkey.jump = J\n\n\t\n",
         [](Settings&) {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(parsedCleanly(c.text), changed(c.expected)) << c.text;
    }
}

TEST(SettingsText, ADamagedLineIsSkippedWithItsReasonAndEveryOtherLineCounts) {
    const std::string notText =
        "the line holds bytes that are not printable UTF-8 text; it is skipped";
    const std::string over = "key.fire = " + std::string(SETTINGS_NAME_MAX_BYTES + 1, 'k');
    const struct {
        std::string line;
        std::string reason;
    } cases[] = {
        {"music_volume = loud",
         "music_volume \"loud\" is not a number from 0 to 100; it is left at 30"},
        {"music_volume =", "music_volume \"\" is not a number from 0 to 100; it is left at 30"},
        {"effects_volume = 101",
         "effects_volume \"101\" is not a number from 0 to 100; it is left at 100"},
        {"effects_volume = -10",
         "effects_volume \"-10\" is not a number from 0 to 100; it is left at 100"},
        {"effects_volume = 5 0",
         "effects_volume \"5 0\" is not a number from 0 to 100; it is left at 100"},
        {"screen = big",
         "screen \"big\" is not window, desktop or fullscreen; it is left at "
         "fullscreen"},
        {"hud_size = enormous",
         "hud_size \"enormous\" is not normal, large or huge; it is left at "
         "normal"},
        {"show_frame_rate = yes", "show_frame_rate \"yes\" is not on or off; it is left at off"},
        {over, "key.fire \"" + std::string(40, 'k') +
                   "...\" is longer than 64 bytes; it is left at the game's default"},
        {"just words", "\"just words\" has no \"=\"; it is skipped"},
        {"[zentrix]", "\"[zentrix]\" has no \"=\"; it is skipped"},
        {" = 50", "the line has nothing before \"=\"; it is skipped"},
        {"music_volume = " + std::string(SETTINGS_LINE_MAX_BYTES, '0'),
         "the line is longer than 1024 bytes; it is skipped"},
        {"music_volume = 5\x01", notText},
        {std::string("music_volume = 5\0", 17), notText},
        {"music_volume = 50\rx", notText},
        {"screen = \xC3\x28", notText},            // cut short
        {"key.fire = \xC0\xAF", notText},          // overlong '/'
        {"key.fire = \xED\xA0\x80", notText},      // surrogate
        {"key.fire = \xC2\x85", notText},          // C1 control
        {"key.fire = \xF4\x90\x80\x80", notText},  // > U+10FFFF
        {"future_option = \x7F", notText},
    };
    const Settings expected = changed([](Settings& s) {
        s.musicVolume = 30;
        s.hudSize = HudSize::Huge;
    });
    for (const auto& c : cases) {
        std::vector<std::string> problems;
        const Settings settings =
            parseSettings("music_volume = 30\n" + c.line + "\nhud_size = huge",
                          "/home/u/.config/zentrix/settings.ini", problems);
        EXPECT_EQ(settings, expected) << c.line;
        EXPECT_EQ(problems,
                  std::vector<std::string>{"/home/u/.config/zentrix/settings.ini:2: " + c.reason});
    }
}

TEST(SettingsText, ARewriteReplacesOnlyTheChangedSettingsLinesAndKeepsEveryOtherLine) {
    const std::string mine =
        "# my settings\n"
        "future_option = 7\n"
        "\n"
        "music_volume=50   \n"
        "[section]\n"
        "key.fire = Space\n"
        "  # an indented comment\n"
        "screen = big\n"
        "Music_Volume = 20\n";
    EXPECT_EQ(settingsText(parsedOf(mine), mine), mine) << "nothing changed, nothing rewritten";

    Settings next = parsedOf(mine);
    next.musicVolume = 80;
    next.effectsVolume = 30;
    next.padButtons[fire()] = "x";
    next.keys[fire()] = "";
    EXPECT_EQ(settingsText(next, mine),
              "# my settings\n"
              "future_option = 7\n"
              "\n"
              "music_volume = 80\n"
              "[section]\n"
              "key.fire =\n"
              "  # an indented comment\n"
              "screen = big\n"
              "Music_Volume = 20\n"
              "effects_volume = 30\n"
              "pad.fire = x\n");
}

TEST(SettingsText, AChangedSettingTakesTheLastLineThatNamesIt) {
    const struct {
        std::string previous;
        Change change;
        std::string expected;
    } cases[] = {
        // A damaged line is the player's until they choose that setting anew.
        {"music_volume = loud\n", [](Settings& s) { s.screen = ScreenSetting::Window; },
         "music_volume = loud\nscreen = window\n"},
        {"music_volume = loud\n", [](Settings& s) { s.musicVolume = 50; }, "music_volume = 50\n"},
        {"music_volume = 10\nmusic_volume = 20\n", [](Settings& s) { s.musicVolume = 40; },
         "music_volume = 10\nmusic_volume = 40\n"},
        {"music_volume = 10\n", [](Settings& s) { s.musicVolume = 100; }, "music_volume = 100\n"},
        {"\xEF\xBB\xBFmusic_volume = 10\r\nscreen = window\r\n",
         [](Settings& s) { s.musicVolume = 40; },
         "\xEF\xBB\xBFmusic_volume = 40\r\nscreen = window\r\n"},
        {"# mine", [](Settings& s) { s.showFrameRate = true; }, "# mine\nshow_frame_rate = on\n"},
        {"show_frame_rate = on", [](Settings& s) { s.hudSize = HudSize::Large; },
         "show_frame_rate = on\nhud_size = large\n"},
        // A line that cannot be read names no setting, whatever it starts with.
        {"music_volume = 1\x01\n", [](Settings& s) { s.musicVolume = 60; },
         "music_volume = 1\x01\nmusic_volume = 60\n"},
    };
    for (const auto& c : cases) {
        const Settings next = [&] {
            Settings settings = parsedOf(c.previous);
            c.change(settings);
            return settings;
        }();
        const std::string text = settingsText(next, c.previous);
        EXPECT_EQ(text, c.expected) << c.previous;
        EXPECT_EQ(parsedOf(text), next) << text;
    }
}

TEST(SettingsText, WhatTheFileCannotHoldIsWrittenAsItReadsBack) {
    Settings odd;
    odd.musicVolume = 55;
    odd.effectsVolume = -3;
    odd.keys[0] = "Up\nscreen = window";
    odd.keys[1] = " Space";
    odd.keys[2] = std::string(SETTINGS_NAME_MAX_BYTES + 1, 'k');
    odd.padButtons[0] = "a\r";
    odd.padButtons[1] = std::string("b\0", 2);
    odd.padButtons[2] = "x";
    const std::string text = settingsText(odd, "");
    EXPECT_EQ(text,
              "# Zentrix settings, rewritten by the game; man 6 zentrix tells what each "
              "means.\nmusic_volume = 60\neffects_volume = 0\npad.left = x\n");
    odd.effectsVolume = 250;
    EXPECT_EQ(parsedCleanly(settingsText(odd, "")).effectsVolume, 100);
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    for (size_t start = 0; start < text.size();) {
        const size_t end = std::min(text.find('\n', start), text.size());
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

// A line without a byte order mark and the blanks around it.
std::string stripped(std::string line) {
    if (line.rfind("\xEF\xBB\xBF", 0) == 0) {
        line.erase(0, 3);
    }
    const size_t first = line.find_first_not_of(" \t");
    const size_t last = line.find_last_not_of(" \t\r");
    return first == std::string::npos ? std::string() : line.substr(first, last - first + 1);
}

// Made-up files of every kind of line, each rewritten with made-up settings.
TEST(SettingsText, AnyFileRewrittenHoldsTheNewSettingsAndEveryLineItDoesNotOwn) {
    const std::vector<std::string> keys = {
        "music_volume", "effects_volume", "screen", "hud_size",        "show_frame_rate",
        "key.fire",     "pad.pause",      "future", " # music_volume", "",
        "Screen"};
    const std::vector<std::string> values = {
        "50",       "45",   "loud",  "window", "HUGE", "on", "", "Space", "=", std::string(70, 'v'),
        "\xC3\xB6", "\xC3", "1\x01", "x\r"};
    const std::vector<std::string> separators = {" = ", "=", "\t=", " ", "\n"};
    std::mt19937 random(20240229);
    const auto pick = [&](const std::vector<std::string>& from) {
        return from[std::uniform_int_distribution<size_t>(0, from.size() - 1)(random)];
    };
    const auto chance = [&](int percent) {
        return std::uniform_int_distribution<int>(0, 99)(random) < percent;
    };
    for (int sample = 0; sample < 3000; ++sample) {
        std::string previous = chance(10) ? "\xEF\xBB\xBF" : "";
        const int lines = std::uniform_int_distribution<int>(0, 8)(random);
        for (int line = 0; line < lines; ++line) {
            previous += pick(keys) + pick(separators) + pick(values) + (chance(10) ? "\r" : "");
            if (line + 1 < lines || chance(70)) {
                previous += "\n";
            }
        }
        EXPECT_EQ(settingsText(parsedOf(previous), previous), previous);

        Settings next = parsedOf(previous);
        if (chance(50)) {
            next.musicVolume = 10 * std::uniform_int_distribution<int>(0, 10)(random);
        }
        if (chance(50)) {
            next.screen =
                static_cast<ScreenSetting>(std::uniform_int_distribution<int>(0, 2)(random));
        }
        if (chance(50)) {
            next.keys[fire()] = chance(50) ? "" : "Right Alt";
        }
        if (chance(30)) {
            next.padButtons[static_cast<int>(Action::Pause)] = "start";
        }
        const std::string text = settingsText(next, previous);
        EXPECT_EQ(parsedOf(text), next) << previous;
        EXPECT_EQ(settingsText(next, text), text);
        // Line by line, the same but for a changed setting's own line.
        const std::vector<std::string> before = linesOf(previous);
        const std::vector<std::string> after = linesOf(text);
        ASSERT_GE(after.size(), before.size()) << previous;
        for (size_t line = 0; line < before.size(); ++line) {
            if (after[line] != before[line]) {
                const std::string key = stripped(before[line].substr(0, before[line].find('=')));
                EXPECT_TRUE(key == "music_volume" || key == "screen" || key == "key.fire" ||
                            key == "pad.pause")
                    << previous;
                EXPECT_EQ(stripped(after[line]).rfind(key + " =", 0), 0u) << previous;
            }
        }
        std::vector<std::string> problemsBefore;
        std::vector<std::string> problemsAfter;
        parseSettings(previous, "f", problemsBefore);
        parseSettings(text, "f", problemsAfter);
        EXPECT_LE(problemsAfter.size(), problemsBefore.size()) << previous;
    }
}

// ---------------------------------------------------------------- the store

TEST(SettingsStore, AFirstRunHasTheDefaultsAndCreatesNothing) {
    TempDataHome home;
    StderrCapture errors;
    const SettingsStore store = loadPlayerSettings();
    EXPECT_EQ(store.settings(), Settings{});
    EXPECT_EQ(store.filePath(), home.settingsFile());
    EXPECT_EQ(zentrixSettingsPath(), home.settingsFile());
    EXPECT_EQ(errors.text(), "");
    EXPECT_TRUE(namesIn(home.root()).empty());
}

TEST(SettingsStore, AChangeIsSavedInOneStepInAPrivateFolderAndReadNextRun) {
    TempDataHome home;
    StderrCapture errors;
    {
        SettingsStore store = loadPlayerSettings();
        store.change(everyFieldChanged());
        EXPECT_EQ(store.settings(), everyFieldChanged());
    }
    EXPECT_EQ(readText(home.settingsFile()), EVERY_FIELD_TEXT);
    EXPECT_EQ(namesIn(home.configFolder()), std::vector<std::string>{"settings.ini"});
    struct stat info {};
    ASSERT_EQ(stat(home.configFolder().c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);

    SettingsStore nextRun = loadPlayerSettings();
    EXPECT_EQ(nextRun.settings(), everyFieldChanged());
    // Only a change rewrites the file.
    ASSERT_EQ(stat(home.settingsFile().c_str(), &info), 0);
    nextRun.change(everyFieldChanged());
    struct stat after {};
    ASSERT_EQ(stat(home.settingsFile().c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, info.st_ino);
    Settings quieter = everyFieldChanged();
    quieter.musicVolume = 10;
    nextRun.change(quieter);
    ASSERT_EQ(stat(home.settingsFile().c_str(), &after), 0);
    EXPECT_NE(after.st_ino, info.st_ino) << "a new file renamed into place";
    EXPECT_EQ(loadPlayerSettings().settings(), quieter);
    EXPECT_EQ(errors.text(), "");
}

TEST(SettingsStore, EachDamagedLineIsOneLineOnStandardErrorAndTheRestApplies) {
    TempDataHome home;
    std::filesystem::create_directories(home.configFolder());
    const std::string mine = "# mine\nscreen = window\nmusic_volume = loud\nfuture = 1\nnonsense\n";
    writeText(home.settingsFile(), mine);
    StderrCapture errors;
    SettingsStore store = loadPlayerSettings();
    EXPECT_EQ(store.settings(), changed([](Settings& s) { s.screen = ScreenSetting::Window; }));
    EXPECT_EQ(errors.text(),
              "zentrix: " + home.settingsFile() +
                  ":3: music_volume \"loud\" is not a number from 0 to 100; it is left at 100\n"
                  "zentrix: " +
                  home.settingsFile() + ":5: \"nonsense\" has no \"=\"; it is skipped\n");

    Settings next = store.settings();
    next.hudSize = HudSize::Large;
    store.change(next);
    EXPECT_EQ(readText(home.settingsFile()), mine + "hud_size = large\n");
    EXPECT_EQ(lineCount(errors.text()), 2);
}

TEST(SettingsStore, WhatIsNoFileItCanReadIsToldOnceAndLeftAsItIs) {
    const struct {
        const char* name;
        std::function<void(const std::string& path)> make;
        const char* told;
    } cases[] = {
        {"a FIFO", [](const std::string& path) { mkfifo(path.c_str(), 0600); },
         "is not a regular file"},
        {"a folder",
         [](const std::string& path) {
             std::filesystem::create_directories(path);
             writeText(path + "/inside", "kept");
         },
         "is not a regular file"},
        {"a link to /dev/null",
         [](const std::string& path) { std::filesystem::create_symlink("/dev/null", path); },
         "is not a regular file"},
        {"a file over 64 KiB",
         [](const std::string& path) {
             writeText(path, "screen = window\n" + std::string(SETTINGS_TEXT_MAX_BYTES, '#'));
         },
         "is larger than 65536 bytes"},
    };
    for (const auto& c : cases) {
        TempDataHome home;
        std::filesystem::create_directories(home.configFolder());
        c.make(home.settingsFile());
        const auto before = std::filesystem::symlink_status(home.settingsFile()).type();

        StderrCapture errors;
        alarm(10);  // a FIFO that blocked the read would end the test here
        SettingsStore store = loadPlayerSettings();
        alarm(0);
        EXPECT_EQ(store.settings(), Settings{}) << c.name;
        Settings next = store.settings();
        next.musicVolume = 40;
        store.change(next);
        next.musicVolume = 50;
        store.change(next);
        EXPECT_EQ(store.settings().musicVolume, 50) << c.name;

        const std::string told = errors.text();
        EXPECT_EQ(lineCount(told), 1) << c.name << ": " << told;
        EXPECT_TRUE(contains(told, "cannot read settings: " + home.settingsFile() + " " + c.told))
            << told;
        EXPECT_TRUE(contains(told, "saving none")) << told;
        EXPECT_EQ(std::filesystem::symlink_status(home.settingsFile()).type(), before) << c.name;
        EXPECT_EQ(namesIn(home.configFolder()), std::vector<std::string>{"settings.ini"});
    }
}

TEST(SettingsStore, ASettingsFileLinkedFromElsewhereIsWrittenThroughTheLink) {
    TempDataHome home;
    const std::string dotfiles = home.root() + "/dotfiles";
    std::filesystem::create_directories(dotfiles);
    std::filesystem::create_directories(home.configFolder());
    writeText(dotfiles + "/zentrix.ini", "# kept with my dotfiles\nscreen = desktop\n");
    std::filesystem::create_symlink(dotfiles + "/zentrix.ini", home.settingsFile());

    SettingsStore store = loadPlayerSettings();
    EXPECT_EQ(store.settings().screen, ScreenSetting::Desktop);
    Settings next = store.settings();
    next.screen = ScreenSetting::Window;
    store.change(next);
    EXPECT_TRUE(std::filesystem::is_symlink(home.settingsFile()));
    EXPECT_EQ(readText(dotfiles + "/zentrix.ini"), "# kept with my dotfiles\nscreen = window\n");
}

TEST(SettingsStore, SettingsThatCannotBeSavedAreSaidOnceAndKeptForTheRun) {
    const struct {
        const char* name;
        std::function<void(const TempDataHome&)> blockBeforeLoad;
        std::function<void(const TempDataHome&)> blockAfterLoad;
        const char* told;
    } cases[] = {
        // A regular file where a folder should be stops root too.
        {"config home is a file",
         [](const TempDataHome& home) { writeText(home.configHome(), "not a folder"); },
         [](const TempDataHome&) {}, "cannot create"},
        {"a folder put where the file goes while the game runs",
         [](const TempDataHome& home) { std::filesystem::create_directories(home.configFolder()); },
         [](const TempDataHome& home) {
             std::filesystem::create_directories(home.settingsFile() + "/inside");
         },
         "cannot replace"},
        {"no config home at all",
         [](const TempDataHome&) {
             unsetenv("HOME");
             setenv("XDG_CONFIG_HOME", "", 1);
         },
         [](const TempDataHome&) {}, "neither XDG_CONFIG_HOME nor HOME"},
        {"a file that would grow too large to read back",
         [](const TempDataHome& home) {
             std::filesystem::create_directories(home.configFolder());
             writeText(home.settingsFile(), std::string(SETTINGS_TEXT_MAX_BYTES - 10, '#') + "\n");
         },
         [](const TempDataHome&) {}, "would grow larger than 65536 bytes"},
    };
    for (const auto& c : cases) {
        TempDataHome home;  // puts HOME and XDG_CONFIG_HOME back at the end
        c.blockBeforeLoad(home);
        StderrCapture errors;
        SettingsStore store = loadPlayerSettings();
        EXPECT_EQ(errors.text(), "") << c.name << ": nothing is saved yet";
        c.blockAfterLoad(home);

        Settings next = store.settings();
        for (const int volume : {40, 60, 20}) {
            next.musicVolume = volume;
            store.change(next);
        }
        EXPECT_EQ(store.settings(), next) << c.name;
        EXPECT_EQ(store.saved(), next) << c.name;
        const std::string told = errors.text();
        EXPECT_EQ(lineCount(told), 1) << c.name << ": " << told;
        EXPECT_TRUE(contains(told, "zentrix: cannot save settings: ")) << told;
        EXPECT_TRUE(contains(told, c.told)) << told;
        EXPECT_TRUE(contains(told, "they last this run only")) << told;
        EXPECT_EQ(namesIn(home.configFolder(), "settings.ini.tmp-"), std::vector<std::string>{});
    }
}

TEST(SettingsStore, TheCommandLinesScreenPlaysThisRunAndIsNotSaved) {
    TempDataHome home;
    {
        SettingsStore fresh = loadPlayerSettings();
        fresh.takeScreenFromCommandLine(ScreenSetting::Window);
        fresh.change(fresh.settings());
        EXPECT_TRUE(namesIn(home.root()).empty()) << "nothing but the command line's changed";
    }
    std::filesystem::create_directories(home.configFolder());
    writeText(home.settingsFile(), "screen = desktop\n");

    SettingsStore store = loadPlayerSettings();
    store.takeScreenFromCommandLine(ScreenSetting::Window);
    EXPECT_TRUE(store.screenFromCommandLine());
    EXPECT_EQ(store.settings().screen, ScreenSetting::Window);
    EXPECT_EQ(store.saved().screen, ScreenSetting::Desktop);

    Settings next = store.settings();
    next.musicVolume = 70;
    store.change(next);
    EXPECT_EQ(store.settings(), next);
    EXPECT_EQ(store.saved().screen, ScreenSetting::Desktop);
    EXPECT_TRUE(store.screenFromCommandLine());
    EXPECT_EQ(readText(home.settingsFile()), "screen = desktop\nmusic_volume = 70\n");
    store.load();
    EXPECT_EQ(store.settings().screen, ScreenSetting::Window) << "for the whole run";

    // Choosing a screen in the menu is the player's choice, and saved.
    next.screen = ScreenSetting::Fullscreen;
    store.change(next);
    EXPECT_FALSE(store.screenFromCommandLine());
    EXPECT_EQ(store.saved(), next);
    EXPECT_EQ(readText(home.settingsFile()), "screen = fullscreen\nmusic_volume = 70\n");
}

}  // namespace

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "saves/disk_notices.h"
#include "saves/settings.h"
#include "saves/settings_store.h"
#include "support/records_fixture.h"

namespace {

using recordstest::lineCount;
using recordstest::namesIn;
using recordstest::readText;
using recordstest::StderrCapture;
using recordstest::TempDataHome;
using recordstest::writeText;

using Change = std::function<void(Settings&)>;

bool settingsTextContains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// Every notice queued so far, each left to show its seconds out.
std::vector<std::string> queuedNotices() {
    std::vector<std::string> texts;
    for (uint32_t now = 0;; now += NOTICE_SHOW_MS) {
        const std::vector<ShownNotice> shown = gDiskNotices.showing(now);
        if (shown.empty()) {
            return texts;
        }
        for (const ShownNotice& notice : shown) {
            texts.push_back(notice.text);
        }
    }
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
    settings.resolutionScale = 50;
    settings.difficulty = Difficulty::Hard;
    settings.board = "https://board.example.org/zentrix";
    settings.player = "Ann B.";
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
    "show_frame_rate = on\nresolution_scale = 50\ndifficulty = hard\n"
    "board = https://board.example.org/zentrix\nplayer = Ann B.\n"
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

TEST(SettingsText, EveryFieldIsWrittenAndReadBack) {
    EXPECT_EQ(settingsText(everyFieldChanged(), ""), EVERY_FIELD_TEXT);
    EXPECT_EQ(parsedCleanly(EVERY_FIELD_TEXT), everyFieldChanged());
    EXPECT_EQ(settingsText(everyFieldChanged(), EVERY_FIELD_TEXT), EVERY_FIELD_TEXT);
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
        {"show_frame_rate = maybe",
         "show_frame_rate \"maybe\" is not on or off (yes or no, true or false); it is left at "
         "off"},
        {"resolution_scale = 60",
         "resolution_scale \"60\" is not 100, 75 or 50; it is left at 100"},
        {"difficulty = insane",
         "difficulty \"insane\" is not easy, normal or hard; it is left at normal"},
        {"difficulty = 2", "difficulty \"2\" is not easy, normal or hard; it is left at normal"},
        {"difficulty =", "difficulty \"\" is not easy, normal or hard; it is left at normal"},
        {"board = ftp://x",
         "board \"ftp://x\" is not an http:// or https:// address; it is left at none"},
        {"player = <b>",
         "player \"<b>\" is not a name of 1 to 24 letters, digits, '-', '_', '.' and spaces "
         "inside; it "
         "is left at none"},
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

// Whatever stands in the way, reading or saving, is said once in one line,
// left as it is, and the run plays on with its settings in memory.
TEST(SettingsStore, WhatCannotBeReadOrSavedIsSaidOnceAndTheRunPlaysOn) {
    using Block = std::function<void(const TempDataHome&)>;
    const Block nothing = [](const TempDataHome&) {};
    const auto atTheFile = [](std::function<void(const std::string&)> make) {
        return Block([make](const TempDataHome& home) {
            std::filesystem::create_directories(home.configFolder());
            make(home.settingsFile());
        });
    };
    const struct {
        const char* name;
        Block beforeLoad;
        Block afterLoad;
        const char* told;
    } cases[] = {
        {"a FIFO", atTheFile([](const std::string& path) { mkfifo(path.c_str(), 0600); }), nothing,
         "is not a regular file; playing with the default settings and saving none"},
        {"a folder",
         atTheFile([](const std::string& path) { std::filesystem::create_directories(path); }),
         nothing, "is not a regular file"},
        {"a link to /dev/null", atTheFile([](const std::string& path) {
             std::filesystem::create_symlink("/dev/null", path);
         }),
         nothing, "is not a regular file"},
        {"a file over 64 KiB", atTheFile([](const std::string& path) {
             writeText(path, "screen = window\n" + std::string(SETTINGS_TEXT_MAX_BYTES, '#'));
         }),
         nothing, "is larger than 65536 bytes"},
        // A regular file where a folder should be stops root too.
        {"config home is a file",
         [](const TempDataHome& home) { writeText(home.configHome(), "not a folder"); }, nothing,
         "cannot create"},
        {"a folder put where the file goes while the game runs",
         atTheFile([](const std::string&) {}),
         [](const TempDataHome& home) {
             std::filesystem::create_directories(home.settingsFile() + "/inside");
         },
         "cannot replace"},
        {"no config home at all",
         [](const TempDataHome&) {
             unsetenv("HOME");
             setenv("XDG_CONFIG_HOME", "", 1);
         },
         nothing, "neither XDG_CONFIG_HOME nor HOME"},
        {"a file that would grow too large to read back", atTheFile([](const std::string& path) {
             writeText(path, std::string(SETTINGS_TEXT_MAX_BYTES - 10, '#') + "\n");
         }),
         nothing, "would grow larger than 65536 bytes; they last this run only"},
    };
    for (const auto& c : cases) {
        TempDataHome home;  // puts HOME and XDG_CONFIG_HOME back at the end
        c.beforeLoad(home);
        const auto before = std::filesystem::symlink_status(home.settingsFile()).type();
        queuedNotices();  // what earlier tests left
        StderrCapture errors;
        alarm(10);  // a FIFO that blocked the read would end the test here
        SettingsStore store = loadPlayerSettings();
        alarm(0);
        c.afterLoad(home);
        Settings next = store.settings();
        for (const int volume : {40, 60, 20}) {
            next.musicVolume = volume;
            store.change(next);
        }
        EXPECT_EQ(store.settings(), next) << c.name;
        const std::string told = errors.text();
        EXPECT_EQ(lineCount(told), 1) << c.name << ": " << told;
        EXPECT_TRUE(settingsTextContains(told, c.told)) << c.name << ": " << told;
        // The game shows it too, without the program's name.
        const std::vector<std::string> notices = queuedNotices();
        ASSERT_EQ(notices.size(), 1u) << c.name;
        EXPECT_EQ("zentrix: " + notices[0] + "\n", told) << c.name;
        EXPECT_EQ(namesIn(home.configFolder(), "settings.ini.tmp-"), std::vector<std::string>{});
        if (before != std::filesystem::file_type::not_found &&
            before != std::filesystem::file_type::regular) {
            EXPECT_EQ(std::filesystem::symlink_status(home.settingsFile()).type(), before)
                << c.name << " is left as it is";
        }
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

namespace {

// The switch reads on and off, yes and no, true and false, in any case, and is
// written back as on or off.
TEST(SettingsSwitchWords, EachReadsAsOnOrOffAndIsWrittenAsOnOrOff) {
    const struct {
        const char* word;
        bool on;
    } cases[] = {
        {"on", true},   {"off", false},   {"yes", true}, {"no", false},
        {"true", true}, {"false", false}, {"YES", true}, {"No", false},
        {"True", true}, {"FALSE", false}, {"On", true},  {"oFF", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.word);
        std::vector<std::string> problems;
        const std::string text = std::string("show_frame_rate = ") + c.word + "\n";
        const Settings read = parseSettings(text, "settings.ini", problems);
        EXPECT_TRUE(problems.empty()) << problems.front();
        EXPECT_EQ(read.showFrameRate, c.on);
        Settings flipped = read;
        flipped.showFrameRate = !c.on;
        EXPECT_EQ(settingsText(flipped, text),
                  std::string("show_frame_rate = ") + (c.on ? "off" : "on") + "\n");
    }
    for (const char* notAWord : {"y", "n", "1", "0", "yes please", "enabled"}) {
        std::vector<std::string> problems;
        const Settings read =
            parseSettings(std::string("show_frame_rate = ") + notAWord, "s", problems);
        EXPECT_EQ(problems.size(), 1u) << notAWord;
        EXPECT_FALSE(read.showFrameRate) << notAWord;
    }
}

// The difficulty reads in any case and is written in lower case; at its
// default it is no line of a new file, as every other setting.
TEST(SettingsDifficulty, ReadsInAnyCaseAndIsWrittenInLowerCase) {
    const struct {
        const char* word;
        Difficulty difficulty;
    } cases[] = {
        {"easy", Difficulty::Easy}, {"Normal", Difficulty::Normal}, {"HARD", Difficulty::Hard},
        {"hArD", Difficulty::Hard}, {"EASY", Difficulty::Easy},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.word);
        const std::string text = std::string("difficulty = ") + c.word + "\n";
        const Settings read = parsedCleanly(text);
        EXPECT_EQ(read.difficulty, c.difficulty);
        Settings other = read;
        other.difficulty = c.difficulty == Difficulty::Hard ? Difficulty::Easy : Difficulty::Hard;
        EXPECT_EQ(settingsText(other, text),
                  std::string("difficulty = ") + difficultyName(other.difficulty) + "\n");
    }
    EXPECT_EQ(settingsText(Settings{}, ""), "");
    Settings easy;
    easy.difficulty = Difficulty::Easy;
    easy.musicVolume = 50;
    EXPECT_EQ(settingsText(easy, "music_volume = 50\n"), "music_volume = 50\ndifficulty = easy\n");
    EXPECT_EQ(parsedCleanly("difficulty = easy\ndifficulty = normal\n").difficulty,
              Difficulty::Normal)
        << "the last line counts";
}

}  // namespace

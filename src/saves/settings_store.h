// saves: everything kept on disk between runs, written whole or not at all; no GL, SDL or OpenAL.
#pragma once

#include <string>

#include "saves/settings.h"

// Where the settings are kept: <config folder>/settings.ini, that is
// $XDG_CONFIG_HOME/zentrix/settings.ini or ~/.config/zentrix/settings.ini;
// empty when there is no config folder.
std::string zentrixSettingsPath();

// The player's settings, as kept in <folder>/settings.ini between runs
// (settings.h describes the file), and the settings this run plays with.
//
// Nothing here stops the game: each problem is one line on standard error and
// the game plays on. A line that cannot be read is told and skipped; a file
// that cannot be read at all is told, played with the defaults and never
// overwritten. When the settings cannot be saved, the game says so once and
// keeps them for this run only.
//
// This run's screen may come from the command line (--windowed and the like):
// the shell calls takeScreenFromCommandLine, and the store plays that screen
// without saving it, while every other change is saved as usual.
class SettingsStore {
public:
    // folder empty: the player has no config folder, so nothing can be saved.
    explicit SettingsStore(std::string folder);

    // Reads the file. Missing is the defaults, silently. Each line that cannot
    // be read is one line on standard error, naming the file and line, and the
    // other lines still count. Anything that is no regular file, is larger than
    // SETTINGS_TEXT_MAX_BYTES or cannot be read is one line, the defaults, and
    // left as it is: the store then saves nothing this run.
    void load();

    // The settings this run plays with: those saved, with this run's screen
    // from the command line if it has one.
    const Settings& settings() const { return settings_; }
    // The settings kept between runs: those read, with every change since but
    // the command line's screen (what the next run starts with, once saved).
    const Settings& saved() const { return saved_; }

    // This run's screen comes from the command line and is not saved.
    void takeScreenFromCommandLine(ScreenSetting screen);
    // Whether this run's screen still comes from the command line.
    bool screenFromCommandLine() const { return screenFromCommandLine_; }

    // The player changed settings (those settings() gave, edited): they are
    // this run's from now on, and are saved in one step when they differ from
    // those saved. A screen that stays the one the command line gave is not
    // saved; choosing another is the player's choice, saved, and from then on
    // the screen no longer comes from the command line. When the folder cannot
    // be created or the file written, that is said once and no later change
    // is written this run. A settings.ini that links to a regular file is
    // written through the link.
    void change(const Settings& settings);

    std::string filePath() const;

private:
    void save();
    void stopSaving(const std::string& reason);

    std::string folder_;
    std::string text_;  // the file as last read or written
    Settings saved_;
    Settings settings_;
    bool screenFromCommandLine_ = false;
    ScreenSetting commandLineScreen_ = ScreenSetting::Fullscreen;
    bool saving_ = true;
};

// The store in the player's config folder, loaded.
SettingsStore loadPlayerSettings();

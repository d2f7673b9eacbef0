#include "saves/settings_store.h"

#include <sys/stat.h>

#include <cstdlib>
#include <utility>
#include <vector>

#include "saves/data_home.h"
#include "saves/disk_notices.h"
#include "saves/saved_file.h"

namespace {

// Where to write path: the file itself when path is a link to a regular file
// (a settings file kept with the player's other dotfiles stays a link), else path.
void writePlace(const std::string& path, std::string& folder, std::string& name) {
    struct stat link;
    struct stat target;
    if (lstat(path.c_str(), &link) != 0 || !S_ISLNK(link.st_mode) ||
        stat(path.c_str(), &target) != 0 || !S_ISREG(target.st_mode)) {
        return;
    }
    char* real = realpath(path.c_str(), nullptr);
    if (real == nullptr) {
        return;
    }
    const std::string resolved = real;
    std::free(real);
    const size_t slash = resolved.rfind('/');
    folder = slash == 0 ? std::string("/") : resolved.substr(0, slash);
    name = resolved.substr(slash + 1);
}

}  // namespace

std::string zentrixSettingsPath() {
    const std::string folder = zentrixConfigFolder();
    return folder.empty() ? folder : folder + "/" + SETTINGS_FILE_NAME;
}

SettingsStore::SettingsStore(std::string folder) : folder_(std::move(folder)) {}

std::string SettingsStore::filePath() const {
    return folder_.empty() ? folder_ : folder_ + "/" + SETTINGS_FILE_NAME;
}

void SettingsStore::load() {
    saved_ = Settings();
    text_.clear();
    if (!folder_.empty()) {
        const std::string path = filePath();
        std::string text;
        std::string failure;
        switch (readSmallFile(path, SETTINGS_TEXT_MAX_BYTES, text, failure)) {
            case SmallFileRead::Missing:
                break;
            case SmallFileRead::TooLarge:
                failure = path + " is " + failure;
                [[fallthrough]];
            case SmallFileRead::Unreadable:
                // Whatever is there is the player's: leave it for them to look at.
                saving_ = false;
                sayDiskTrouble("cannot read settings: " + failure +
                               "; playing with the default settings and saving none this run");
                break;
            case SmallFileRead::Read: {
                std::vector<std::string> problems;
                saved_ = parseSettings(text, path, problems);
                text_ = std::move(text);
                for (const std::string& problem : problems) {
                    sayDiskTrouble(problem);
                }
                break;
            }
        }
    }
    settings_ = saved_;
    if (screenFromCommandLine_) {
        settings_.screen = commandLineScreen_;
    }
}

void SettingsStore::takeScreenFromCommandLine(ScreenSetting screen) {
    screenFromCommandLine_ = true;
    commandLineScreen_ = screen;
    settings_.screen = screen;
}

void SettingsStore::change(const Settings& settings) {
    const ScreenSetting savedScreen = saved_.screen;
    settings_ = settings;
    saved_ = settings;
    if (screenFromCommandLine_) {
        if (settings.screen == commandLineScreen_) {
            saved_.screen = savedScreen;
        } else {
            screenFromCommandLine_ = false;
        }
    }
    save();
}

void SettingsStore::save() {
    if (!saving_) {
        return;
    }
    const std::string text = settingsText(saved_, text_);
    if (text == text_) {
        return;
    }
    if (folder_.empty()) {
        stopSaving("neither XDG_CONFIG_HOME nor HOME names an absolute folder");
        return;
    }
    if (text.size() > SETTINGS_TEXT_MAX_BYTES) {
        stopSaving(filePath() + " would grow larger than " +
                   std::to_string(SETTINGS_TEXT_MAX_BYTES) + " bytes");
        return;
    }
    std::string folder = folder_;
    std::string name = SETTINGS_FILE_NAME;
    writePlace(filePath(), folder, name);
    std::string failure;
    if (!createFolders(folder_, failure) || !writeFileAtomically(folder, name, text, failure)) {
        stopSaving(failure);
        return;
    }
    text_ = text;
}

void SettingsStore::stopSaving(const std::string& reason) {
    saving_ = false;
    sayDiskTrouble("cannot save settings: " + reason + "; they last this run only");
}

SettingsStore loadPlayerSettings() {
    SettingsStore store(zentrixConfigFolder());
    store.load();
    return store;
}

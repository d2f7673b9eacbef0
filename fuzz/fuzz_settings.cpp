#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "saves/settings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> problems;
    const Settings settings = parseSettings(text, "settings.ini", problems);
    // Each problem is one line naming the file and line.
    for (const std::string& problem : problems) {
        if (problem.rfind("settings.ini:", 0) != 0 || problem.find('\n') != std::string::npos) {
            __builtin_trap();
        }
    }
    // What the game writes over any file reads back as what it wrote.
    std::vector<std::string> again;
    if (!(parseSettings(settingsText(settings, text), "settings.ini", again) == settings) ||
        !(parseSettings(settingsText(settings, ""), "settings.ini", again) == settings)) {
        __builtin_trap();
    }
    return 0;
}

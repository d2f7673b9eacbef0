#include "saves/difficulty.h"

#include <cctype>

namespace {
constexpr const char* NAMES[DIFFICULTY_COUNT] = {"easy", "normal", "hard"};
}  // namespace

const char* difficultyName(Difficulty difficulty) {
    const auto index = static_cast<int>(difficulty);
    return index >= 0 && index < DIFFICULTY_COUNT ? NAMES[index] : "normal";
}

std::optional<Difficulty> difficultyNamed(std::string_view name) {
    for (int index = 0; index < DIFFICULTY_COUNT; ++index) {
        const std::string_view known = NAMES[index];
        bool same = known.size() == name.size();
        for (size_t i = 0; same && i < name.size(); ++i) {
            same = std::tolower(static_cast<unsigned char>(name[i])) == known[i];
        }
        if (same) {
            return static_cast<Difficulty>(index);
        }
    }
    return std::nullopt;
}

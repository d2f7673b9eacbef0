// saves: everything kept on disk between runs, written whole or not at all; no GL, SDL or OpenAL.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// How hard the opponents race: their pace along the track and how hard their
// pacing pushes back while the player leads. Replays, records and settings
// keep it, so it is numbered for the files. Normal is the opponents as they
// have always raced: every file written before difficulties is Normal.
enum class Difficulty : uint8_t { Easy = 0, Normal = 1, Hard = 2 };
constexpr int DIFFICULTY_COUNT = 3;

// "easy", "normal" or "hard", as files, the command line and the menu say it.
const char* difficultyName(Difficulty difficulty);

// The difficulty of that name, in any case; nothing for any other word.
std::optional<Difficulty> difficultyNamed(std::string_view name);

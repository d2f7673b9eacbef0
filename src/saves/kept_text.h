// saves: everything kept on disk between runs, written whole or not at all; no GL, SDL or OpenAL.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

// A text file the player's data home keeps (the records, the championships),
// read whole when the game starts.
struct KeptText {
    std::optional<std::string> text;  // none when missing or not to be trusted
    // Why it is not to be trusted: "cannot be read (...)" or "is corrupt
    // (...)"; empty when it was read or is missing.
    std::string problem;
};
KeptText readKeptText(const std::string& path, std::size_t maxBytes);

// A kept file not to be trusted is moved aside as path.<label>-<time> and
// said in one line: "<what> <path> <problem>; kept it as <aside>, <goingOn>".
// Returns false when it cannot be moved (said too): then nothing may be saved
// over the only copy of what it held.
bool setKeptFileAside(const std::string& what, const std::string& path, const std::string& problem,
                      const char* label, const std::string& goingOn);

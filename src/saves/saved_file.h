#pragma once

#include <cstddef>
#include <ctime>
#include <string>

// File operations for what the game saves between runs. Each reports what went
// wrong in failure: a short phrase, with the path and the system's reason.

enum class SmallFileRead { Read, Missing, Unreadable, TooLarge };

// Reads a whole regular file of at most maxBytes. Missing when the file or a
// folder on its path does not exist.
SmallFileRead readSmallFile(const std::string& path, std::size_t maxBytes, std::string& text,
                            std::string& failure);

// Creates folder and its missing parents, each private to the player (0700).
bool createFolders(const std::string& folder, std::string& failure);

// Replaces folder/name with contents so that a crash or power cut at any moment
// leaves either the whole old file or the whole new one. The new text goes to
// name.tmp-<pid> first, is synced, then renamed over the old file. On failure
// the old file is untouched and the temporary removed. Temporaries left by
// writers that were killed are removed here too.
bool writeFileAtomically(const std::string& folder, const std::string& name,
                         const std::string& contents, std::string& failure);

// Renames path to path.<label>-<UTC date-time>, adding -2, -3, ... when that
// name is taken, and never replacing anything. Returns the new path, or empty.
std::string moveAside(const std::string& path, const std::string& label, std::time_t now,
                      std::string& failure);

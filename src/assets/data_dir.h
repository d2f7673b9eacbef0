// assets: finding the data folder and reading its files safely, token by token.
#pragma once

#include <optional>
#include <string>
#include <vector>

// One place the game's data folder may be.
struct DataFolderCandidate {
    std::string folder;  // as the game opens it; "data" stays relative to the working directory
    std::string origin;  // why it is looked at, for the player reading the failure
};

// The places to look, in order: the override folder (ZENTRIX_DATA_DIR) when it
// is set and not empty, data/ in the working directory, then the folder
// installed beside the executable when its path is known.
std::vector<DataFolderCandidate> dataFolderCandidates(const char* overrideFolder,
                                                      const std::string& executablePath);

// A folder counts when it holds an entry by the craft model's name (the first
// file the game loads), so an unrelated data/ in the working directory is
// passed over, while a broken model is still reported by its loader.
bool holdsGameData(const std::string& folder);

// The first candidate that holds the game's data.
std::optional<std::string> findDataFolder(const std::vector<DataFolderCandidate>& candidates);

// The program's own file with every symbolic link resolved, or "" when unknown.
std::string executableRealPath();

// "a/b/../c" is "a/c"; the path must hold no symbolic links for that to be true.
std::string lexicallyNormal(const std::string& path);

// Chosen once at start-up; "data" until then, which is the working directory's.
void setDataFolder(const std::string& folder);

// Maps the game's own name of a file ("data/sky/top.bmp") into the chosen
// folder; any other path is returned as it is.
std::string dataPath(const std::string& gamePath);

#include "world/board_tokens.h"

#include <sstream>

#include "saves/data_home.h"
#include "saves/saved_file.h"

namespace {
constexpr size_t TOKENS_FILE_MAX_BYTES = 64 * 1024;
constexpr const char* TOKENS_FILE_NAME = "board-token";

std::string tokensText() {
    std::string text;
    std::string failure;
    const std::string path = boardTokensPath();
    if (path.empty() ||
        readSmallFile(path, TOKENS_FILE_MAX_BYTES, text, failure) != SmallFileRead::Read) {
        return "";
    }
    return text;
}
}  // namespace

std::string boardTokensPath() {
    const std::string folder = zentrixConfigFolder();
    return folder.empty() ? "" : folder + "/" + TOKENS_FILE_NAME;
}

std::string tokenForBoard(const std::string& board, const std::string& player) {
    const std::string key = board + "\t" + player + "\t";
    std::istringstream lines(tokensText());
    std::string line;
    while (std::getline(lines, line)) {
        if (line.compare(0, key.size(), key) == 0) {
            return line.substr(key.size());
        }
    }
    return "";
}

bool keepTokenForBoard(const std::string& board, const std::string& player,
                       const std::string& token, std::string& failure) {
    const std::string folder = zentrixConfigFolder();
    if (folder.empty()) {
        failure = "no config folder to keep the board's token in";
        return false;
    }
    const std::string key = board + "\t" + player + "\t";
    std::istringstream lines(tokensText());
    std::string kept;
    std::string line;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.compare(0, key.size(), key) != 0) {
            kept += line + "\n";
        }
    }
    kept += key + token + "\n";
    return createFolders(folder, failure) &&
           writeFileAtomically(folder, TOKENS_FILE_NAME, kept, failure);
}

#include "saves/player_name.h"

namespace {
bool isNameCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '_' || c == '.' || c == ' ';
}
}  // namespace

bool isPlayerName(const std::string& name) {
    if (name.empty() || name.size() > PLAYER_NAME_MAX || name.front() == ' ' ||
        name.back() == ' ') {
        return false;
    }
    bool letterOrDigit = false;
    for (const char c : name) {
        if (!isNameCharacter(c)) {
            return false;
        }
        letterOrDigit = letterOrDigit || (c != '-' && c != '_' && c != '.' && c != ' ');
    }
    // "." and ".." would be steps in a page's address, not a name.
    return letterOrDigit;
}

bool isBoardAddress(const std::string& board) {
    const bool scheme = board.rfind("http://", 0) == 0 || board.rfind("https://", 0) == 0;
    if (!scheme || board.size() > 200 || board.back() == '/') {
        return false;
    }
    for (const char c : board) {
        if (c <= ' ' || c >= 0x7F) {
            return false;
        }
    }
    return board.find("://") + 3 < board.size();
}

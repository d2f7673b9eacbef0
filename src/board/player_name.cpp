#include "board/player_name.h"

#include <cstring>

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

std::string bearerToken(const char* authorization) {
    constexpr const char* BEARER = "Bearer ";
    if (authorization == nullptr || std::strncmp(authorization, BEARER, std::strlen(BEARER)) != 0) {
        return "";
    }
    return authorization + std::strlen(BEARER);
}

#pragma once

#include <string>

// 1 to 24 characters: ASCII letters, digits, '-', '_', '.', and spaces
// between the others (never first or last), with at least one letter or
// digit, so a name reads the same on every page and in every terminal.
bool isPlayerName(const std::string& name);

constexpr size_t PLAYER_NAME_MAX = 24;

// The token in "Bearer TOKEN", or "" when the header is absent or another kind.
std::string bearerToken(const char* authorization);

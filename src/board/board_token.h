#pragma once

#include <string>
#include <string_view>

// A new token for a name just claimed: 256 random bits from the kernel, as
// 64 hex digits. Empty when the kernel gives none (the claim is then refused).
std::string newBoardToken();

// What the board keeps of a token: its SHA-256, as hex. Empty for "".
std::string boardTokenHash(const std::string& token);

// SHA-256 of bytes, as 64 hex digits.
std::string sha256Hex(std::string_view bytes);

#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// A number as the board reads one from a path, a query or its command line:
// decimal digits only (no sign, space or "+"), at most ten, at most `most`.
std::optional<uint32_t> decimalIn(std::string_view text, uint64_t most = 0xFFFFFFFFull);

bool startsWith(std::string_view text, std::string_view start);
bool endsWith(std::string_view text, std::string_view end);

// saves: everything kept on disk between runs, written whole or not at all; no GL, SDL or OpenAL.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

// Pieces of the strict text files the game keeps (records, championships):
// every value has one spelling, so a hand-edited or damaged file is caught.

// Plain decimal digits only: no sign, no spaces, no leading zeros, at most
// 4294967295.
std::optional<uint32_t> parseDecimal(std::string_view digits);

// Takes the next line off text, without its newline; nothing if no newline ends it.
std::optional<std::string_view> takeLine(std::string_view& text);

// Splits line at single spaces into at most count + 1 fields, so that a line
// with too many of them is told apart without splitting it all.
std::vector<std::string_view> splitFields(std::string_view line, std::size_t count);

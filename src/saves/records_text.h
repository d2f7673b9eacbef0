#pragma once

#include <string>
#include <string_view>

#include "saves/records.h"

// The records file, version 1, is exactly three lines, each ending in "\n":
//
//   zentrix-records 1
//   best-lap-ms <n>
//   best-race-ms <n>
//
// <n> is a whole number of milliseconds from 0 to 4294967295, written in plain
// decimal digits without sign or leading zeros; 0 means no record yet. A best
// race needs a best lap, and is never less than three of them. Anything else,
// including a missing last newline, spaces or carriage returns, makes the file
// corrupt; a first line with a higher version number marks a newer format.

constexpr int RECORDS_FORMAT_VERSION = 1;

std::string formatRecords(const Records& records);

enum class RecordsTextStatus { Valid, Corrupt, NewerVersion };

struct ParsedRecords {
    RecordsTextStatus status = RecordsTextStatus::Corrupt;
    Records records;      // all zero unless Valid
    std::string problem;  // what is wrong, for the player; empty when Valid
};

ParsedRecords parseRecords(std::string_view text);

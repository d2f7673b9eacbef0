#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "saves/records.h"

// The records file keeps the best lap and best race of every circuit raced.
// Version 2, the one written, is a first line and then one line for each
// circuit with a record, every line ending in "\n":
//
//   zentrix-records 2
//   circuit <c> best-lap-ms <n> best-race-ms <n>
//
// <c> is the circuit's number, 0 (the classic) to 4294967295. Circuits come in
// increasing order, each at most once and at most RECORDS_MAX_CIRCUITS of them;
// a file with no circuit lines holds no records. A listed circuit has a best
// lap; its best race is 0 when no race there was short enough to count.
//
// Version 1, written before circuits were numbered, is exactly three lines and
// holds the classic's records, 0 meaning no record yet:
//
//   zentrix-records 1
//   best-lap-ms <n>
//   best-race-ms <n>
//
// In both, <n> is a whole number of milliseconds from 0 to 4294967295, and
// every number is written in plain decimal digits without sign or leading
// zeros. A best race needs a best lap, and is never less than three of them.
// Anything else, including a missing last newline, spaces or carriage returns,
// makes the file corrupt, and so does a text over RECORDS_TEXT_MAX_BYTES, which
// is not read at all; a first line with a higher version number marks a newer
// format.

constexpr int RECORDS_FORMAT_VERSION = 2;
constexpr std::size_t RECORDS_MAX_CIRCUITS = 50000;
// Room for RECORDS_MAX_CIRCUITS circuits with every number at its longest.
constexpr std::size_t RECORDS_TEXT_MAX_BYTES = 4 * 1024 * 1024;

// Version 2 text; circuits with no record are left out.
std::string formatRecords(const CircuitRecords& records);

enum class RecordsTextStatus { Valid, Corrupt, NewerVersion };

struct ParsedRecords {
    RecordsTextStatus status = RecordsTextStatus::Corrupt;
    CircuitRecords records;  // empty unless Valid; a version 1 file's under circuit 0
    std::string problem;     // what is wrong, for the player; empty when Valid
};

ParsedRecords parseRecords(std::string_view text);

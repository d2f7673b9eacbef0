#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "saves/records.h"

// The records file keeps the best lap and best race of every circuit raced,
// at each difficulty, apart from those of its time trials, and the medal times
// of each circuit. Version 4, the one written, is a first line and then one
// line for each circuit with a record or medals, every line ending in "\n":
//
//   zentrix-records 4
//   circuit <c> best-lap-ms <n> best-race-ms <n>
//   circuit-easy <c> best-lap-ms <n> best-race-ms <n>
//   circuit-hard <c> best-lap-ms <n> best-race-ms <n>
//   time-trial <c> best-lap-ms <n> best-race-ms <n>
//   medals <c> pilot-ms <n> gold-ms <n> silver-ms <n> bronze-ms <n>
//
// <c> is the circuit's number, 0 (the classic) to 4294967295. The kinds come
// in that order: all circuit lines (races at normal) first, then races at
// easy, at hard, then all time-trial lines, then all medals lines; within each
// kind circuits come in increasing order, each at most once and at most
// RECORDS_MAX_CIRCUITS of them; a file with only its first line holds no
// records. A listed circuit has a best lap; its best race is 0 when no race
// there was short enough to count. Medal times are none 0 and each slower
// than the one before: pilot < gold < silver < bronze.
//
// Version 3 is the same without circuit-easy and circuit-hard lines; version 2
// has circuit lines only. Version 1, written before
// circuits were numbered, is exactly three lines and holds the classic's
// records, 0 meaning no record yet:
//
//   zentrix-records 1
//   best-lap-ms <n>
//   best-race-ms <n>
//
// The records of versions 1 and 2 are races; those of versions 1 to 3 are at
// normal, as opponents raced before difficulties. In all, <n> is a whole number of
// milliseconds from 0 to 4294967295, and every number is written in plain
// decimal digits without sign or leading zeros. A best race needs a best lap,
// and is never less than three of them. Anything else, including a missing
// last newline, spaces or carriage returns, makes the file corrupt, and so
// does a text over RECORDS_TEXT_MAX_BYTES, which is not read at all; a first
// line with a higher version number marks a newer format.

constexpr int RECORDS_FORMAT_VERSION = 4;
constexpr std::size_t RECORDS_MAX_CIRCUITS = 50000;
// Room for RECORDS_MAX_CIRCUITS circuits of each kind with every number at its
// longest.
constexpr std::size_t RECORDS_TEXT_MAX_BYTES = 19 * 1024 * 1024;

// Version 4 text; circuits with no record, and medal times out of order, are
// left out.
std::string formatRecords(const AllRecords& records);

enum class RecordsTextStatus { Valid, Corrupt, NewerVersion };

struct ParsedRecords {
    RecordsTextStatus status = RecordsTextStatus::Corrupt;
    AllRecords records;   // empty unless Valid; a version 1 or 2 file's under race,
                          // version 1's under circuit 0; versions 1 to 3 at normal
    std::string problem;  // what is wrong, for the player; empty when Valid
};

ParsedRecords parseRecords(std::string_view text);

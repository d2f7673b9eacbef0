#pragma once

#include <cstdint>
#include <ctime>
#include <string>

struct CircuitOfTheDay {
    std::string date;  // UTC, "2026-12-09"
    uint32_t circuit = 0;
};

// The same on every board on that UTC day: drawn from the day's number since
// 1970-01-01, never the classic.
CircuitOfTheDay circuitOfTheDay(std::time_t now);

// UTC "2026-12-09T14:03:07Z", as the board stamps what it keeps.
std::string utcTimestamp(std::time_t now);

#include "board/circuit_of_the_day.h"

namespace {
constexpr std::time_t SECONDS_A_DAY = 24 * 60 * 60;

uint64_t splitMix64(uint64_t x) {
    x += 0x9E3779B97F4A7C15ull;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}

std::string utcText(std::time_t now, const char* format) {
    std::tm parts{};
    gmtime_r(&now, &parts);
    char text[32];
    std::strftime(text, sizeof text, format, &parts);
    return text;
}
}  // namespace

CircuitOfTheDay circuitOfTheDay(std::time_t now) {
    const uint64_t day = static_cast<uint64_t>(now / SECONDS_A_DAY);
    // 1 to 4294967295: every circuit but the classic.
    const uint32_t circuit = static_cast<uint32_t>(splitMix64(day) % 0xFFFFFFFFull) + 1;
    return {utcText(now, "%Y-%m-%d"), circuit};
}

std::string utcTimestamp(std::time_t now) {
    return utcText(now, "%Y-%m-%dT%H:%M:%SZ");
}

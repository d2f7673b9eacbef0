#include "shell/draw_pacing.h"

#include <SDL2/SDL.h>

#include <cstdlib>

#include "race/race.h"

namespace {
constexpr int MOST_FRAMES_PER_SECOND = 1000;
}  // namespace

int refreshRateForDrawing(int reportedHz) {
    if (reportedHz <= 0) {
        return 0;
    }
    if (std::abs(reportedHz - RACE_TICKS_PER_SECOND) <= 1) {
        return RACE_TICKS_PER_SECOND;
    }
    return reportedHz;
}

int forcedDrawRate(const char* text) {
    if (text == nullptr || *text == '\0') {
        return 0;
    }
    char* end = nullptr;
    const long rate = std::strtol(text, &end, 10);
    if (*end != '\0' || rate < 1 || rate > MOST_FRAMES_PER_SECOND) {
        return 0;
    }
    return static_cast<int>(rate);
}

DrawPacing chooseDrawPacing(SDL_Window* window) {
    DrawPacing pacing;
    const int forced = forcedDrawRate(SDL_getenv("ZENTRIX_TEST_DRAW_RATE"));
    if (forced != 0) {
        SDL_GL_SetSwapInterval(0);
        pacing.drawsPerSecond = forced;
        return pacing;
    }
    if (SDL_GL_SetSwapInterval(1) != 0) {
        SDL_GL_SetSwapInterval(0);
        pacing.drawsPerSecond = RACE_TICKS_PER_SECOND;
        return pacing;
    }
    SDL_DisplayMode mode{};
    const int refresh =
        SDL_GetWindowDisplayMode(window, &mode) == 0 ? refreshRateForDrawing(mode.refresh_rate) : 0;
    // An unknown refresh is most likely 60 Hz; the pacer notices if the swaps
    // come faster than that and sleeps instead.
    pacing.drawsPerSecond = refresh != 0 ? refresh : RACE_TICKS_PER_SECOND;
    pacing.displayWaits = true;
    return pacing;
}

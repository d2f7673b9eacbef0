#pragma once

#include "shell/loop_pacer.h"

struct SDL_Window;

// How the game's frames will be paced on this window's display. Where the
// driver can wait for the display's refresh the game draws at the display's
// rate; where it cannot, it draws 60 frames a second, one per tick, and sleeps
// between them. ZENTRIX_TEST_DRAW_RATE=N (1 to 1000) makes tests draw N
// frames a second by sleeping, whatever the display. Needs the context current.
DrawPacing chooseDrawPacing(SDL_Window* window);

// The display's refresh rate, rounded to the race's when it is within 1 Hz of
// it, so a 59.94 Hz display keeps step with the ticks; 0 when unknown.
int refreshRateForDrawing(int reportedHz);

// The forced draw rate from its text, or 0 when absent or out of range.
int forcedDrawRate(const char* text);

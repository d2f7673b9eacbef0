// shell: start-up, options, the paced main loop and the story of each frame; main is here.
#pragma once

#include <optional>

union SDL_Event;
class LoopPacer;
class FrameRateMeter;
class StillPicture;

// The whole program: start-up, the paced main loop, shutdown. Returns the exit code.
int gameMain();

// One turn of the main loop: every waiting event, the ticks of the race that
// are due, one frame drawn between the last two, then the wait for the next. Returns the exit code
// once the game is over, nothing while it goes on. A meter, when given,
// counts the ticks and the frame, and its figures go to the frame rate line.
// A still picture, when given, lets a paused turn with nothing new wait on
// events instead of drawing (the music is still topped up).
std::optional<int> runLoopTurn(LoopPacer& pacer, FrameRateMeter* meter = nullptr,
                               StillPicture* still = nullptr);

// The window procedure: one removed event.
void handleWindowEvent(const SDL_Event& event);

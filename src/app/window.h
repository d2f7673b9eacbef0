#pragma once

#include <cstdint>
#include <optional>

union SDL_Event;
class FramePacer;

// The whole program: start-up, the paced main loop, shutdown. Returns the exit code.
int gameMain();

// One turn of the main loop: every waiting event, then one frame, then the
// wait for the next tick. Returns the exit code once the game is over,
// nothing while it goes on.
std::optional<int> runLoopTurn(FramePacer& pacer);

// The window procedure: one removed event.
void handleWindowEvent(const SDL_Event& event);

// Maps an SDL key to the platform virtual-key code, or 0.
int virtualKeyFromSdl(int32_t sdlKeycode);

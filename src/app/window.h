#pragma once

#include <cstdint>

union SDL_Event;
struct SDL_Window;

// The whole program: start-up, the paced main loop, shutdown. Returns the exit code.
int gameMain();

// Posts the quit message the main loop ends on.
void postQuitMessage(int exitCode);
// The SDL event type of that quit message.
uint32_t quitMessageType();

// Esc, C and V, by virtual-key code; every other key is ignored.
void onKeyDown(int virtualKey);

// Window creation: context, cursor, fixed GL state, scene, sound, joystick.
// Returns false when no OpenGL context can be had.
bool onWindowCreate(SDL_Window* window);
// Releases the context, restores the display, shows the cursor, posts quit.
void destroyGameWindow();

// The window procedure: one removed event.
void handleWindowEvent(const SDL_Event& event);

// Maps an SDL key to the platform virtual-key code, or 0.
int virtualKeyFromSdl(int32_t sdlKeycode);

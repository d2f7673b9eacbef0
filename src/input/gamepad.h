#pragma once

union SDL_Event;

// Gamepads through SDL's game controller mapping, plugged in or out at any
// time. Their driving inputs hold keys in the key state beside the keyboard;
// Y cycles the chase camera as C does and Back toggles the cockpit as V does.

// Opens a pad that arrives, closes one that leaves, and follows their
// buttons, sticks and triggers. Returns false for any other event.
bool handleGamepadEvent(const SDL_Event& event);

// The pads open now.
int openGamepadCount();

// Closes every pad and lets go of the keys they held.
void closeAllGamepads();

#pragma once

union SDL_Event;

// Gamepads through SDL's game controller mapping, plugged in or out at any
// time. Their driving inputs hold keys in the key state beside the keyboard;
// their command buttons (y, back and start unless the player chose others)
// give the commands the keyboard's keys give.

// Opens a pad that arrives, closes one that leaves, and follows their
// buttons, sticks and triggers. Returns false for any other event.
bool handleGamepadEvent(const SDL_Event& event);

// The pads open now.
int openGamepadCount();

// Closes every pad and lets go of the keys they held.
void closeAllGamepads();

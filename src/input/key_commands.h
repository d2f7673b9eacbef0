#pragma once

#include <cstdint>

// The main loop runs while this is 0; Esc sets it, and the shell closes the window.
extern int32_t gQuitRequested;

// The keys that command rather than drive (a pad's buttons come here too):
// Esc quits, C and V choose the camera, M shows or hides the track map, G the
// ghost, P pauses, R races again, N races the next circuit while paused or finished.
// Watching a replay, R starts it over, F fast-forwards and B goes back ten
// seconds.
void onKeyDown(int virtualKey);

#pragma once

// The keys that command rather than drive (a pad's buttons come here too):
// Esc quits, C and V choose the camera, P pauses, R races again.
void onKeyDown(int virtualKey);

#pragma once

// A paused replay's picture goes dim, with PAUSED and the keys that lead on
// across its middle (a paused race has the pause menu instead).
void drawPauseBanner();

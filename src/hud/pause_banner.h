#pragma once

// The paused race's picture goes dim, with PAUSED and the keys that lead on
// across its middle.
void drawPauseBanner();

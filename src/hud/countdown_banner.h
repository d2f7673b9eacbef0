#pragma once

// A time trial's countdown over the grid: "3", "2", "1" in white, then "GO"
// in green, large on a dark band just above the middle of the picture, over
// the road ahead of the craft.
void drawCountdown(int step);

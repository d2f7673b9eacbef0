#pragma once

// A test aid, for the end-to-end tests and the screenshots, not for play:
// with ZENTRIX_TEST_FINAL_STRETCH set to anything but empty, the first race
// starts on its last stretch. Two laps of 0:41:250 and 0:40:125 are on the
// clock, 38 s of the third have gone, and the craft waits some 700 units
// before the line, so holding Up finishes the race within a second. R then
// races again from the grid as usual. Called after the window is made, and
// for every race of a championship; a race it shortened already it leaves.
void applyFinalStretchAid();

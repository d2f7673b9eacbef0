#pragma once

// "WRONG WAY" in red on a dark band across the upper middle of the picture,
// where the finish panel would hang: the race is still on while it shows.
void drawWrongWay();

#pragma once

// The race's perspective out to beyond the sky box. On the design's 4:3
// screen it is 40 degrees high with a 1.3 aspect; a wider screen keeps the
// height and sees more to the sides, a narrower one keeps the 4:3 width and
// sees more above and below. Replaces the projection matrix.
void loadGameProjection();

// The shape of the picture the race is drawn into, in pixels; 1024 x 768
// until told.
void setRaceViewShape(int width, int height);

struct RaceView {
    double fieldOfView = 40.0;  // vertical, in degrees
    double aspect = 1.3;
};
RaceView raceViewFor(int width, int height);

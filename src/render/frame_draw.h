#pragma once

// The race's picture, in the order the frame draws it: clear, projection,
// camera and lights, then the player's craft, the track, the sky behind them,
// the shadows and opponents, the exhaust glow, the shot and the place digit.
// Reads the race and changes none of it. The HUD's text comes later, over
// everything.
void drawRaceScene();

struct CraftPose;
// The same, with the ghost's craft see-through among the opponents when there
// is one to show.
void drawRaceSceneWithGhost(const CraftPose* ghost);

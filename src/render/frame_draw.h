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

// The same without the place digit: the race's 3D picture alone, which may
// be drawn at a reduced resolution before the HUD goes over it.
void drawRacePicture(const CraftPose* ghost);

// The first frame's picture drawn once to no one, on whichever thread holds
// the context: the race lined up, the HUD and the map, so the driver has built
// its programs for them before the first frame is shown. Changes nothing of
// the race and draws nothing from rand.
void drawFrameToWarmUp();

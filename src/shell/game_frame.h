#pragma once

// One tick of the race as the game runs it: the keys are read, the race
// steps, its sounds play and the joystick is polled.
void runRaceTick();

// One drawn frame: the race's picture blend of the way from the tick before
// the latest to the latest (1 shows the latest tick's own picture), then a
// race that has just finished is offered to the records, the HUD and over it
// the records, the finish panel and the pause are drawn from the latest
// tick, the music is topped up, and the frame is shown. While paused the
// race stands still and the same picture is drawn again under PAUSED. Needs
// the context current.
void drawGameFrame(double blend);

// One tick and its own frame, the way the loop runs when the display keeps
// step with the race.
void renderFrame();

// The loop's measured rates, for the frame rate line of the frames to come.
void setFrameRates(double framesPerSecond, double ticksPerSecond);

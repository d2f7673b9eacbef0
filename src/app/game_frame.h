#pragma once

// One frame of the game, as the loop runs it: the world moves, the picture is
// drawn, the player's control step answers it (with its sounds), the joystick
// is polled, a race that has just finished is offered to the records, the HUD
// and over it the records, the finish panel and the pause are drawn, and the
// frame is shown. While paused the race stands still and the same picture is
// drawn again under PAUSED. Needs the context current.
void renderFrame();

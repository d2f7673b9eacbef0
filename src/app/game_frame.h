#pragma once

// One frame of the game, as the loop runs it: the world moves, the picture is
// drawn, the player's control step answers it (with its sounds), the joystick
// is polled, the HUD is drawn over everything and the frame is shown. Needs
// the context current.
void renderFrame();

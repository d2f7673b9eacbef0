#pragma once

// Multiplies the current matrix by the view of the player's craft from the
// chosen chase camera, or from its cockpit.
void applyCamera();

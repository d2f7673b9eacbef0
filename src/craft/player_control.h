#pragma once

#include "craft/player.h"

// The keyboard control step: the keys move the craft, which may touch
// opponents and the wall and fire the shot; sounds says what to play.
void stepKeyboard(const KeyboardInput& keys, RaceSounds& sounds);

// Close to the wall the craft loses 4 % of its speed every frame.
void applyNearWallDrag();

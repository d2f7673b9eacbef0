#pragma once

namespace testsupport {

// The race as the scene set-up leaves it, without loading or drawing anything:
// the generator at its first draw, the opponents' start values and lanes drawn
// in the game's order, the player on the start line, no shot, no keys down.
void startRaceWithoutGraphics();

}  // namespace testsupport

#pragma once

namespace testsupport {

// The race as the game starts it, without drawing anything: the generator at
// its first draw (the game never seeds it), the opponents' craft loaded from
// data/, then the game's own race start; no keys down.
void startRaceWithoutGraphics();

}  // namespace testsupport

#pragma once

#include "craft/player.h"

namespace testsupport {

// The race as the game starts it, without drawing anything: the generator at
// its first draw (the game never seeds it), the opponents' craft loaded from
// data/, then the game's own race start; no keys down.
void startRaceWithoutGraphics();

// A plain driver for the race's tick: flat out, steering for the centre line a
// little way ahead, firing every four seconds. Its keys follow from the race
// alone, so the same race drives the same way.
KeyboardInput followTheCentreLine(int tick);
// Up held, steering for the centre line `ahead` of the craft along the track
// (negative: behind it, so the craft turns round).
KeyboardInput steerTowards(double ahead);

}  // namespace testsupport

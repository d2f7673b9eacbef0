#include "support/harness/race_start.h"

#include <cstdlib>

#include "app/key_state.h"
#include "race/opponent.h"
#include "race/player.h"
#include "race/projectile.h"

namespace testsupport {

void startRaceWithoutGraphics() {
    releaseAllKeys();
    std::srand(1);  // as a game that never seeds the generator
    for (Opponent& opponent : gOpponents) {
        opponent = Opponent();
        opponent.init();
        opponent.lane = std::rand() % 100;
    }
    placePlayerOnStartLine(gPlayer);
    gProjectile = Projectile();
}

}  // namespace testsupport

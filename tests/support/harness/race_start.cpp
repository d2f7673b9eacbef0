#include "support/harness/race_start.h"

#include <cstdlib>

#include "craft/opponent.h"
#include "input/key_state.h"
#include "race/race.h"

namespace testsupport {

void startRaceWithoutGraphics() {
    releaseAllKeys();
    std::srand(1);  // as a game that never seeds the generator
    for (Opponent& opponent : gOpponents) {
        opponent = Opponent();
        opponent.model.loadAse(ZENTRIX_SOURCE_DIR "/data/nau.ASE");
    }
    startRace();
}

}  // namespace testsupport

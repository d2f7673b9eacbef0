#include "support/harness/race_start.h"

#include <cmath>
#include <cstdlib>

#include "craft/opponent.h"
#include "input/key_state.h"
#include "race/race.h"
#include "track/track.h"

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

KeyboardInput steerTowards(double ahead) {
    const double t = gPlayer.lambda + ahead;
    const double off = std::remainder(
        std::atan2(gTrack.centreZ(t) - gPlayer.position.z, gTrack.centreX(t) - gPlayer.position.x) -
            gPlayer.yaw,
        2.0 * GAME_PI);
    KeyboardInput keys;
    keys.up = true;
    keys.right = off > 0.02;
    keys.left = off < -0.02;
    return keys;
}

KeyboardInput followTheCentreLine(int tick) {
    KeyboardInput keys = steerTowards(0.03);
    keys.space = tick % 240 == 7;
    return keys;
}

}  // namespace testsupport

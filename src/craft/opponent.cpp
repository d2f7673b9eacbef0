#include "craft/opponent.h"

#include <cmath>
#include <cstdlib>

#include "craft/player.h"
#include "track/track.h"

Opponent gOpponents[OPPONENT_COUNT];
OpponentPacing gOpponentPacing;

namespace {
constexpr double SLOWEST_SPEED = 0.001;
constexpr double SLOW_DOWN = 0.000009;
constexpr double CATCH_UP = 0.0000005;
constexpr double FLYING_HEIGHT = 40.0;
// Easy craft fly a tenth slower and are pulled back up half as hard; hard
// ones a tenth faster and half as hard again.
constexpr OpponentPacing EASY_PACING{0.9, 0.5};
constexpr OpponentPacing HARD_PACING{1.1, 1.5};

// A random offset of up to halfWidth either way; two draws, sign first.
int32_t drawWobble() {
    const int32_t e = std::rand() % 3;
    const int32_t m = std::rand() % gTrack.halfWidth;
    return e == 1 ? -m : m;
}
}  // namespace

void Opponent::init() {
    // The draws are separate statements: their order fixes the starting grid.
    speed = static_cast<float>((std::rand() % 80) / 25000.0 + SLOWEST_SPEED);
    lambda = (std::rand() % 40) / 250000.0 - 0.1;
    destroyed = 0;
    laps = 0;
    // Replaced by the first update, but the draws still count.
    wobbleZ = drawWobble();
    wobbleX = drawWobble();
}

void Opponent::update() {
    // Rubber band: a craft ahead of the player eases off, one behind catches up.
    if (lambda > gPlayer.lambda) {
        if (speed > SLOWEST_SPEED) {
            speed -= SLOW_DOWN;
        }
    } else {
        speed += CATCH_UP * gOpponentPacing.catchUp;
    }

    lambda += speed * (gTrack.opponentPace * gOpponentPacing.pace);
    if (lambda > TRACK_PERIOD) {
        lambda -= TRACK_PERIOD;
        laps += 1;
    }
    placeOnTrack();
}

void Opponent::placeOnTrack() {
    // Lanes 0 to 2 give a weave frequency of 0: those craft ride straight.
    const int32_t k = lane / 3;
    const int32_t w = static_cast<int32_t>(std::sin(k * lambda) * gTrack.halfWidth / 2.0);
    wobbleX = w;
    wobbleZ = w;

    position.x = gTrack.centreX(lambda) + wobbleX + lane;
    position.y = gTrack.centreY(lambda) + FLYING_HEIGHT;
    position.z = gTrack.centreZ(lambda) + wobbleZ - lane;
}

OpponentPacing pacingFor(Difficulty difficulty) {
    switch (difficulty) {
        case Difficulty::Easy:
            return EASY_PACING;
        case Difficulty::Hard:
            return HARD_PACING;
        default:
            return OpponentPacing();
    }
}

void updateOpponents() {
    for (Opponent& opponent : gOpponents) {
        opponent.update();
    }
}

double raceDistance(int32_t laps, double lambda) {
    return static_cast<double>(laps) * TRACK_PERIOD + lambda;
}

int32_t racePosition() {
    const double player = raceDistance(gPlayer.laps, gPlayer.lambda);
    int32_t place = 1;
    for (const Opponent& opponent : gOpponents) {
        if (opponent.destroyed == 0 && raceDistance(opponent.laps, opponent.lambda) > player) {
            place += 1;
        }
    }
    return place;
}

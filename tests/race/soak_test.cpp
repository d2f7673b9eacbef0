#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <random>

#include "craft/opponent.h"
#include "craft/player.h"
#include "craft/projectile.h"
#include "input/key_state.h"
#include "race/race.h"
#include "support/harness/race_start.h"
#include "track/track.h"

namespace {

// A full million ticks takes about a minute in Release; the default run is a
// slice of it, and ZENTRIX_SOAK_TICKS asks for more.
long soakTicks() {
    const char* requested = std::getenv("ZENTRIX_SOAK_TICKS");
    if (requested != nullptr) {
        const long ticks = std::strtol(requested, nullptr, 10);
        if (ticks > 0) {
            return ticks;
        }
    }
    return 40000;
}

bool finite(const Vector3& v) {
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

bool playerIsSane() {
    const Player& p = gPlayer;
    return finite(p.position) && finite(p.velocity) && std::isfinite(p.speed) &&
           std::isfinite(p.yaw) && std::isfinite(p.yawRate) && std::isfinite(p.lambda) &&
           std::isfinite(p.dist) && std::isfinite(p.next_dist) && p.speed >= -0.5f &&
           p.position.y == 40.0 && p.lambda >= 0.0 && p.lambda < TRACK_PERIOD;
}

bool opponentIsSane(const Opponent& o) {
    return finite(o.position) && std::isfinite(o.lambda) && std::isfinite(o.speed) &&
           o.lambda <= 6.283184;
}

// Flips each driving key now and then, so keys are held for stretches, and
// sometimes taps one between two ticks.
class RandomDriver {
public:
    explicit RandomDriver(unsigned seed) : random_(seed) {}

    void pressKeys() {
        static const int KEYS[] = {VK_UP, VK_DOWN, VK_LEFT, VK_RIGHT, VK_SPACE};
        std::uniform_int_distribution<int> roll(0, 99);
        for (int i = 0; i < 5; ++i) {
            const int r = roll(random_);
            if (r < 4) {
                held_[i] = !held_[i];
                held_[i] ? recordKeyDown(KEYS[i]) : recordKeyUp(KEYS[i]);
            } else if (r == 4 && !held_[i]) {
                recordKeyDown(KEYS[i]);
                recordKeyUp(KEYS[i]);
            }
        }
    }

private:
    std::mt19937 random_;
    bool held_[5] = {};
};

TEST(Soak, RandomDrivingKeepsEveryValueFiniteAndOpponentsWithinTheLap) {
    testsupport::startRaceWithoutGraphics();
    RandomDriver driver(2024);
    const long ticks = soakTicks();
    int shots = 0;
    int lowestPlace = 6;
    const auto began = std::chrono::steady_clock::now();
    for (long tick = 0; tick < ticks; ++tick) {
        driver.pressKeys();
        // The game's own tick, drawing left out.
        if (stepRace(readKeyboard()).shot) {
            ++shots;
        }
        if (tick % 10 == 0) {
            const int place = racePosition();
            if (place < 1 || place > 6) {
                FAIL() << "place " << place << " at tick " << tick;
            }
            lowestPlace = std::min(lowestPlace, place);
        }
        if (!playerIsSane()) {
            FAIL() << "player went wrong at tick " << tick << ": speed " << gPlayer.speed
                   << " lambda " << gPlayer.lambda << " dist " << gPlayer.dist;
        }
        for (const Opponent& opponent : gOpponents) {
            if (!opponentIsSane(opponent)) {
                FAIL() << "opponent went wrong at tick " << tick << ": lambda " << opponent.lambda
                       << " speed " << opponent.speed;
            }
        }
        if (!finite(gProjectile.position) || !finite(gProjectile.velocity)) {
            FAIL() << "shot went wrong at tick " << tick;
        }
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
    releaseAllKeys();
    // The run really drove: shots went off and the craft left the start line.
    EXPECT_GT(shots, 0);
    EXPECT_GT(gPlayer.position.distanceTo(Vector3(-60000.0, 40.0, 600000.0)), 1000.0);
    std::printf("%ld ticks in %.2f s (%.1f us per tick), %d shots, best place %d\n", ticks, seconds,
                seconds * 1e6 / static_cast<double>(ticks), shots, lowestPlace);
}

}  // namespace

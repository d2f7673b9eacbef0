#include "race/race_state_hash.h"

#include <cstring>

#include "craft/exhaust_glow.h"
#include "craft/opponent.h"
#include "craft/player.h"
#include "craft/projectile.h"
#include "race/lap_clock.h"
#include "race/race_time.h"
#include "race/standings.h"

namespace {
class Fnv {
public:
    template <typename T>
    void add(const T& value) {
        unsigned char bytes[sizeof(T)];
        std::memcpy(bytes, &value, sizeof(T));
        for (unsigned char b : bytes) {
            hash_ = (hash_ ^ b) * 1099511628211ull;
        }
    }
    void add(const Vector3& v) {
        add(v.x);
        add(v.y);
        add(v.z);
    }
    uint64_t value() const { return hash_; }

private:
    uint64_t hash_ = 14695981039346656037ull;
};
}  // namespace

uint64_t raceStateHash() {
    Fnv fnv;
    fnv.add(gPlayer.position);
    fnv.add(gPlayer.velocity);
    fnv.add(gPlayer.speed);
    fnv.add(gPlayer.yaw);
    fnv.add(gPlayer.yawRate);
    fnv.add(gPlayer.lambda);
    fnv.add(gPlayer.dist);
    fnv.add(gPlayer.next_dist);
    fnv.add(gPlayer.laps);
    for (const Opponent& o : gOpponents) {
        fnv.add(o.position);
        fnv.add(o.lambda);
        fnv.add(o.speed);
        fnv.add(o.destroyed);
        fnv.add(o.laps);
        fnv.add(o.lane);
    }
    fnv.add(gProjectile.position);
    fnv.add(gProjectile.velocity);
    fnv.add(gProjectile.life);
    fnv.add(gProjectile.active);
    fnv.add(gRacePosition);
    for (uint32_t lap : gLapClock.lapMs) {
        fnv.add(lap);
    }
    fnv.add(gExhaust.layers);
    fnv.add(gFrameCounter);
    return fnv.value();
}

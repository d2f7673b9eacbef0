#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "craft/exhaust_glow.h"
#include "craft/opponent.h"
#include "craft/player.h"
#include "craft/projectile.h"
#include "race/lap_clock.h"
#include "race/race.h"
#include "race/race_pose.h"
#include "race/race_state_hash.h"
#include "race/standings.h"
#include "shell/loop_pacer.h"
#include "support/fake_pacer_clock.h"
#include "support/harness/race_start.h"
#include "track/track.h"

// Twenty thousand ticks of a scripted driver, with every craft, the shot, the
// standings and the lap times folded into one hash per thousand ticks. The
// hashes were taken from the game before its simulation and drawing were
// pulled apart; the race must still run exactly the same.
namespace {

uint32_t gFakeNow = 0;
uint32_t fakeClock() {
    return gFakeNow;
}

// The scripted driver: follows the centre line flat out, fires every few
// seconds, backs up over a stretch now and then. It decides from the race as
// the last tick left it, so its keys are a function of the race alone.
KeyboardInput driverKeys(long tick) {
    KeyboardInput keys;
    const long phase = tick % 8000;
    const bool reversing = phase >= 3000 && phase < 3200;
    keys.up = !reversing;
    keys.down = reversing;
    const double t = gPlayer.lambda + 0.03;
    const double dx = gTrack.centreX(t) - gPlayer.position.x;
    const double dz = gTrack.centreZ(t) - gPlayer.position.z;
    double turn = std::atan2(dz, dx) - static_cast<double>(gPlayer.yaw);
    turn = std::remainder(turn, 2.0 * M_PI);
    keys.right = turn > 0.02;
    keys.left = turn < -0.02;
    keys.space = tick % 240 == 7;
    return keys;
}

// Every thousandth tick's race, as the game's own start and tick make it.
constexpr long TICKS = 20000;
constexpr long SLICE = 1000;

const uint64_t GOLDEN[TICKS / SLICE] = {
    0x7dab2ae73a87ce8eull, 0x738ff341ef46593aull, 0xd724a5963317504aull, 0x4ece6b32bc6d2226ull,
    0xede65e8ac4d0411full, 0xb38c44208fbd7ef3ull, 0x5d1ca6f4621bed6eull, 0x2605921033b9db03ull,
    0x11cb3cd315e4741aull, 0x56b8898d0f700962ull, 0x36d59620dbd7cd1cull, 0x503ff4421a5a2534ull,
    0x2207944e049b18b5ull, 0x200a591d6aeb1796ull, 0x517cfbe9b88dc8d6ull, 0xf3379c927d1118d1ull,
    0x53e9358cad69958full, 0x81d3a4f19ffbcb33ull, 0xc110364e7fab8fecull, 0x9a860c5a8ce0245full,
};

int wreckCount() {
    int count = 0;
    for (const Opponent& o : gOpponents) {
        count += o.destroyed;
    }
    return count;
}

// The scripted race run by the game's loop pacer at a draw rate, on the race's
// own clock, with every frame's pose put on the stage between the ticks as a
// drawn frame puts it, and taken off again.
std::vector<uint64_t> raceTheScriptDrawingAt(int drawsPerSecond, long& framesDrawn) {
    testsupport::FakePacerClock clock;
    LoopPacer pacer(clock, RACE_TICKS_PER_SECOND, DrawPacing{drawsPerSecond, false});
    LapClock::setSource(nullptr);  // the race's own time, as the game reads it
    gRaceTicks = 0;
    testsupport::startRaceWithoutGraphics();
    std::vector<uint64_t> hashes;
    long n = 0;
    framesDrawn = 0;
    while (n < TICKS) {
        for (int due = pacer.takeDueTicks(); due > 0 && n < TICKS; --due) {
            stepRace(driverKeys(n));
            ++n;
            if (n % SLICE == 0) {
                hashes.push_back(raceStateHash());
            }
        }
        { const PoseOnStage staged(gRacePoses.at(pacer.drawBlend())); }
        ++framesDrawn;
        clock.advance(3000000);  // the frame's drawing
        pacer.waitForNextDraw();
    }
    return hashes;
}

}  // namespace

TEST(GoldenTrajectory, TheRaceIsTheSameWhateverRateItIsDrawnAt) {
    for (int rate : {30, 60, 144}) {
        long frames = 0;
        const std::vector<uint64_t> hashes = raceTheScriptDrawingAt(rate, frames);
        ASSERT_EQ(hashes.size(), static_cast<size_t>(TICKS / SLICE));
        EXPECT_NEAR(static_cast<double>(frames), TICKS * rate / 60.0, 2.0) << rate;
        for (long i = 0; i < TICKS / SLICE; ++i) {
            EXPECT_EQ(hashes[i], GOLDEN[i])
                << rate << " frames a second, ticks " << i * SLICE << " to " << (i + 1) * SLICE;
        }
    }
}

TEST(GoldenTrajectory, TwentyThousandScriptedTicksRunExactlyAsRecorded) {
    LapClock::setSource(fakeClock);
    gFakeNow = 0;
    testsupport::startRaceWithoutGraphics();
    uint64_t hashes[TICKS / SLICE] = {};
    int shotsHit = 0;
    for (long n = 0; n < TICKS; ++n) {
        const int wrecksBefore = wreckCount();
        stepRace(driverKeys(n));
        gFakeNow = static_cast<uint32_t>((n + 1) * 50 / 3);
        if ((n + 1) % SLICE == 0) {
            hashes[(n + 1) / SLICE - 1] = raceStateHash();
        }
        shotsHit += wreckCount() - wrecksBefore;
    }
    LapClock::setSource(nullptr);
    // The script really races: laps are timed and the standings move.
    EXPECT_NE(gLapClock.lapMs[2], 0u);
    EXPECT_GE(gPlayer.laps, 3);
    std::printf("laps %d, wrecks %d, place %d, lap times %u %u %u\n", gPlayer.laps, shotsHit,
                gRacePosition, gLapClock.lapMs[0], gLapClock.lapMs[1], gLapClock.lapMs[2]);
    for (long i = 0; i < TICKS / SLICE; ++i) {
        EXPECT_EQ(hashes[i], GOLDEN[i]) << "ticks " << i * SLICE << " to " << (i + 1) * SLICE;
    }
}

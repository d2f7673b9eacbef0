#include "support/race_state.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "race/lap_clock.h"
#include "race/race.h"
#include "race/standings.h"

namespace testsupport {

namespace {
void expectSameVector(const Vector3& expected, const Vector3& actual, const char* what) {
    EXPECT_EQ(expected.x, actual.x) << what << ".x";
    EXPECT_EQ(expected.y, actual.y) << what << ".y";
    EXPECT_EQ(expected.z, actual.z) << what << ".z";
}

void expectSamePlayer(const Player& expected, const Player& actual) {
    expectSameVector(expected.position, actual.position, "player position");
    expectSameVector(expected.velocity, actual.velocity, "player velocity");
    EXPECT_EQ(expected.speed, actual.speed) << "player speed";
    EXPECT_EQ(expected.yaw, actual.yaw) << "player yaw";
    EXPECT_EQ(expected.yawRate, actual.yawRate) << "player yaw rate";
    EXPECT_EQ(expected.steer, actual.steer) << "player steer";
    EXPECT_EQ(expected.throttle, actual.throttle) << "player throttle";
    EXPECT_EQ(expected.lambda, actual.lambda) << "player lambda";
    EXPECT_EQ(expected.dist, actual.dist) << "player dist";
    EXPECT_EQ(expected.next_dist, actual.next_dist) << "player next_dist";
    EXPECT_EQ(expected.laps, actual.laps) << "player laps";
}

void expectSameOpponent(const Opponent& expected, const Opponent& actual,
                        const std::vector<Color3>& expectedColours,
                        const std::vector<Color3>& actualColours, DrawnValues drawn) {
    EXPECT_EQ(expected.destroyed, actual.destroyed) << "destroyed";
    EXPECT_EQ(expected.laps, actual.laps) << "laps";
    if (drawn == DrawnValues::LeftOut) {
        return;
    }
    expectSameVector(expected.position, actual.position, "opponent position");
    EXPECT_EQ(expected.lambda, actual.lambda) << "lambda";
    EXPECT_EQ(expected.speed, actual.speed) << "speed";
    EXPECT_EQ(expected.wobbleX, actual.wobbleX) << "wobbleX";
    EXPECT_EQ(expected.wobbleZ, actual.wobbleZ) << "wobbleZ";
    EXPECT_EQ(expected.lane, actual.lane) << "lane";
    ASSERT_EQ(expectedColours.size(), actualColours.size());
    for (size_t i = 0; i < expectedColours.size(); ++i) {
        EXPECT_EQ(expectedColours[i].r, actualColours[i].r) << "object " << i;
        EXPECT_EQ(expectedColours[i].g, actualColours[i].g) << "object " << i;
        EXPECT_EQ(expectedColours[i].b, actualColours[i].b) << "object " << i;
    }
}
}  // namespace

RaceState RaceState::now() {
    RaceState state;
    state.player = gPlayer;
    for (int i = 0; i < OPPONENT_COUNT; ++i) {
        state.opponents[i] = gOpponents[i];
        for (const MeshObject& object : gOpponents[i].model.objects) {
            state.opponentColours[i].push_back(object.color);
        }
    }
    state.projectile = gProjectile;
    state.exhaust = gExhaust;
    state.frameCounter = gFrameCounter;
    state.racePosition = gRacePosition;
    state.finalPlace = gFinalPlace;
    state.clockReading = gLapClock.elapsedMs();
    std::copy(std::begin(gLapClock.lapMs), std::end(gLapClock.lapMs), state.lapMs);
    state.lapsSeen = gLapClock.lapsSeen;
    state.lapsAtLastTime = gLapClock.lapsAtLastTime;
    state.paused = raceIsPaused();
    return state;
}

void expectSameRace(const RaceState& expected, const RaceState& actual, DrawnValues drawn) {
    expectSamePlayer(expected.player, actual.player);
    for (int i = 0; i < OPPONENT_COUNT; ++i) {
        SCOPED_TRACE("opponent " + std::to_string(i));
        expectSameOpponent(expected.opponents[i], actual.opponents[i], expected.opponentColours[i],
                           actual.opponentColours[i], drawn);
    }
    expectSameVector(expected.projectile.position, actual.projectile.position, "shot position");
    expectSameVector(expected.projectile.velocity, actual.projectile.velocity, "shot velocity");
    EXPECT_EQ(expected.projectile.life, actual.projectile.life) << "shot life";
    EXPECT_EQ(expected.projectile.active, actual.projectile.active) << "shot active";
    EXPECT_EQ(expected.exhaust.layers, actual.exhaust.layers) << "exhaust layers";
    EXPECT_EQ(expected.exhaust.flareHalfSize, actual.exhaust.flareHalfSize) << "exhaust size";
    EXPECT_EQ(expected.frameCounter, actual.frameCounter) << "frame counter";
    EXPECT_EQ(expected.racePosition, actual.racePosition) << "race position";
    EXPECT_EQ(expected.finalPlace, actual.finalPlace) << "final place";
    EXPECT_EQ(expected.clockReading, actual.clockReading) << "clock reading";
    for (int lap = 0; lap < 3; ++lap) {
        EXPECT_EQ(expected.lapMs[lap], actual.lapMs[lap]) << "lap " << lap + 1;
    }
    EXPECT_EQ(expected.lapsSeen, actual.lapsSeen) << "laps the clock has seen";
    EXPECT_EQ(expected.lapsAtLastTime, actual.lapsAtLastTime) << "laps at the last lap time";
    EXPECT_EQ(expected.paused, actual.paused) << "paused";
}

}  // namespace testsupport

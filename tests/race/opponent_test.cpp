#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "craft/opponent.h"
#include "craft/player.h"
#include "race/race_fixture.h"
#include "track/track.h"

namespace {

using Opponents = racetest::RaceTest;

TEST_F(Opponents, InitTakesSixDrawsInItsFixedOrder) {
    std::srand(7);
    int draws[7];
    for (int& draw : draws) {
        draw = std::rand();
    }
    std::srand(7);
    Opponent opponent;
    opponent.destroyed = 1;
    opponent.init();
    EXPECT_EQ(opponent.speed, static_cast<float>((draws[0] % 80) / 25000.0 + 0.001));
    EXPECT_EQ(opponent.lambda, (draws[1] % 40) / 250000.0 - 0.1);
    const int z = draws[3] % 600;
    EXPECT_EQ(opponent.wobbleZ, draws[2] % 3 == 1 ? -z : z);
    const int x = draws[5] % 600;
    EXPECT_EQ(opponent.wobbleX, draws[4] % 3 == 1 ? -x : x);
    EXPECT_EQ(opponent.destroyed, 0);
    // The lane is the scene set-up's next draw.
    EXPECT_EQ(std::rand(), draws[6]);
}

TEST_F(Opponents, StartValuesLieOnTheirGrids) {
    std::srand(1);
    for (Opponent& opponent : gOpponents) {
        opponent.init();
        opponent.lane = std::rand() % 100;
        EXPECT_GE(opponent.speed, 0.001f);
        EXPECT_LE(opponent.speed, 0.00416f);
        EXPECT_GE(opponent.lambda, -0.1);
        EXPECT_LE(opponent.lambda, -0.099844 + 1e-12);
        EXPECT_LT(std::abs(opponent.wobbleX), 600);
    }
}

TEST_F(Opponents, ACraftAheadEasesOffButNotBelowTheSlowestStart) {
    Opponent& opponent = gOpponents[0];
    gPlayer.lambda = 1.0;
    opponent.lambda = 2.0;
    opponent.speed = 0.002f;
    opponent.update();
    EXPECT_FLOAT_EQ(opponent.speed, 0.001991f);
    EXPECT_DOUBLE_EQ(opponent.lambda, 2.0 + static_cast<double>(opponent.speed));

    // The float nearest 0.001 lies just above it: lowered once, then held.
    opponent.speed = 0.001f;
    opponent.update();
    EXPECT_FLOAT_EQ(opponent.speed, 0.000991f);
    opponent.update();
    EXPECT_FLOAT_EQ(opponent.speed, 0.000991f);
}

TEST_F(Opponents, ACraftLevelWithOrBehindThePlayerCatchesUpWithoutLimit) {
    Opponent& opponent = gOpponents[0];
    gPlayer.lambda = 3.0;
    opponent.lambda = 3.0 - 0.01;
    opponent.speed = 0.01f;
    opponent.update();
    EXPECT_FLOAT_EQ(opponent.speed, 0.0100005f);
    // Level now counts as behind.
    opponent.lambda = 3.0;
    opponent.update();
    EXPECT_FLOAT_EQ(opponent.speed, 0.010001f);
}

TEST_F(Opponents, ANegativeSpeedRunsTheCraftBackwards) {
    Opponent& opponent = gOpponents[0];
    gPlayer.lambda = 5.0;
    opponent.lambda = 1.0;
    opponent.speed = -0.0002f;
    opponent.update();
    EXPECT_LT(opponent.lambda, 1.0);
    EXPECT_FLOAT_EQ(opponent.speed, -0.0001995f);
}

TEST_F(Opponents, LambdaWrapsOnlyPastTheLap) {
    Opponent& opponent = gOpponents[0];
    gPlayer.lambda = 0.0;
    // Ahead at the slowest speed, so the speed stays put.
    opponent.lambda = TRACK_PERIOD;
    opponent.speed = 0.0f;
    opponent.update();
    EXPECT_EQ(opponent.lambda, TRACK_PERIOD);

    opponent.lambda = 6.283;
    opponent.speed = 0.0005f;
    opponent.update();
    EXPECT_NEAR(opponent.lambda, 6.283 + 0.0005 - TRACK_PERIOD, 1e-9);
}

TEST_F(Opponents, PositionIsTheCentreLinePlusLaneAndWeaveAlongWorldAxes) {
    Opponent& opponent = gOpponents[0];
    gPlayer.lambda = 0.0;
    opponent.lambda = 1.2;
    opponent.speed = 0.0f;
    opponent.lane = 31;  // weave frequency 10
    opponent.update();
    const int expectedWeave = static_cast<int>(std::sin(10 * 1.2) * 300.0);
    ASSERT_NE(expectedWeave, 0);
    EXPECT_EQ(opponent.wobbleX, expectedWeave);
    EXPECT_EQ(opponent.wobbleZ, expectedWeave);
    EXPECT_DOUBLE_EQ(opponent.position.x, gTrack.centreX(1.2) + expectedWeave + 31);
    EXPECT_EQ(opponent.position.y, 40.0);
    EXPECT_DOUBLE_EQ(opponent.position.z, gTrack.centreZ(1.2) + expectedWeave - 31);

    // Lanes below 3 never weave.
    opponent.lane = 2;
    opponent.update();
    EXPECT_EQ(opponent.wobbleX, 0);
    EXPECT_DOUBLE_EQ(opponent.position.x, gTrack.centreX(1.2) + 2);
}

TEST_F(Opponents, DestroyedCraftKeepMoving) {
    gOpponents[1].destroyed = 1;
    gOpponents[1].lambda = 2.0;
    gOpponents[1].speed = 0.003f;
    updateOpponents();
    // Ahead of the player at the start, so it eases off first.
    EXPECT_NEAR(gOpponents[1].lambda, 2.002991, 1e-9);
    EXPECT_NEAR(gOpponents[1].position.z, gTrack.centreZ(gOpponents[1].lambda), 301.0);
}

TEST_F(Opponents, TheGridBehindTheLineRanksThePlayerFirst) {
    std::srand(1);
    for (Opponent& opponent : gOpponents) {
        opponent.init();
        opponent.lane = std::rand() % 100;
    }
    updatePlayerProgress(gPlayer);
    ASSERT_EQ(gPlayer.lambda, 0.0);
    updateOpponents();
    // Every craft is behind on the road, though its nearest sample is near the
    // lap's end: it has not reached the line yet, so it is behind.
    for (const Opponent& opponent : gOpponents) {
        EXPECT_LT(opponent.lambda, 0.0);
        EXPECT_GT(gTrack.nearestParameter(opponent.position), 6.0);
    }
    EXPECT_EQ(racePosition(), 1);
}

TEST_F(Opponents, AnOpponentPassingThePlayerTakesItsPlace) {
    gPlayer.lambda = 1.0;
    for (Opponent& opponent : gOpponents) {
        opponent.lambda = 0.9;
    }
    EXPECT_EQ(racePosition(), 1);
    gOpponents[2].lambda = 1.0;
    EXPECT_EQ(racePosition(), 1) << "level is not ahead";
    gOpponents[2].lambda = 1.001;
    EXPECT_EQ(racePosition(), 2);
    gOpponents[4].lambda = 1.5;
    EXPECT_EQ(racePosition(), 3);
}

TEST_F(Opponents, LapsCountBeforeTheParameter) {
    // The player on its second lap, early in it; an opponent further round
    // its first lap is a lap down and behind.
    gPlayer.laps = 1;
    gPlayer.lambda = 0.5;
    gOpponents[0].lambda = 6.0;
    EXPECT_EQ(racePosition(), 1);
    // Once the opponent wraps into its second lap, the parameter decides again.
    gOpponents[0].speed = 0.3f;
    gOpponents[0].update();
    ASSERT_EQ(gOpponents[0].laps, 1);
    EXPECT_LT(gOpponents[0].lambda, 0.5);
    EXPECT_EQ(racePosition(), 1);
    gOpponents[0].lambda = 0.6;
    EXPECT_EQ(racePosition(), 2);
    // A player who has lapped the whole field leads it wherever it stands.
    gPlayer.laps = 3;
    gPlayer.lambda = 0.0;
    EXPECT_EQ(racePosition(), 1);
}

TEST_F(Opponents, WrecksAreOutOfTheRanking) {
    for (Opponent& opponent : gOpponents) {
        opponent.lambda = 2.0;
    }
    gPlayer.lambda = 1.0;
    EXPECT_EQ(racePosition(), 6);
    gOpponents[0].destroyed = 1;
    gOpponents[3].destroyed = 1;
    EXPECT_EQ(racePosition(), 4);
    for (Opponent& opponent : gOpponents) {
        opponent.destroyed = 1;
    }
    EXPECT_EQ(racePosition(), 1);
}

TEST_F(Opponents, AThousandContactsStopACraftButNeverDriveItBackwards) {
    Opponent& pushed = gOpponents[1];
    pushed.speed = 0.003f;
    for (int contact = 0; contact < 1000; ++contact) {
        placePlayerOnStartLine(gPlayer);
        pushed.position = gPlayer.position + Vector3(0.0, 0.0, 60.0);
        stepKeyboard();
    }
    EXPECT_EQ(pushed.speed, 0.0f);
    // Ahead of the player it keeps still; behind, the rubber band starts it again.
    pushed.lambda = 1.0;
    gPlayer.lambda = 0.5;
    pushed.update();
    EXPECT_EQ(pushed.lambda, 1.0);
    gPlayer.lambda = 2.0;
    pushed.update();
    EXPECT_GT(pushed.speed, 0.0f);
}

}  // namespace

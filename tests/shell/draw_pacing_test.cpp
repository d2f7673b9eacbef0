#include <gtest/gtest.h>

#include "shell/draw_pacing.h"

TEST(DrawPacing, ADisplayWithinAHertzOfTheRaceKeepsStepWithIt) {
    EXPECT_EQ(refreshRateForDrawing(60), 60);
    EXPECT_EQ(refreshRateForDrawing(59), 60);  // 59.94 Hz, as SDL rounds it down
    EXPECT_EQ(refreshRateForDrawing(61), 60);
    EXPECT_EQ(refreshRateForDrawing(75), 75);
    EXPECT_EQ(refreshRateForDrawing(144), 144);
    EXPECT_EQ(refreshRateForDrawing(0), 0);  // the driver did not say
    EXPECT_EQ(refreshRateForDrawing(-1), 0);
}

TEST(DrawPacing, TheForcedRateIsAWholeNumberOfFramesUpToAThousand) {
    EXPECT_EQ(forcedDrawRate("144"), 144);
    EXPECT_EQ(forcedDrawRate("1"), 1);
    EXPECT_EQ(forcedDrawRate("1000"), 1000);
    EXPECT_EQ(forcedDrawRate(nullptr), 0);
    EXPECT_EQ(forcedDrawRate(""), 0);
    EXPECT_EQ(forcedDrawRate("0"), 0);
    EXPECT_EQ(forcedDrawRate("1001"), 0);
    EXPECT_EQ(forcedDrawRate("-60"), 0);
    EXPECT_EQ(forcedDrawRate("144fps"), 0);
    EXPECT_EQ(forcedDrawRate("99999999999999999999"), 0);
}

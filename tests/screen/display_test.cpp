#include <gtest/gtest.h>

#include <set>

#include "screen/display.h"

namespace {

TEST(DisplayChange, EachResultHasItsBoxOrNone) {
    EXPECT_FALSE(displayChangeMessage(DISP_CHANGE_SUCCESSFUL).has_value());
    EXPECT_EQ(displayChangeMessage(DISP_CHANGE_RESTART), "Must restart");
    EXPECT_EQ(displayChangeMessage(DISP_CHANGE_FAILED),
              "Graphics Mode switch failed. Execute from the Windows 95 interface");
    EXPECT_EQ(displayChangeMessage(DISP_CHANGE_BADMODE), "Bad graphics mode specified");
    EXPECT_EQ(displayChangeMessage(DISP_CHANGE_BADFLAGS), "Bad graphics mode flags");
    // Not updated and bad parameters leave only the caller's own box.
    EXPECT_FALSE(displayChangeMessage(DISP_CHANGE_NOTUPDATED).has_value());
    EXPECT_FALSE(displayChangeMessage(DISP_CHANGE_BADPARAM).has_value());
    EXPECT_FALSE(displayChangeMessage(42).has_value());
}

TEST(EvenPalette, ThreeThreeTwoLayoutGivesEvenlySpacedLevels) {
    // Red in bits 0-2, green 3-5, blue 6-7.
    const auto palette = computeEvenPalette(8, 3, 0, 3, 3, 2, 6);
    ASSERT_EQ(palette.size(), 256u);
    std::set<int> reds;
    std::set<int> greens;
    std::set<int> blues;
    for (const auto& entry : palette) {
        reds.insert(entry.red);
        greens.insert(entry.green);
        blues.insert(entry.blue);
        EXPECT_EQ(entry.flags, 0);
    }
    const std::set<int> eightLevels = {0, 36, 72, 109, 145, 182, 218, 255};
    EXPECT_EQ(reds, eightLevels);
    EXPECT_EQ(greens, eightLevels);
    EXPECT_EQ(blues, (std::set<int>{0, 85, 170, 255}));
    // Entry 0b10'011'101: blue 2, green 3, red 5.
    const PaletteEntry e = palette[0b10011101];
    EXPECT_EQ(e.red, 182);
    EXPECT_EQ(e.green, 109);
    EXPECT_EQ(e.blue, 170);
}

TEST(EvenPalette, TrueColourHasNoPalette) {
    EXPECT_EQ(setupPalette(nullptr), nullptr);
    EXPECT_TRUE(computeEvenPalette(24, 8, 16, 8, 8, 8, 0).empty());
}

}  // namespace

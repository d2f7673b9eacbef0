#include <gtest/gtest.h>

#include <string>

#include "model_print.h"
#include "models/ase_loader.h"
#include "support/test_display.h"

using testase::printOf;

TEST(CraftModel, TheGamesCraftLoadsExactlyAsItAlwaysHas) {
    Model craft;
    std::string reason;
    ASSERT_EQ(tryLoadAse(craft, testsupport::sourcePath("data/nau.ase"), &reason),
              AseLoadResult::Loaded)
        << reason;
    ASSERT_EQ(craft.objectCount, 6);
    // Taken from the reader that shipped before it learned to skip unknown blocks.
    EXPECT_EQ(printOf(craft), "c2aad5437b6a5592");

    // The opponents name the file in upper case and get the same craft.
    Model opponent;
    ASSERT_EQ(tryLoadAse(opponent, testsupport::sourcePath("data/nau.ASE")), AseLoadResult::Loaded);
    EXPECT_EQ(printOf(opponent), printOf(craft));
}

TEST(CraftModel, ThePrintNoticesOneChangedBit) {
    Model craft;
    ASSERT_EQ(tryLoadAse(craft, testsupport::sourcePath("data/nau.ase")), AseLoadResult::Loaded);
    const std::string before = printOf(craft);
    craft.objects.back().faces.back().c ^= 1;
    EXPECT_NE(printOf(craft), before);
}

// The opponents' craft is read once for all of them, and not at all when its
// name finds the player's file; a folder with two files by the two names keeps
// them apart.
#include "models/opponent_craft.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "model_print.h"
#include "models/ase_loader.h"
#include "support/test_display.h"
#include "wing_ase.h"

using testase::printOf;

namespace {
class OpponentCraft : public testing::Test {
protected:
    void SetUp() override {
        folder_ = std::string(ZENTRIX_BINARY_DIR) + "/opponent-craft-" + std::to_string(getpid());
        std::filesystem::create_directories(folder_);
        ASSERT_EQ(tryLoadAse(gameCraft_, testsupport::sourcePath("data/nau.ase")),
                  AseLoadResult::Loaded);
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    std::string write(const std::string& name, const std::string& text) const {
        const std::string path = folder_ + "/" + name;
        std::ofstream(path) << text;
        return path;
    }

    std::string folder_;
    Model gameCraft_;
};

TEST_F(OpponentCraft, ANameThatFindsThePlayersFileCopiesThePlayersCraft) {
    // The file on disk is a lone wing; the player's craft in memory is the
    // game's. Only a copy, not a second read, gives the opponents the latter.
    const std::string playerPath = write("nau.ase", testase::WING);
    Model player = gameCraft_;
    player.displayList = 128;

    const Model craft = opponentCraft(folder_ + "/nau.ASE", player, playerPath);
    EXPECT_EQ(craft.objectCount, gameCraft_.objectCount);
    EXPECT_EQ(printOf(craft), printOf(gameCraft_));
    EXPECT_EQ(craft.displayList, 0u) << "the opponents compile lists of their own";
}

TEST_F(OpponentCraft, TwoFilesByTheTwoNamesEachGiveTheirOwnCraft) {
    const std::string playerPath = write("nau.ase", testase::WING);
    std::filesystem::copy_file(testsupport::sourcePath("data/nau.ase"), folder_ + "/nau.ASE");
    Model player;
    ASSERT_EQ(tryLoadAse(player, playerPath), AseLoadResult::Loaded);
    ASSERT_EQ(player.objectCount, 1);

    const Model craft = opponentCraft(folder_ + "/nau.ASE", player, playerPath);
    EXPECT_EQ(craft.objectCount, gameCraft_.objectCount);
    EXPECT_EQ(printOf(craft), printOf(gameCraft_));
}

}  // namespace

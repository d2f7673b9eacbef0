#include "shell/data_folder_choice.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "assets/data_dir.h"
#include "support/message_capture.h"

namespace {

// Each case starts the game's search from a folder of its own, with
// ZENTRIX_DATA_DIR unset, and puts the working directory back afterwards.
class ChoosingTheDataFolder : public testing::Test {
protected:
    void SetUp() override {
        previousDirectory_ = std::filesystem::current_path();
        root_ = std::string(ZENTRIX_BINARY_DIR) + "/data-folder-choice-" + std::to_string(getpid());
        std::filesystem::create_directories(root_ + "/run");
        std::filesystem::current_path(root_ + "/run");
        unsetenv("ZENTRIX_DATA_DIR");
    }
    void TearDown() override {
        std::filesystem::current_path(previousDirectory_);
        unsetenv("ZENTRIX_DATA_DIR");
        setDataFolder("data");
        std::filesystem::remove_all(root_);
    }

    std::string dataFolder(const std::string& name) {
        const std::string folder = root_ + "/" + name;
        std::filesystem::create_directories(folder);
        std::ofstream(folder + "/nau.ase") << "*3DSMAX_ASCIIEXPORT\n";
        return folder;
    }

    testsupport::MessageCapture boxes_;
    std::filesystem::path previousDirectory_;
    std::string root_;
};

TEST_F(ChoosingTheDataFolder, TheWorkingDirectorysDataIsReadAsItAlwaysWas) {
    dataFolder("run/data");
    testing::internal::CaptureStderr();
    ASSERT_TRUE(chooseDataFolder());
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "") << "a normal start says nothing";
    EXPECT_EQ(dataPath("data/nau.ase"), "data/nau.ase");
    EXPECT_TRUE(boxes_.boxes().empty());
}

TEST_F(ChoosingTheDataFolder, TheOverrideComesFirst) {
    dataFolder("run/data");
    const std::string chosen = dataFolder("elsewhere/data");
    setenv("ZENTRIX_DATA_DIR", chosen.c_str(), 1);
    ASSERT_TRUE(chooseDataFolder());
    EXPECT_EQ(dataPath("data/sky/top.bmp"), chosen + "/sky/top.bmp");
}

TEST_F(ChoosingTheDataFolder, AnOverrideWithoutDataIsPassedOverWithAWord) {
    dataFolder("run/data");
    std::filesystem::create_directories(root_ + "/empty");
    setenv("ZENTRIX_DATA_DIR", (root_ + "/empty").c_str(), 1);
    testing::internal::CaptureStderr();
    ASSERT_TRUE(chooseDataFolder());
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("ZENTRIX_DATA_DIR=" + root_ + "/empty holds no game data"),
              std::string::npos)
        << said;
    EXPECT_EQ(dataPath("data/nau.ase"), "data/nau.ase");
    EXPECT_TRUE(boxes_.boxes().empty());
}

TEST_F(ChoosingTheDataFolder, FoundNowhereGivesTheMissingModelBoxAndThePlacesSearched) {
    std::filesystem::create_directories(root_ + "/run/data");  // a data/ that is not the game's
    setenv("ZENTRIX_DATA_DIR", (root_ + "/nothing-here").c_str(), 1);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(chooseDataFolder());
    const std::string said = testing::internal::GetCapturedStderr();

    ASSERT_EQ(boxes_.boxes().size(), 1u);
    EXPECT_EQ(boxes_.boxes()[0].text, "The resource file data/nau.ase does not exist\n");
    EXPECT_EQ(boxes_.boxes()[0].caption, "Error");
    const std::string installed =
        std::filesystem::path(executableRealPath()).parent_path().parent_path().string() +
        "/share/zentrix/data";
    const std::size_t override = said.find(root_ + "/nothing-here (ZENTRIX_DATA_DIR)");
    const std::size_t working = said.find(root_ + "/run/data (the working directory)");
    const std::size_t beside = said.find(installed + " (installed beside ");
    ASSERT_NE(override, std::string::npos) << said;
    ASSERT_NE(working, std::string::npos) << said;
    ASSERT_NE(beside, std::string::npos) << said;
    EXPECT_LT(override, working) << "listed in the order searched";
    EXPECT_LT(working, beside) << "listed in the order searched";
    EXPECT_EQ(NO_DATA_EXIT_STATUS, 255) << "as a model that cannot be loaded ends the game";
}

}  // namespace

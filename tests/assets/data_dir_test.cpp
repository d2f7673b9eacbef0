#include "assets/data_dir.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

std::vector<std::string> folders(const std::vector<DataFolderCandidate>& candidates) {
    std::vector<std::string> result;
    for (const DataFolderCandidate& candidate : candidates) {
        result.push_back(candidate.folder);
    }
    return result;
}

TEST(DataFolderCandidates, OverrideThenWorkingDirectoryThenBesideTheExecutable) {
    const auto candidates = dataFolderCandidates("/opt/zentrix-data", "/usr/games/zentrix");
    EXPECT_EQ(folders(candidates),
              (std::vector<std::string>{"/opt/zentrix-data", "data", "/usr/share/zentrix/data"}));
    EXPECT_EQ(candidates[0].origin, "ZENTRIX_DATA_DIR");
    EXPECT_NE(candidates[2].origin.find("/usr/games/zentrix"), std::string::npos);
}

TEST(DataFolderCandidates, WhatIsNotKnownIsNotSearched) {
    EXPECT_EQ(folders(dataFolderCandidates(nullptr, "/usr/games/zentrix")),
              (std::vector<std::string>{"data", "/usr/share/zentrix/data"}));
    EXPECT_EQ(folders(dataFolderCandidates("", "/usr/games/zentrix")),
              (std::vector<std::string>{"data", "/usr/share/zentrix/data"}))
        << "an empty override counts as unset";
    EXPECT_EQ(folders(dataFolderCandidates("mine", "")),
              (std::vector<std::string>{"mine", "data"}));
}

TEST(DataFolderCandidates, TheInstalledFolderMovesWithTheExecutable) {
    EXPECT_EQ(folders(dataFolderCandidates(nullptr, "/home/pat/.local/games/zentrix")).back(),
              "/home/pat/.local/share/zentrix/data");
    EXPECT_EQ(folders(dataFolderCandidates(nullptr, "/tmp/root/usr/games/zentrix")).back(),
              "/tmp/root/usr/share/zentrix/data");
    EXPECT_EQ(folders(dataFolderCandidates("/srv/data///", "")).front(), "/srv/data");
    EXPECT_EQ(folders(dataFolderCandidates("/", "")).front(), "/");
}

TEST(LexicallyNormal, StepsBackOverFoldersAndDropsEmptyOnes) {
    EXPECT_EQ(lexicallyNormal("/usr/games/../share/zentrix/data"), "/usr/share/zentrix/data");
    EXPECT_EQ(lexicallyNormal("a/./b//c/"), "a/b/c");
    EXPECT_EQ(lexicallyNormal("/../x"), "/x") << "nothing lies above the root";
    EXPECT_EQ(lexicallyNormal("../a/../../b"), "../../b");
    EXPECT_EQ(lexicallyNormal("a/.."), ".");
    EXPECT_EQ(lexicallyNormal("/"), "/");
}

TEST(DataPath, MapsOnlyTheGamesOwnNamesIntoTheChosenFolder) {
    EXPECT_EQ(dataPath("data/sky/top.bmp"), "data/sky/top.bmp")
        << "the working directory's data/ until a folder is chosen";
    setDataFolder("/usr/share/zentrix/data/");
    EXPECT_EQ(dataPath("data/sky/top.bmp"), "/usr/share/zentrix/data/sky/top.bmp");
    EXPECT_EQ(dataPath("data/nau.ASE"), "/usr/share/zentrix/data/nau.ASE");
    EXPECT_EQ(dataPath("database/x.bmp"), "database/x.bmp");
    EXPECT_EQ(dataPath("/srv/data/x.bmp"), "/srv/data/x.bmp");
    EXPECT_EQ(dataPath("data"), "data");
    setDataFolder("data");
    EXPECT_EQ(dataPath("data/jet.wav"), "data/jet.wav");
}

TEST(ExecutableRealPath, NamesThisProgramsOwnFile) {
    const std::string path = executableRealPath();
    ASSERT_FALSE(path.empty());
    EXPECT_EQ(path.front(), '/');
    EXPECT_EQ(std::filesystem::path(path).filename(), "test_assets");
    EXPECT_EQ(std::filesystem::canonical(path).string(), path) << "no link left unresolved";
}

class DataFolderSearch : public testing::Test {
protected:
    void SetUp() override {
        root_ = std::string(ZENTRIX_BINARY_DIR) + "/data-folder-search-" + std::to_string(getpid());
        std::filesystem::create_directories(root_);
    }
    void TearDown() override { std::filesystem::remove_all(root_); }

    std::string folder(const std::string& name) const { return root_ + "/" + name; }

    std::string folderWithModel(const std::string& name, const std::string& modelName = "nau.ase") {
        std::filesystem::create_directories(folder(name));
        std::ofstream(folder(name) + "/" + modelName) << "*3DSMAX_ASCIIEXPORT\n";
        return folder(name);
    }

    static std::vector<DataFolderCandidate> candidates(const std::vector<std::string>& folders) {
        std::vector<DataFolderCandidate> result;
        for (const std::string& f : folders) {
            result.push_back({f, "test"});
        }
        return result;
    }

    std::string root_;
};

TEST_F(DataFolderSearch, TheFirstFolderHoldingTheModelWins) {
    std::filesystem::create_directories(folder("empty"));
    const std::string second = folderWithModel("second");
    folderWithModel("third");
    EXPECT_EQ(
        findDataFolder(candidates({folder("missing"), folder("empty"), second, folder("third")})),
        second);
    EXPECT_EQ(findDataFolder(candidates({folder("third"), second})), folder("third"));
}

TEST_F(DataFolderSearch, TheModelCountsInAnyLetterCase) {
    EXPECT_TRUE(holdsGameData(folderWithModel("upper", "NAU.ASE")));
    EXPECT_TRUE(holdsGameData(folderWithModel("mixed", "nau.ASE")));
    EXPECT_FALSE(holdsGameData(folderWithModel("other", "nave.ase")));
}

TEST_F(DataFolderSearch, AFolderWithoutTheModelIsNoDataFolder) {
    std::filesystem::create_directories(folder("sounds-only"));
    std::ofstream(folder("sounds-only/jet.wav")) << "RIFF";
    EXPECT_FALSE(holdsGameData(folder("sounds-only")));
    EXPECT_FALSE(
        findDataFolder(candidates({folder("sounds-only"), folder("nowhere")})).has_value());
    EXPECT_FALSE(findDataFolder({}).has_value());
}

TEST_F(DataFolderSearch, AFolderWhoseModelIsBrokenIsStillTheGamesFolder) {
    // The loader then says what is wrong with the model, instead of the
    // search quietly racing with some other folder's data.
    std::filesystem::create_directories(folder("broken/nau.ase"));  // a folder, not a model
    std::filesystem::create_directories(folder("dangling"));
    std::filesystem::create_symlink(folder("nowhere/nau.ase"), folder("dangling/NAU.ASE"));
    EXPECT_TRUE(holdsGameData(folder("broken")));
    EXPECT_TRUE(holdsGameData(folder("dangling")));
    EXPECT_EQ(findDataFolder(candidates({folder("broken"), folderWithModel("good", "nau.ase")})),
              folder("broken"));
}

}  // namespace

#include "assets/regular_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

namespace {
class RegularFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() /
               ("zentrix-regular-file-" + std::to_string(getpid()));
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }
    std::string path(const char* name) const { return (dir_ / name).string(); }
    std::filesystem::path dir_;
};

TEST_F(RegularFileTest, OpensARegularFileAndReadsWhatItHolds) {
    std::FILE* out = std::fopen(path("Sky.BMP").c_str(), "wb");
    std::fputs("BM1234", out);
    std::fclose(out);

    RegularFile file;
    ASSERT_TRUE(file.open(path("sky.bmp")));  // letter case does not matter
    EXPECT_EQ(file.size(), 6u);
    char bytes[4] = {};
    ASSERT_TRUE(file.readAt(2, bytes, 4));
    EXPECT_EQ(std::string(bytes, 4), "1234");
    EXPECT_FALSE(file.readAt(3, bytes, 4)) << "a read past the end is refused, not short";
    EXPECT_FALSE(file.readAt(UINT64_MAX, bytes, 1));
}

TEST_F(RegularFileTest, RefusesWhatIsNotARegularFileWithoutWaiting) {
    ASSERT_EQ(mkfifo(path("fifo.wav").c_str(), 0600), 0);
    std::filesystem::create_directory(path("folder.bmp"));
    std::filesystem::create_symlink(path("nowhere"), path("dangling.ase"));

    RegularFile file;
    EXPECT_FALSE(file.open(path("fifo.wav"))) << "a FIFO without a writer must not block";
    EXPECT_FALSE(file.open(path("folder.bmp")));
    EXPECT_FALSE(file.open(path("dangling.ase")));
    EXPECT_FALSE(file.open("/dev/zero"));
    EXPECT_FALSE(file.open(path("missing.bmp")));
    EXPECT_FALSE(file.isOpen());
}

}  // namespace

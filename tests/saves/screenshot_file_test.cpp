#include "saves/screenshot_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "support/png_file.h"
#include "support/records_fixture.h"

namespace {

using recordstest::EnvironmentVariable;
using recordstest::namesIn;
using recordstest::readText;
using recordstest::TempDataHome;
using recordstest::writeText;

constexpr std::time_t DEC_9_2026_031500_UTC = 1796786100;
constexpr std::time_t DEC_31_2026_235959_UTC = 1798761599;

// The process's time zone until the end of the scope.
class TimeZone {
public:
    explicit TimeZone(const char* zone) : variable_("TZ", zone) { tzset(); }
    ~TimeZone() { tzset(); }

private:
    EnvironmentVariable variable_;
};

// A picture whose every byte tells its row, column and channel apart.
std::vector<uint8_t> patternBottomUp(int width, int height) {
    std::vector<uint8_t> rgb;
    for (int row = 0; row < height; ++row) {
        for (int x = 0; x < width; ++x) {
            rgb.push_back(static_cast<uint8_t>(row * 16 + x));
            rgb.push_back(static_cast<uint8_t>(255 - row));
            rgb.push_back(static_cast<uint8_t>(x * 7 + 3));
        }
    }
    return rgb;
}

TEST(ScreenshotFile, ReadsBackAtItsSizeWithTheTopRowFirst) {
    const TempDataHome home;
    const TimeZone utc("UTC0");
    const struct {
        int width;
        int height;
    } sizes[] = {{1, 1}, {3, 2}, {5, 7}, {13, 1}, {1, 9}, {64, 48}};
    for (const auto& size : sizes) {
        SCOPED_TRACE(testing::Message() << size.width << " x " << size.height);
        const std::vector<uint8_t> rgb = patternBottomUp(size.width, size.height);
        std::string failure;
        const std::string path =
            saveScreenshot(home.folder() + "/screenshots", DEC_9_2026_031500_UTC,
                           RgbPicture{size.width, size.height, rgb.data()}, failure);
        ASSERT_FALSE(path.empty()) << failure;
        testsupport::PngPicture back;
        ASSERT_TRUE(testsupport::readPngFile(path, back));
        EXPECT_EQ(back.width, size.width);
        EXPECT_EQ(back.height, size.height);
        const size_t stride = static_cast<size_t>(size.width) * 3;
        ASSERT_EQ(back.rgb.size(), rgb.size());
        for (int row = 0; row < size.height; ++row) {
            const auto fileRow = back.rgb.begin() + static_cast<long>(row * stride);
            const auto bottomUpRow =
                rgb.begin() + static_cast<long>((size.height - 1 - row) * stride);
            EXPECT_TRUE(std::equal(fileRow, fileRow + static_cast<long>(stride), bottomUpRow))
                << "row " << row << " from the top";
        }
    }
}

TEST(ScreenshotFile, IsNamedForTheLocalTimeItWasTaken) {
    const struct {
        const char* zone;
        std::time_t now;
        const char* first;
    } cases[] = {
        {"UTC0", DEC_9_2026_031500_UTC, "zentrix-20261209-031500.png"},
        {"<+02>-2", DEC_9_2026_031500_UTC, "zentrix-20261209-051500.png"},
        {"<-05>5", DEC_9_2026_031500_UTC, "zentrix-20261208-221500.png"},
        {"<+02>-2", DEC_31_2026_235959_UTC, "zentrix-20270101-015959.png"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.zone);
        const TempDataHome home;
        const TimeZone zone(c.zone);
        const std::vector<uint8_t> rgb = patternBottomUp(2, 2);
        std::string failure;
        const std::string path =
            saveScreenshot(home.folder(), c.now, RgbPicture{2, 2, rgb.data()}, failure);
        EXPECT_EQ(path, home.folder() + "/" + c.first) << failure;
        EXPECT_EQ(namesIn(home.folder()), std::vector<std::string>{c.first});
    }
}

TEST(ScreenshotFile, ShotsInOneSecondTakeTheNextFreeNameAndNeverReplaceAFile) {
    const TempDataHome home;
    const TimeZone utc("UTC0");
    const std::string folder = home.folder() + "/screenshots";
    const struct {
        std::vector<std::string> there;  // files the folder holds before the shots
        std::vector<std::string> taken;  // names of three shots in the same second
    } cases[] = {
        {{},
         {"zentrix-20261209-031500.png", "zentrix-20261209-031500-2.png",
          "zentrix-20261209-031500-3.png"}},
        {{"zentrix-20261209-031500.png", "zentrix-20261209-031500-3.png"},
         {"zentrix-20261209-031500-2.png", "zentrix-20261209-031500-4.png",
          "zentrix-20261209-031500-5.png"}},
    };
    for (const auto& c : cases) {
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        for (const std::string& name : c.there) {
            writeText(folder + "/" + name, "someone's own " + name);
        }
        const std::vector<uint8_t> rgb = patternBottomUp(4, 3);
        for (const std::string& expected : c.taken) {
            std::string failure;
            EXPECT_EQ(saveScreenshot(folder, DEC_9_2026_031500_UTC, RgbPicture{4, 3, rgb.data()},
                                     failure),
                      folder + "/" + expected)
                << failure;
        }
        for (const std::string& name : c.there) {
            EXPECT_EQ(readText(folder + "/" + name), "someone's own " + name);
        }
        EXPECT_EQ(namesIn(folder).size(), c.there.size() + c.taken.size()) << "no temporaries";
    }
}

TEST(ScreenshotFile, AFolderThatCannotBeMadeFailsLeavingNoFileAndSaysWhy) {
    const TimeZone utc("UTC0");
    const std::vector<uint8_t> rgb = patternBottomUp(4, 4);
    const struct {
        const char* blocked;  // a file stands here, under the data folder
        const char* folder;   // where the shots are to go
        const char* said;
    } cases[] = {
        {"screenshots", "screenshots", "is not a folder"},
        {"games", "games/screenshots", "Not a directory"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.folder);
        const TempDataHome home;
        std::filesystem::create_directories(home.folder());
        const std::string blocked = home.folder() + "/" + c.blocked;
        writeText(blocked, "not a folder");
        std::string failure;
        const std::string path =
            saveScreenshot(home.folder() + "/" + c.folder, DEC_9_2026_031500_UTC,
                           RgbPicture{4, 4, rgb.data()}, failure);
        EXPECT_EQ(path, "");
        EXPECT_NE(failure.find(blocked), std::string::npos) << failure;
        EXPECT_NE(failure.find(c.said), std::string::npos) << failure;
        EXPECT_EQ(namesIn(home.folder()), std::vector<std::string>{c.blocked});
        EXPECT_EQ(readText(blocked), "not a folder");
    }
}

TEST(ScreenshotFile, NoFolderOrNoPictureIsAFailureWithNoFile) {
    const TempDataHome home;
    const std::vector<uint8_t> rgb = patternBottomUp(2, 2);
    const struct {
        std::string folder;
        RgbPicture picture;
    } cases[] = {
        {"", RgbPicture{2, 2, rgb.data()}},
        {home.folder(), RgbPicture{0, 2, rgb.data()}},
        {home.folder(), RgbPicture{2, 0, rgb.data()}},
        {home.folder(), RgbPicture{2, 2, nullptr}},
    };
    for (const auto& c : cases) {
        std::string failure;
        EXPECT_EQ(saveScreenshot(c.folder, DEC_9_2026_031500_UTC, c.picture, failure), "");
        EXPECT_FALSE(failure.empty());
    }
    EXPECT_FALSE(std::filesystem::exists(home.folder()));
}

TEST(ScreenshotFolder, IsScreenshotsInTheDataFolder) {
    const struct {
        const char* home;
        const char* dataHome;
        const char* folder;
    } cases[] = {
        {"/home/pilot", "/srv/data", "/srv/data/zentrix/screenshots"},
        {"/home/pilot", nullptr, "/home/pilot/.local/share/zentrix/screenshots"},
        {"/home/pilot", "", "/home/pilot/.local/share/zentrix/screenshots"},
        {"/home/pilot", "data", "/home/pilot/.local/share/zentrix/screenshots"},
        {nullptr, nullptr, ""},
    };
    for (const auto& c : cases) {
        EnvironmentVariable home("HOME", c.home);
        EnvironmentVariable dataHome("XDG_DATA_HOME", c.dataHome);
        EXPECT_EQ(screenshotFolder(), c.folder) << (c.dataHome ? c.dataHome : "unset");
    }
}

}  // namespace

#include <gtest/gtest.h>

#include "saves/data_home.h"
#include "support/records_fixture.h"

namespace {

using recordstest::EnvironmentVariable;

TEST(DataHome, IsTheXdgDataHomeWhenThatIsAbsolute) {
    EnvironmentVariable home("HOME", "/home/pilot");
    {
        EnvironmentVariable dataHome("XDG_DATA_HOME", "/srv/pilot-data");
        EXPECT_EQ(zentrixDataFolder(), "/srv/pilot-data/zentrix");
    }
    {
        EnvironmentVariable dataHome("XDG_DATA_HOME", "/srv/pilot-data//");
        EXPECT_EQ(zentrixDataFolder(), "/srv/pilot-data/zentrix");
    }
    {
        EnvironmentVariable dataHome("XDG_DATA_HOME", "/");
        EXPECT_EQ(zentrixDataFolder(), "/zentrix");
    }
}

TEST(DataHome, FallsBackToHomeWhenXdgDataHomeIsUnsetEmptyOrRelative) {
    EnvironmentVariable home("HOME", "/home/pilot");
    for (const char* dataHome :
         {static_cast<const char*>(nullptr), "", "data", "./data", "~/data", " /srv/pilot-data"}) {
        EnvironmentVariable variable("XDG_DATA_HOME", dataHome);
        EXPECT_EQ(zentrixDataFolder(), "/home/pilot/.local/share/zentrix")
            << (dataHome ? dataHome : "unset");
    }
}

TEST(DataHome, IsNowhereWithoutAnAbsoluteHome) {
    EnvironmentVariable dataHome("XDG_DATA_HOME", "relative");
    for (const char* home : {static_cast<const char*>(nullptr), "", "pilot"}) {
        EnvironmentVariable variable("HOME", home);
        EXPECT_EQ(zentrixDataFolder(), "") << (home ? home : "unset");
    }
}

}  // namespace

namespace {

TEST(ConfigHome, FollowsTheSameRulesWithXdgConfigHomeAndDotConfig) {
    const struct {
        const char* home;
        const char* configHome;
        const char* folder;
    } cases[] = {
        {"/home/pilot", "/srv/pilot-config//", "/srv/pilot-config/zentrix"},
        {"/home/pilot", "/", "/zentrix"},
        {"/home/pilot", nullptr, "/home/pilot/.config/zentrix"},
        {"/home/pilot", "", "/home/pilot/.config/zentrix"},
        {"/home/pilot", "config", "/home/pilot/.config/zentrix"},
        {"/home/pilot", "~/config", "/home/pilot/.config/zentrix"},
        {nullptr, "relative", ""},
        {"", nullptr, ""},
        {"pilot", "", ""},
    };
    for (const auto& c : cases) {
        EnvironmentVariable home("HOME", c.home);
        EnvironmentVariable configHome("XDG_CONFIG_HOME", c.configHome);
        EXPECT_EQ(zentrixConfigFolder(), c.folder)
            << (c.home ? c.home : "unset") << " " << (c.configHome ? c.configHome : "unset");
    }
}

}  // namespace

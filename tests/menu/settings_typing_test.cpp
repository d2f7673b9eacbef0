// The settings' Board and Player lines typed on through the menu's own
// commands: what is kept, what is refused and why, and what is saved.
#include <gtest/gtest.h>

#include <string>

#include "menu/pause_menu.h"
#include "menu/player_settings.h"
#include "race/race.h"
#include "support/harness/race_start.h"
#include "support/records_fixture.h"
#include "world/world_fetch.h"
#include "world/world_sender.h"

namespace {

std::string valueOf(const std::string& label) {
    for (const MenuPanel::Line& line : pauseMenuView().lines) {
        if (line.label == label) {
            return line.value;
        }
    }
    return "(no such line)";
}

// Down until the line labelled is chosen.
void choose(const std::string& label) {
    for (int i = 0; i < 20; ++i) {
        const MenuPanel view = pauseMenuView();
        if (view.lines[static_cast<size_t>(view.chosen)].label == label) {
            return;
        }
        pauseMenuCommand(MenuCommand::Down);
    }
    FAIL() << "no line " << label;
}

class SettingsTyping : public testing::Test {
protected:
    static void SetUpTestSuite() { testsupport::startRaceWithoutGraphics(); }
    static void TearDownTestSuite() {
        stopWorldSender();
        stopWorldFetches();
    }
    void SetUp() override {
        loadSettingsForThisRun(false);
        resumeRace();
        pauseRace();  // a new pause: the menu opens afresh at its top
        ASSERT_TRUE(pauseMenuShows());
        choose("Settings");
        pauseMenuCommand(MenuCommand::Select);
        ASSERT_EQ(pauseMenuView().title, "SETTINGS");
    }
    void TearDown() override {
        pauseMenuCommand(MenuCommand::Back);  // a line left typed on
        resumeRace();
    }
    // Select on the line, the old text erased, text typed, and Enter.
    void type(const std::string& label, const std::string& text) {
        choose(label);
        pauseMenuCommand(MenuCommand::Select);
        for (int i = 0; i < 250; ++i) {
            pauseMenuCommand(MenuCommand::Erase);
        }
        pauseMenuText(text);
        pauseMenuCommand(MenuCommand::Select);
    }
    std::string settingsFile() { return recordstest::readText(home_.settingsFile()); }

    recordstest::TempDataHome home_;
};

TEST_F(SettingsTyping, WhatTheSettingsCanKeepIsKeptAndSavedAndTheRestRefusedWithWhy) {
    const struct {
        const char* line;
        std::string typed;
        std::string shown;  // the line's value afterwards
        bool typingGoesOn;  // refused: the old value stays, and the line is still typed on
    } cases[] = {
        {"Board", "http://127.0.0.1:9", "http://127.0.0.1:9", false},
        {"Board", "ftp://example.org", "ftp://example.org_", true},
        {"Board", "http://a b", "http://a b_", true},
        {"Player", "Ann Lee", "Ann Lee", false},
        {"Player", " Ann", " Ann_", true},
        {"Player", "a name of more than twenty-four", "a name of more than twenty-four_", true},
        {"Player", "Zo\xc3\xab\n", "Zo", false},  // only printable ASCII is taken
        {"Player", "", "none", false},            // empty clears it
        {"Board", "", "none", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.line) + " '" + c.typed + "'");
        type(c.line, c.typed);
        EXPECT_EQ(pauseMenuTypes(), c.typingGoesOn);
        EXPECT_EQ(valueOf(c.line), c.shown);
        if (c.typingGoesOn) {
            EXPECT_FALSE(pauseMenuView().note.empty()) << "a refusal says why";
            pauseMenuCommand(MenuCommand::Back);
            EXPECT_FALSE(pauseMenuTypes());
        }
    }
    type("Board", "http://127.0.0.1:9/board");
    type("Player", "Ann");
    EXPECT_EQ(playerSettings().board, "http://127.0.0.1:9/board");
    EXPECT_EQ(worldChoice().player, "Ann");
    EXPECT_NE(settingsFile().find("board = http://127.0.0.1:9/board\n"), std::string::npos)
        << settingsFile();
    EXPECT_NE(settingsFile().find("player = Ann\n"), std::string::npos);
    type("Board", "");
    type("Player", "");
}

TEST_F(SettingsTyping, EscLeavesTheLineAsItWasAndTheOtherCommandsWaitForTheTyping) {
    type("Player", "Bea");
    choose("Player");
    pauseMenuCommand(MenuCommand::Select);
    ASSERT_TRUE(pauseMenuTypes());
    EXPECT_EQ(valueOf("Player"), "Bea_") << "typing starts from the name kept";
    pauseMenuCommand(MenuCommand::Erase);
    pauseMenuText("x");
    pauseMenuCommand(MenuCommand::Down);  // waits: the line stays chosen and typed on
    pauseMenuCommand(MenuCommand::Left);
    pauseMenuDigit(7);
    EXPECT_EQ(valueOf("Player"), "Bex_");
    pauseMenuCommand(MenuCommand::Back);
    EXPECT_FALSE(pauseMenuTypes());
    EXPECT_EQ(valueOf("Player"), "Bea");
    EXPECT_EQ(pauseMenuView().title, "SETTINGS") << "Esc ended the typing, not the page";
    type("Player", "");
}

TEST_F(SettingsTyping, LeftAndRightOnBoardGoRoundNoneTheOneTypedAndTheOneGiven) {
    recordstest::EnvironmentVariable given("ZENTRIX_BOARD", "http://127.0.0.1:9");
    choose("Board");
    const char* const round[] = {"http://127.0.0.1:9", "none", "http://127.0.0.1:9"};
    for (const char* next : round) {
        pauseMenuCommand(MenuCommand::Right);
        EXPECT_EQ(valueOf("Board"), next);
    }
    type("Board", "https://127.0.0.1:9");
    const char* const left[] = {"none", "http://127.0.0.1:9", "none"};
    for (const char* next : left) {
        pauseMenuCommand(MenuCommand::Left);
        EXPECT_EQ(valueOf("Board"), next);
    }
    recordstest::EnvironmentVariable none("ZENTRIX_BOARD", "not an address");
    pauseMenuCommand(MenuCommand::Right);
    EXPECT_EQ(valueOf("Board"), "none") << "only an address can be offered";
}

}  // namespace

// --send and --today without a board to reach: each says why in one line and
// ends as the usage text says.
#include "shell/world_commands.h"

#include <gtest/gtest.h>

#include <sstream>

#include "saves/replay_file.h"
#include "session/pilot_race.h"
#include "support/harness/board_process.h"
#include "support/harness/board_runs.h"
#include "support/records_fixture.h"
#include "track/track.h"
#include "world/world_fetch.h"

namespace {

// Nothing listens on port 9 of loopback here: the connection is refused at once.
constexpr const char* NOBODY = "http://127.0.0.1:9";

TEST(SendCommand, WithoutABoardANameOrAReplayItSaysWhyAndEndsTwo) {
    recordstest::TempDataHome home;
    const std::string replay = home.root() + "/run.zxr";
    Replay run;
    run.gameVersion = "1.0.0";
    run.circuit = 7;
    run.mode = RaceMode::TimeTrial;
    run.craftParts = 6;
    std::string failure;
    ASSERT_TRUE(writeReplayFile(home.root(), "run.zxr", run, failure)) << failure;
    recordstest::writeText(home.root() + "/junk.zxr", "not a replay");
    const struct {
        const char* why;
        WorldChoice choice;
        std::string path;
        std::string out;
        std::string errHas;
    } cases[] = {
        {"no board", {"", "Ann"}, replay, "", "--send needs a board and a player name"},
        {"no name", {NOBODY, ""}, replay, "", "--send needs a board and a player name"},
        {"no such file", {NOBODY, "Ann"}, home.root() + "/none.zxr", "", "none.zxr"},
        {"no replay", {NOBODY, "Ann"}, home.root() + "/junk.zxr", "", "junk.zxr"},
        {"nobody there", {NOBODY, "Ann"}, replay, "board unreachable, will send later\n", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        std::ostringstream out;
        std::ostringstream err;
        EXPECT_EQ(sendReplayCommand(c.path, c.choice, out, err), SEND_UNREACHABLE_STATUS);
        EXPECT_EQ(out.str(), c.out);
        EXPECT_LE(recordstest::lineCount(err.str()), 1);
        EXPECT_NE(err.str().find(c.errHas), std::string::npos) << err.str();
    }
}

// A real board on loopback: a player's run is taken and ranked, the game's
// own pilot's refused with the board's reason, and the board's circuit of
// the day is the one --today races.
TEST(SendCommand, ARealBoardTakesAPlayersRunAndRefusesThePilotsWithItsReason) {
    recordstest::TempDataHome home;
    testsupport::BoardProcess board("sqlite:" + home.root() + "/board.sqlite",
                                    {"--runs-per-minute", "1000"});
    ASSERT_TRUE(board.running());
    const WorldChoice ann{board.url(""), "Ann"};
    std::string failure;
    ASSERT_TRUE(
        writeReplayFile(home.root(), "player.zxr", testsupport::pilotVariant(7, 1), failure));
    ASSERT_TRUE(writeReplayFile(home.root(), "pilot.zxr", pilotRunOf(7), failure));
    const struct {
        const char* file;
        int status;
        std::string out;
    } cases[] = {
        {"player.zxr", 0, "world 1st of 1\n"},
        {"pilot.zxr", SEND_REFUSED_STATUS,
         "refused: the game's own pilot's run: the board counts players' runs\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        std::ostringstream out;
        std::ostringstream err;
        EXPECT_EQ(sendReplayCommand(home.root() + "/" + c.file, ann, out, err), c.status);
        EXPECT_EQ(out.str(), c.out);
        EXPECT_EQ(err.str(), "");
    }
    std::ostringstream err;
    const uint32_t today = circuitOfTheDayOrClassic(ann, err);
    EXPECT_EQ(err.str(), "");
    std::string problem;
    EXPECT_EQ(circuitOfTheDayFrom(ann, problem), today) << problem;
}

TEST(TodayCommand, WithoutABoardOrAnAnswerItRacesTheClassicCircuitAndSaysWhy) {
    const struct {
        const char* board;
        const char* errHas;
    } cases[] = {
        {"", "--today needs a board"},
        {NOBODY, "no circuit of the day: board unreachable"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.board);
        std::ostringstream err;
        EXPECT_EQ(circuitOfTheDayOrClassic({c.board, "Ann"}, err), CLASSIC_CIRCUIT);
        EXPECT_EQ(recordstest::lineCount(err.str()), 1);
        EXPECT_NE(err.str().find(c.errHas), std::string::npos) << err.str();
        EXPECT_NE(err.str().find("racing the classic circuit"), std::string::npos);
    }
}

}  // namespace

#include "shell/options.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

namespace {

CommandLine parse(std::vector<const char*> arguments) {
    arguments.insert(arguments.begin(), "zentrix");
    return parseCommandLine(static_cast<int>(arguments.size()), arguments.data());
}

struct Answer {
    std::optional<int> status;
    std::string out;
    std::string err;
};

Answer answer(std::vector<const char*> arguments) {
    std::ostringstream out;
    std::ostringstream err;
    const std::optional<int> status = answerCommandLine(parse(arguments), out, err);
    return {status, out.str(), err.str()};
}

TEST(CommandLine, ChoosesTheDisplayAndTheLastChoiceCounts) {
    EXPECT_EQ(parse({}).request, CommandLine::Request::Play);
    EXPECT_EQ(parse({}).display, DisplayChoice::Fullscreen);
    EXPECT_EQ(parse({"--desktop"}).display, DisplayChoice::Desktop);
    EXPECT_EQ(parse({"--windowed"}).display, DisplayChoice::Windowed);
    EXPECT_EQ(parse({"--windowed", "--fullscreen"}).display, DisplayChoice::Fullscreen);
    EXPECT_EQ(parse({"--fullscreen", "--desktop", "--windowed"}).display, DisplayChoice::Windowed);
    EXPECT_EQ(parse({"--desktop", "--windowed"}).request, CommandLine::Request::Play);
}

TEST(CommandLine, HelpVersionOrARefusalEndsTheReadingWhereItStands) {
    EXPECT_EQ(parse({"--windowed", "--help", "--bogus"}).request, CommandLine::Request::Help);
    EXPECT_EQ(parse({"--version", "--help"}).request, CommandLine::Request::Version);
    const CommandLine refused = parse({"--desktop", "--bogus", "--help"});
    EXPECT_EQ(refused.request, CommandLine::Request::Usage);
    EXPECT_EQ(refused.refused, "--bogus");
}

TEST(CommandLine, OnlyTheWholeOptionsAreUnderstood) {
    for (const char* near :
         {"--full", "--windowed=yes", "-hh", "-v", "--HELP", "windowed", "-", "", "--track-map5"}) {
        const CommandLine line = parse({near});
        EXPECT_EQ(line.request, CommandLine::Request::Usage) << "'" << near << "'";
        EXPECT_EQ(line.refused, near);
    }
}

TEST(CommandLine, TrackTakesACircuitNumberOrClassicAndNothingElse) {
    const struct {
        std::vector<const char*> arguments;
        std::optional<uint32_t> circuit;  // nothing: a usage error
    } cases[] = {
        {{}, 0u},
        {{"--track", "48213"}, 48213u},
        {{"--track", "classic"}, 0u},
        {{"--track", "0"}, 0u},
        {{"--track", "4294967295"}, 4294967295u},
        {{"--track", "007", "--windowed"}, 7u},
        {{"--track=4"}, 4u},
        {{"--track=classic", "--windowed"}, 0u},
        {{"--track="}, std::nullopt},
        {{"--track", "4294967296"}, std::nullopt},
        {{"--track", "99999999999999999999999"}, std::nullopt},
        {{"--track", "-1"}, std::nullopt},
        {{"--track", "+1"}, std::nullopt},
        {{"--track", "x"}, std::nullopt},
        {{"--track", "1.5"}, std::nullopt},
        {{"--track", ""}, std::nullopt},
        {{"--track", "Classic"}, std::nullopt},
        {{"--track"}, std::nullopt},
    };
    for (const auto& c : cases) {
        const CommandLine line = parse(c.arguments);
        const std::string said = c.arguments.size() > 1 ? c.arguments[1] : "(none)";
        if (c.circuit) {
            EXPECT_EQ(line.request, CommandLine::Request::Play) << said;
            EXPECT_EQ(line.circuit, *c.circuit) << said;
        } else {
            EXPECT_EQ(line.request, CommandLine::Request::Usage) << said;
            const Answer refused = answer(c.arguments);
            EXPECT_EQ(refused.status, USAGE_EXIT_STATUS) << said;
            EXPECT_EQ(refused.err.rfind("zentrix: --track wants a circuit number", 0), 0u)
                << refused.err;
        }
    }
}

TEST(CommandLine, VerifyTakesTheReplayThatFollowsIt) {
    const CommandLine verify = parse({"--windowed", "--verify", "last.zxr"});
    EXPECT_EQ(verify.request, CommandLine::Request::Verify);
    EXPECT_EQ(verify.replay, "last.zxr");
    EXPECT_FALSE(answer({"--verify", "last.zxr"}).status.has_value()) << "main runs it";
    EXPECT_EQ(answer({"--verify"}).status, USAGE_EXIT_STATUS);
    const CommandLine watch = parse({"--replay", "best-7.zxr", "--windowed"});
    EXPECT_EQ(watch.request, CommandLine::Request::Watch);
    EXPECT_EQ(watch.replay, "best-7.zxr");
    EXPECT_EQ(watch.display, DisplayChoice::Windowed) << "the display options still count";
}

TEST(CommandLineAnswer, TrackMapWritesTheCircuitsPictureAndNothingElse) {
    const Answer map = answer({"--track-map", "7"});
    EXPECT_EQ(map.status, 0);
    EXPECT_EQ(map.err, "");
    EXPECT_EQ(map.out.rfind("<?xml", 0), 0u);
    EXPECT_NE(map.out.find("<title>Zentrix circuit 7</title>"), std::string::npos);
    EXPECT_EQ(answer({"--track-map", "nope"}).status, USAGE_EXIT_STATUS);
}

TEST(CommandLineAnswer, HelpPrintsTheUsageOnStandardOutputAndSucceeds) {
    const Answer help = answer({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out, usageText());
    EXPECT_EQ(help.err, "");
    for (const char* option :
         {"--fullscreen", "--desktop", "--windowed", "--track", "--track-map", "--pilot",
          "--time-trial", "--medals", "--replay", "--verify", "--today", "--send", "--help", "-h,",
          "--version", "ZENTRIX_DATA_DIR"}) {
        EXPECT_NE(help.out.find(option), std::string::npos) << option << " missing from the usage";
    }
    // Every key the game answers, the fixed ones as well as those chosen in Settings.
    for (const char* key : {"Up/Down", "Left/Right", "Space", "C changes", "V the cockpit",
                            "M shows the track map", "G the ghost", "P pauses", "R races again",
                            "N (paused", "F12", "Alt+Enter", "Esc quits", "F fast", "B back"}) {
        EXPECT_NE(help.out.find(key), std::string::npos) << key << " missing from the usage";
    }
}

TEST(CommandLineAnswer, VersionPrintsTheProgramNameAndItsVersion) {
    const Answer version = answer({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_TRUE(testing::internal::RE::FullMatch(version.out, "zentrix [0-9]+\\.[0-9]+\\.[0-9]+\n"))
        << version.out;
    EXPECT_EQ(version.out, versionText());
    EXPECT_EQ(version.err, "");
}

TEST(CommandLineAnswer, WhatIsNotUnderstoodIsNamedThenTheUsageWithStatusTwo) {
    const std::string tryHelp = "Try 'zentrix --help' for more information.\n";
    const Answer option = answer({"--bogus"});
    EXPECT_EQ(option.status, 2);
    EXPECT_EQ(option.out, "");
    EXPECT_EQ(option.err, "zentrix: unknown option '--bogus'\n" + tryHelp);

    const Answer stray = answer({"--windowed", "track7"});
    EXPECT_EQ(stray.status, 2);
    EXPECT_EQ(stray.err, "zentrix: unexpected argument 'track7'\n" + tryHelp);
}

// Every usage error is its one line, then where the help is, with status 2;
// what is understood goes on to the run it names.
TEST(CommandLineAnswer, EachCommandLineIsRunOrRefusedInOneLine) {
    using Request = CommandLine::Request;
    const struct {
        std::vector<const char*> arguments;
        Request request;
        std::string said;  // the usage error's line, without "zentrix: "
    } cases[] = {
        {{"-h"}, Request::Help, ""},
        {{"--windowed", "-h", "--bogus"}, Request::Help, ""},
        {{"--track=5"}, Request::Play, ""},
        {{"--track-map=7"}, Request::TrackMap, ""},
        {{"--replay=best-7.zxr", "--desktop"}, Request::Watch, ""},
        {{"--verify=last.zxr"}, Request::Verify, ""},
        {{"--pilot", "classic"}, Request::Pilot, ""},
        {{"--today"}, Request::Play, ""},
        {{"--today", "--windowed"}, Request::Play, ""},
        {{"--send", "best.zxr"}, Request::Send, ""},
        {{"--send=best.zxr"}, Request::Send, ""},
        {{"--send"}, Request::Usage, "--send needs a replay file"},
        {{"--send", "--today"}, Request::Usage, "--send needs a replay file"},
        {{"--send", "a", "--send", "b"}, Request::Usage, "--send is given twice"},
        {{"--today=7"}, Request::Usage, "--today takes no value"},
        {{"--today", "--track", "7"}, Request::Usage, "--today and --track cannot go together"},
        {{"--championship", "2", "--today"},
         Request::Usage,
         "--championship and --today cannot go together"},
        {{"--today", "--time-trial"},
         Request::Usage,
         "--time-trial and --today cannot go together"},
        {{"--today", "--difficulty", "hard"},
         Request::Usage,
         "--difficulty and --today cannot go together"},
        {{"--send", "a", "--verify", "b"},
         Request::Usage,
         "--send and --verify cannot go together"},
        {{"--replay", "a", "--send", "b"},
         Request::Usage,
         "--replay and --send cannot go together"},
        {{"--pilot=4294967295"}, Request::Pilot, ""},
        {{"--pilot"},
         Request::Usage,
         "--pilot wants a circuit number from 0 to 4294967295 or 'classic'"},
        {{"--pilot", "-1"},
         Request::Usage,
         "--pilot wants a circuit number from 0 to 4294967295 or 'classic', not '-1'"},
        {{"--pilot", "7", "--track", "7"},
         Request::Usage,
         "--pilot and --track cannot go together"},
        {{"--verify", "a", "--pilot", "7"},
         Request::Usage,
         "--verify and --pilot cannot go together"},
        {{"--track-map", "3", "--pilot", "3"},
         Request::Usage,
         "--track-map and --pilot cannot go together"},
        {{"--windowed", "--desktop"}, Request::Play, ""},
        {{"--time-trial"}, Request::Play, ""},
        {{"--time-trial", "--track", "7"}, Request::Play, ""},
        {{"--time-trial=yes"}, Request::Usage, "--time-trial takes no value"},
        {{"--time-trial", "--pilot", "7"},
         Request::Usage,
         "--time-trial and --pilot cannot go together"},
        {{"--replay", "f", "--time-trial"},
         Request::Usage,
         "--time-trial and --replay cannot go together"},
        {{"--medals", "48213"}, Request::Medals, ""},
        {{"--championship", "5", "--difficulty=HARD"}, Request::Play, ""},
        {{"--difficulty", "easy", "--track", "7"}, Request::Play, ""},
        {{"--difficulty", "brutal"},
         Request::Usage,
         "--difficulty wants easy, normal or hard, not 'brutal'"},
        {{"--difficulty"}, Request::Usage, "--difficulty wants easy, normal or hard"},
        {{"--difficulty", "hard", "--pilot", "7"},
         Request::Usage,
         "--difficulty and --pilot cannot go together"},
        {{"--championship", "x"},
         Request::Usage,
         "--championship wants a championship number from 0 to 4294967295, not 'x'"},
        {{"--championship", "1", "--track", "7"},
         Request::Usage,
         "--championship and --track cannot go together"},
        {{"--championship", "1", "--time-trial"},
         Request::Usage,
         "--time-trial and --championship cannot go together"},
        {{"--medals"},
         Request::Usage,
         "--medals wants a circuit number from 0 to 4294967295 or 'classic'"},
        {{"--medals", "7", "--track", "7"},
         Request::Usage,
         "--medals and --track cannot go together"},
        {{"--verify"}, Request::Usage, "--verify needs a replay file"},
        {{"--replay"}, Request::Usage, "--replay needs a replay file"},
        {{"--replay="}, Request::Usage, "--replay needs a replay file"},
        {{"--verify", "--windowed"}, Request::Usage, "--verify needs a replay file"},
        {{"--track", "5", "--replay", "f"},
         Request::Usage,
         "--track and --replay cannot go together"},
        {{"--replay", "f", "--track", "5"},
         Request::Usage,
         "--replay and --track cannot go together"},
        {{"--verify", "a", "--verify", "b"}, Request::Usage, "--verify is given twice"},
        {{"--verify", "a", "--replay", "b"},
         Request::Usage,
         "--verify and --replay cannot go together"},
        {{"--track-map", "3", "--verify", "a"},
         Request::Usage,
         "--track-map and --verify cannot go together"},
        {{"--track", "3", "--track-map", "4"},
         Request::Usage,
         "--track and --track-map cannot go together"},
        {{"--track", "3", "--track=4"}, Request::Usage, "--track is given twice"},
        {{"--windowed", "--windowed"}, Request::Usage, "--windowed is given twice"},
        {{"--windowed=yes"}, Request::Usage, "--windowed takes no value"},
        {{"--help=me"}, Request::Usage, "--help takes no value"},
        {{"--track=x"},
         Request::Usage,
         "--track wants a circuit number from 0 to 4294967295 or 'classic', not 'x'"},
        {{"--bogus=1"}, Request::Usage, "unknown option '--bogus=1'"},
        {{"-x"}, Request::Usage, "unknown option '-x'"},
    };
    for (const auto& c : cases) {
        std::string said;
        for (const char* argument : c.arguments) {
            said += std::string(argument) + " ";
        }
        SCOPED_TRACE(said);
        EXPECT_EQ(parse(c.arguments).request, c.request);
        const Answer reply = answer(c.arguments);
        if (c.request == Request::Usage) {
            EXPECT_EQ(reply.status, USAGE_EXIT_STATUS);
            EXPECT_EQ(reply.out, "");
            EXPECT_EQ(reply.err,
                      "zentrix: " + c.said + "\nTry 'zentrix --help' for more information.\n");
        } else {
            EXPECT_EQ(reply.err, "");
        }
    }
    EXPECT_EQ(parse({"--track=48213"}).circuit, 48213u);
    EXPECT_EQ(parse({"--pilot", "48213"}).circuit, 48213u);
    EXPECT_EQ(parse({"--medals=7"}).circuit, 7u);
    EXPECT_TRUE(parse({"--track", "7", "--time-trial"}).timeTrial);
    EXPECT_FALSE(parse({"--track", "7"}).timeTrial) << "a race, as the game opens";
    EXPECT_EQ(parse({"--championship=4294967295"}).championship, 4294967295u);
    EXPECT_EQ(parse({"--difficulty", "Hard"}).difficulty, Difficulty::Hard);
    EXPECT_FALSE(parse({"--track", "7"}).difficulty) << "the setting's, unless given";
    EXPECT_EQ(parse({"--replay=a=b.zxr"}).replay, "a=b.zxr") << "only the first = splits";
    EXPECT_TRUE(parse({"--today"}).today);
    EXPECT_FALSE(parse({"--track", "7"}).today);
    EXPECT_EQ(parse({"--send", "runs/best.zxr"}).replay, "runs/best.zxr");
}

TEST(CommandLineAnswer, ARaceToStartIsAnsweredWithSilence) {
    for (const std::vector<const char*>& arguments :
         {std::vector<const char*>{}, {"--desktop"}, {"--windowed", "--fullscreen"}}) {
        const Answer play = answer(arguments);
        EXPECT_FALSE(play.status.has_value());
        EXPECT_EQ(play.out, "");
        EXPECT_EQ(play.err, "");
    }
}

}  // namespace

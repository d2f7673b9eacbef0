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
         {"--full", "--windowed=yes", "-h", "-v", "--HELP", "windowed", "-", ""}) {
        const CommandLine line = parse({near});
        EXPECT_EQ(line.request, CommandLine::Request::Usage) << "'" << near << "'";
        EXPECT_EQ(line.refused, near);
    }
}

TEST(CommandLineAnswer, HelpPrintsTheUsageOnStandardOutputAndSucceeds) {
    const Answer help = answer({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out, usageText());
    EXPECT_EQ(help.err, "");
    for (const char* option :
         {"--fullscreen", "--desktop", "--windowed", "--help", "--version", "ZENTRIX_DATA_DIR"}) {
        EXPECT_NE(help.out.find(option), std::string::npos) << option << " missing from the usage";
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
    const Answer option = answer({"--bogus"});
    EXPECT_EQ(option.status, 2);
    EXPECT_EQ(option.out, "");
    EXPECT_EQ(option.err, "zentrix: unknown option '--bogus'\n" + usageText());

    const Answer stray = answer({"--windowed", "track7"});
    EXPECT_EQ(stray.status, 2);
    EXPECT_EQ(stray.err, "zentrix: unexpected argument 'track7'\n" + usageText());
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

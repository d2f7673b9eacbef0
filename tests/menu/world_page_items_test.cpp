// The circuit page's world lines in each state of the fetch, with the
// board's answers read as a stranger's: what they show, and which run
// Select on each races.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "menu/circuit_page.h"
#include "menu/world_page_items.h"

namespace {

struct Shown {
    std::string label;
    std::string value;
    bool operator==(const Shown& other) const {
        return label == other.label && value == other.value;
    }
};

std::ostream& operator<<(std::ostream& out, const Shown& line) {
    return out << '"' << line.label << "\" \"" << line.value << '"';
}

std::vector<Shown> shownOf(const std::vector<MenuItem>& items) {
    std::vector<Shown> lines;
    for (const MenuItem& item : items) {
        lines.push_back({item.label, item.value});
    }
    return lines;
}

Replay runOf(uint32_t raceMs) {
    Replay run;
    run.circuit = 7;
    run.mode = RaceMode::TimeTrial;
    run.raceMs = raceMs;
    return run;
}

// The board's rows, each with its run downloaded unless `missing` names it.
WorldPage shownPage(const std::vector<WorldRow>& rows, uint32_t total, int missing = -1) {
    WorldPage page;
    page.state = WorldPage::State::Shown;
    page.circuit = 7;
    page.board.read = true;
    page.board.total = total;
    page.board.rows = rows;
    for (size_t i = 0; i < rows.size(); ++i) {
        page.runs.push_back(static_cast<int>(i) == missing
                                ? nullptr
                                : std::make_shared<const Replay>(runOf(rows[i].raceMs)));
    }
    return page;
}

WorldPage inState(WorldPage::State state, const std::string& problem = "") {
    WorldPage page;
    page.state = state;
    page.problem = problem;
    return page;
}

TEST(WorldPageItems, EachStateOfTheFetchShowsItsOwnLines) {
    WorldPage ranked = shownPage({{1, "Ann", 188633, 4}, {2, "Bob", 190002, 9}}, 340);
    ranked.playerRank = 12;
    std::vector<WorldRow> twelve;
    for (uint32_t i = 1; i <= 12; ++i) {
        twelve.push_back({i, "P" + std::to_string(i), 180000 + i, i});
    }
    const struct {
        const char* what;
        WorldPage page;
        std::vector<Shown> lines;
    } cases[] = {
        {"no board", inState(WorldPage::State::Off), {}},
        {"asked", inState(WorldPage::State::Waiting), {{"World", "..."}}},
        {"unreachable",
         inState(WorldPage::State::Offline, "board unreachable: Couldn't connect to server"),
         {{"World", "board unreachable: Couldn't connect to server"}}},
        {"nobody yet", shownPage({}, 0), {{"World", "no runs yet"}}},
        {"two rows and the player's rank",
         ranked,
         {{"World", "340 runs"},
          {"Race the world record", "Ann 3:08.633"},
          {"1. Ann", "3:08.633"},
          {"2. Bob", "3:10.002"},
          {"Your rank", "12th"}}},
        {"the record's run did not come down",
         shownPage({{1, "Ann", 188633, 4}, {2, "Bob", 190002, 9}}, 2, 0),
         {{"World", "2 runs"}, {"1. Ann", "3:08.633"}, {"2. Bob", "3:10.002"}}},
        {"a stranger's bytes in a name",
         shownPage({{1, "A\x1b[2Jnn\xc3\xa9 with a name far too long for any row", 1000, 1}}, 1),
         {{"World", "1 run"},
          {"Race the world record", "A?[2Jnn?? with a name fa 0:01.000"},
          {"1. A?[2Jnn?? with a name fa", "0:01.000"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(shownOf(worldPageItems(c.page, [](const Replay&) {})), c.lines);
    }
    const std::vector<Shown> lines = shownOf(worldPageItems(shownPage(twelve, 12), nullptr));
    ASSERT_EQ(lines.size(), 2u + WORLD_ROWS_SHOWN) << "the top ten, however many came";
    EXPECT_EQ(lines.back(), (Shown{"10. P10", "3:00.010"}));
}

TEST(WorldPageItems, SelectOnARowRacesItsOwnRunAndOnOtherLinesNothing) {
    const WorldPage page =
        shownPage({{1, "Ann", 188633, 4}, {2, "Bob", 190002, 9}, {3, "Cy", 191000, 11}}, 3, 2);
    std::vector<uint32_t> raced;
    const std::vector<MenuItem> items =
        worldPageItems(page, [&raced](const Replay& run) { raced.push_back(run.raceMs); });
    const struct {
        const char* label;
        std::vector<uint32_t> raced;
    } cases[] = {
        {"World", {}},        {"Race the world record", {188633}},
        {"1. Ann", {188633}}, {"2. Bob", {190002}},
        {"3. Cy", {}},  // its run did not come down
    };
    ASSERT_EQ(items.size(), std::size(cases));
    for (size_t i = 0; i < items.size(); ++i) {
        SCOPED_TRACE(cases[i].label);
        EXPECT_EQ(items[i].label, cases[i].label);
        raced.clear();
        items[i].select();
        EXPECT_EQ(raced, cases[i].raced);
        EXPECT_FALSE(items[i].change) << "Left and Right change nothing here";
    }
}

// The world's lines come after the pilot's and the medals', just before Back.
TEST(WorldPageItems, TheCircuitPageShowsThemAboveBack) {
    bool back = false;
    const std::vector<MenuItem> off = circuitPageItems(
        7, [&back] { back = true; }, inState(WorldPage::State::Off));
    const std::vector<MenuItem> waiting = circuitPageItems(
        7, [&back] { back = true; }, inState(WorldPage::State::Waiting));
    ASSERT_EQ(waiting.size(), off.size() + 1);
    EXPECT_EQ(waiting[waiting.size() - 2].label, "World");
    EXPECT_EQ(waiting[waiting.size() - 2].value, "...");
    EXPECT_EQ(waiting.back().label, "Back");
    waiting.back().select();
    EXPECT_TRUE(back);
    for (size_t i = 0; i + 1 < off.size(); ++i) {
        EXPECT_EQ(off[i].label, waiting[i].label);
    }
}

}  // namespace

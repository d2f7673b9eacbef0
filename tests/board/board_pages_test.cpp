#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "board/board_pages.h"
#include "track/circuit_generator.h"
#include "track/circuit_map.h"

namespace {

size_t countOf(const std::string& text, const std::string& part) {
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

std::string lowered(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// The text from <table id="ID"> to its end, or "" when there is none.
std::string tableOf(const std::string& page, const std::string& id) {
    const size_t start = page.find("<table id=\"" + id + "\">");
    if (start == std::string::npos) {
        return "";
    }
    return page.substr(start, page.find("</table>", start) - start);
}

size_t bodyRowsOf(const std::string& table) {
    const size_t body = table.find("<tbody>");
    return body == std::string::npos ? 0 : countOf(table.substr(body), "<tr>");
}

BoardEntry entry(uint32_t rank, const std::string& player, uint32_t raceMs, int64_t run,
                 const std::string& version = "1.0.0") {
    BoardEntry e;
    e.rank = rank;
    e.player = player;
    e.circuit = 7;
    e.raceMs = raceMs;
    e.lapMs[0] = raceMs / 3;
    e.lapMs[1] = raceMs / 3;
    e.lapMs[2] = raceMs - 2 * (raceMs / 3);
    e.run = run;
    e.gameVersion = version;
    e.submitted = "2026-12-09T14:03:07Z";
    return e;
}

const std::string HOSTILE_NAME = "<script>alert(\"x\")</script>&'\x01\x1b";
const std::string HOSTILE_VERSION = "1.0<img src=x onerror=y>\"'&\x7f";

TEST(HtmlText, EscapesMarkupAndShowsControlsAndBrokenBytesSafely) {
    struct Case {
        std::string text;
        std::string shown;
    };
    const std::vector<Case> cases = {
        {"plain name 42", "plain name 42"},
        {"<script>alert(1)</script>", "&lt;script&gt;alert(1)&lt;/script&gt;"},
        {"a\"b'c&d", "a&quot;b&#39;c&amp;d"},
        {"&amp;", "&amp;amp;"},
        {std::string("a\0b", 3), "a\u2400b"},
        {"\t\n\x1b[31m", "\u2409\u240a\u241b[31m"},
        {"\x7f", "\u2421"},
        {"Zo\u00e9 \u65e5\u672c \U0001F3C1", "Zo\u00e9 \u65e5\u672c \U0001F3C1"},
        {"\xC2\x85", "\uFFFD"},                  // a C1 control
        {"x\xC3", "x\uFFFD"},                    // cut short
        {"\xC0\xBC", "\uFFFD\uFFFD"},            // an overlong '<'
        {"\xED\xA0\x80", "\uFFFD\uFFFD\uFFFD"},  // a surrogate
        {"\xFF<", "\uFFFD&lt;"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(htmlEscaped(c.text), c.shown) << c.text;
    }
}

TEST(HtmlText, WritesTimesGapsAndUrlSegments) {
    struct TimeCase {
        uint32_t ms;
        std::string text;
    };
    for (const TimeCase& c : std::vector<TimeCase>{{188633, "3:08.633"},
                                                   {0, "0:00.000"},
                                                   {54035, "0:54.035"},
                                                   {60000, "1:00.000"},
                                                   {3600000, "60:00.000"},
                                                   {4294967295u, "71582:47.295"}}) {
        EXPECT_EQ(raceTimeText(c.ms), c.text) << c.ms;
    }
    struct GapCase {
        uint32_t ms;
        uint32_t reference;
        std::string text;
    };
    for (const GapCase& c : std::vector<GapCase>{{189867, 188633, "+1.234"},
                                                 {188583, 188633, "-0.050"},
                                                 {188633, 188633, "+0.000"},
                                                 {250978, 188633, "+1:02.345"},
                                                 {0, 4294967295u, "-71582:47.295"}}) {
        EXPECT_EQ(gapText(c.ms, c.reference), c.text) << c.ms << " vs " << c.reference;
    }
    struct UrlCase {
        std::string text;
        std::string segment;
    };
    for (const UrlCase& c : std::vector<UrlCase>{{"A B/C", "A%20B%2FC"},
                                                 {"a-b_c.d~9", "a-b_c.d~9"},
                                                 {"\u00e9", "%C3%A9"},
                                                 {"<x>&?#%\"'", "%3Cx%3E%26%3F%23%25%22%27"}}) {
        EXPECT_EQ(urlSegment(c.text), c.segment) << c.text;
    }
}

class BoardPages : public ::testing::Test {
protected:
    static void SetUpTestSuite() { mapSvg_ = new std::string(circuitMapSvg(growCircuit(7).track)); }
    static void TearDownTestSuite() {
        delete mapSvg_;
        mapSvg_ = nullptr;
    }

    static BoardPage sampleBoard() {
        BoardPage board;
        board.total = 3;
        board.entries = {entry(1, "Ada", 189867, 11), entry(2, HOSTILE_NAME, 190000, 12),
                         entry(3, "Zo\u00e9 B", 201500, 13, HOSTILE_VERSION)};
        return board;
    }

    // Every page: a whole document that links home and reaches for nothing else.
    static void expectSoundPage(const std::string& page) {
        EXPECT_EQ(page.rfind("<!DOCTYPE html>", 0), 0u);
        EXPECT_NE(page.find("<meta charset=\"utf-8\">"), std::string::npos);
        // The map may carry its own <title>; the page has one in its head.
        EXPECT_EQ(countOf(page.substr(0, page.find("<body>")), "<title>"), 1u);
        EXPECT_EQ(countOf(page, "<style>"), 1u);
        EXPECT_NE(page.find("<a href=\"/\">"), std::string::npos);
        const std::string low = lowered(page);
        EXPECT_EQ(low.find("<script"), std::string::npos);
        EXPECT_EQ(low.find("<img"), std::string::npos);
        EXPECT_EQ(low.find("<link"), std::string::npos);
        EXPECT_EQ(low.find("url("), std::string::npos);
        // Only the map's namespace names another address.
        EXPECT_EQ(countOf(low, "http"), countOf(low, "xmlns=\"http://www.w3.org/2000/svg\""));
        EXPECT_EQ(page.find('\x01'), std::string::npos);
        EXPECT_EQ(page.find('\x1b'), std::string::npos);
        EXPECT_EQ(page.find('\x7f'), std::string::npos);
        EXPECT_EQ(countOf(page, "</html>"), 1u);
    }

    static std::string* mapSvg_;
};
std::string* BoardPages::mapSvg_ = nullptr;

TEST_F(BoardPages, EveryPageIsWholeLinksHomeAndHoldsNoScript) {
    const std::vector<std::string> pages = {
        homePage("2026-12-09", 7, {{7, 40}, {0, 12}}),
        homePage("<b>", 0, {}),
        circuitPage(7, *mapSvg_, sampleBoard(), 188633u, 0, 50),
        circuitPage(0, "", BoardPage{}, std::nullopt, 0, 50),
        playerPage(HOSTILE_NAME, sampleBoard().entries),
        playerPage("nobody", {}),
        notFoundPage(HOSTILE_NAME),
    };
    for (const std::string& page : pages) {
        expectSoundPage(page);
    }
}

TEST_F(BoardPages, CircuitPageShowsTheMapOnceAndTheBoardInOrder) {
    const BoardPage board = sampleBoard();
    const std::string page = circuitPage(7, *mapSvg_, board, 188633u, 0, 50);
    EXPECT_NE(page.find("<title>Zentrix board &mdash; circuit 7</title>"), std::string::npos);
    EXPECT_NE(page.find("<h1>circuit 7</h1>"), std::string::npos);
    EXPECT_EQ(countOf(page, "<svg"), 1u);
    EXPECT_EQ(page.find("<?xml"), std::string::npos);
    EXPECT_NE(page.find("<div id=\"map\" class=\"circuit-map\">\n<svg"), std::string::npos);
    EXPECT_NE(page.find("<code>zentrix --track 7 --time-trial</code>"), std::string::npos);
    EXPECT_NE(page.find("pilot 3:08.633"), std::string::npos);

    const std::string table = tableOf(page, "board");
    ASSERT_FALSE(table.empty());
    EXPECT_EQ(bodyRowsOf(table), board.entries.size());
    // Rows in the board's order, each with its rank, gap to the pilot and replay.
    const std::vector<std::string> inOrder = {
        "<td class=\"rank\">1</td><td><a href=\"/players/Ada\">Ada</a></td>",
        "<td class=\"time\">3:09.867</td><td class=\"gap\">+1.234</td>",
        "/api/v1/runs/11.zxr",
        "<td class=\"rank\">2</td>",
        "<td class=\"gap\">+1.367</td>",
        "/api/v1/runs/12.zxr",
        "<td class=\"rank\">3</td><td><a href=\"/players/Zo%C3%A9%20B\">Zo\u00e9 B</a></td>",
        "<td class=\"time\">3:21.500</td><td class=\"gap\">+12.867</td>",
        "/api/v1/runs/13.zxr",
    };
    size_t at = 0;
    for (const std::string& part : inOrder) {
        const size_t found = table.find(part, at);
        ASSERT_NE(found, std::string::npos) << part;
        at = found + part.size();
    }
    EXPECT_EQ(countOf(table,
                      "<td><time datetime=\"2026-12-09T14:03:07Z\">2026-12-09 "
                      "14:03:07</time></td>"),
              3u);
    // Laps of the first run: 63289 + 63289 + 63289.
    EXPECT_EQ(countOf(table, "<td class=\"time\">1:03.289</td>"), 3u);
}

TEST_F(BoardPages, PlayersNamesAndVersionsNeverBecomeMarkup) {
    const std::string page = circuitPage(7, *mapSvg_, sampleBoard(), std::nullopt, 0, 50);
    EXPECT_NE(page.find("&lt;script&gt;alert(&quot;x&quot;)&lt;/script&gt;&amp;&#39;\u2401\u241b"),
              std::string::npos);
    EXPECT_NE(
        page.find("href=\"/players/%3Cscript%3Ealert%28%22x%22%29%3C%2Fscript%3E%26%27%01%1B\""),
        std::string::npos);
    EXPECT_NE(page.find("<td>1.0&lt;img src=x onerror=y&gt;&quot;&#39;&amp;\u2421</td>"),
              std::string::npos);
    EXPECT_EQ(bodyRowsOf(tableOf(page, "board")), 3u);
    // A submission time not in the board's own form is shown as sent, escaped.
    BoardPage odd = sampleBoard();
    odd.entries[0].submitted = "2026-12-09T14:03:0<b>";
    odd.entries[1].submitted = "2026-12-09T14:03:07Z\"";
    const std::string oddPage = circuitPage(7, "", odd, std::nullopt, 0, 50);
    EXPECT_NE(oddPage.find("<td>2026-12-09T14:03:0&lt;b&gt;</td>"), std::string::npos);
    EXPECT_NE(oddPage.find("<td>2026-12-09T14:03:07Z&quot;</td>"), std::string::npos);

    const std::string player = playerPage(HOSTILE_NAME, sampleBoard().entries);
    const std::string shown = htmlEscaped(HOSTILE_NAME);
    EXPECT_NE(player.find("<title>Zentrix board &mdash; " + shown + "</title>"), std::string::npos);
    EXPECT_NE(player.find("<h1>" + shown + "</h1>"), std::string::npos);
    EXPECT_NE(notFoundPage(HOSTILE_NAME).find(shown), std::string::npos);
    EXPECT_NE(homePage("<b>&", 0, {}).find("Circuit of the day, &lt;b&gt;&amp;"),
              std::string::npos);
}

TEST_F(BoardPages, PilotShowsAsReferenceOrAsNotYetKnown) {
    const std::string unknown = circuitPage(7, *mapSvg_, sampleBoard(), std::nullopt, 0, 50);
    EXPECT_NE(unknown.find("pilot: not yet known"), std::string::npos);
    EXPECT_EQ(unknown.find("class=\"gap\""), std::string::npos);
    EXPECT_EQ(unknown.find("vs pilot"), std::string::npos);
    // A player faster than the pilot is ahead of it.
    const std::string beaten = circuitPage(7, *mapSvg_, sampleBoard(), 190000u, 0, 50);
    EXPECT_NE(beaten.find("<td class=\"gap\">-0.133</td>"), std::string::npos);
    EXPECT_NE(beaten.find("<td class=\"gap\">+0.000</td>"), std::string::npos);
}

TEST_F(BoardPages, PagingLinksShowOnlyWhenTheBoardGoesOnBeyondThePage) {
    struct Case {
        uint32_t total;
        uint32_t offset;
        uint32_t limit;
        size_t shown;
        std::string previous;  // the link's query, "" when there is none
        std::string next;
    };
    const std::vector<Case> cases = {
        {3, 0, 50, 3, "", ""},
        {50, 0, 50, 50, "", ""},
        {51, 0, 50, 50, "", "offset=50&amp;limit=50"},
        {120, 50, 50, 50, "offset=0&amp;limit=50", "offset=100&amp;limit=50"},
        {120, 100, 50, 20, "offset=50&amp;limit=50", ""},
        {120, 30, 50, 50, "offset=0&amp;limit=50", "offset=80&amp;limit=50"},
        // Past the end, the way back leads to the last page.
        {120, 500, 50, 0, "offset=100&amp;limit=50", ""},
        {120, 0, 0, 0, "", ""},
        {4294967295u, 4294967290u, 10, 5, "offset=4294967280&amp;limit=10", ""},
    };
    for (const Case& c : cases) {
        BoardPage board;
        board.total = c.total;
        for (size_t i = 0; i < c.shown; ++i) {
            board.entries.push_back(entry(c.offset + i + 1, "p" + std::to_string(i), 190000, 1));
        }
        const std::string page = circuitPage(9, "", board, std::nullopt, c.offset, c.limit);
        SCOPED_TRACE("total " + std::to_string(c.total) + " offset " + std::to_string(c.offset));
        EXPECT_EQ(bodyRowsOf(tableOf(page, "board")), c.shown);
        EXPECT_EQ(page.find("<div id=\"map\""), std::string::npos);
        EXPECT_EQ(countOf(page, "rel=\"prev\""), c.previous.empty() ? 0u : 1u);
        EXPECT_EQ(countOf(page, "rel=\"next\""), c.next.empty() ? 0u : 1u);
        if (!c.previous.empty()) {
            EXPECT_NE(page.find("rel=\"prev\" href=\"/circuits/9?" + c.previous + "\""),
                      std::string::npos);
        }
        if (!c.next.empty()) {
            EXPECT_NE(page.find("rel=\"next\" href=\"/circuits/9?" + c.next + "\""),
                      std::string::npos);
        }
    }
}

TEST_F(BoardPages, HomeShowsTheCircuitOfTheDayAndTheMostRaced) {
    const std::string page = homePage("2026-12-09", 48213, {{48213, 40}, {0, 12}, {7, 12}});
    EXPECT_NE(page.find("Circuit of the day, 2026-12-09"), std::string::npos);
    EXPECT_NE(page.find("<a href=\"/circuits/48213\">circuit 48213</a>"), std::string::npos);
    EXPECT_NE(page.find("<code>zentrix --track 48213 --time-trial</code>"), std::string::npos);
    const std::string table = tableOf(page, "most-raced");
    EXPECT_EQ(bodyRowsOf(table), 3u);
    const size_t first =
        table.find("/circuits/48213\">circuit 48213</a></td><td class=\"rank\">40");
    const size_t second = table.find("/circuits/0\">classic</a></td><td class=\"rank\">12");
    const size_t third = table.find("/circuits/7\">circuit 7</a></td><td class=\"rank\">12");
    ASSERT_NE(first, std::string::npos);
    ASSERT_NE(second, std::string::npos);
    ASSERT_NE(third, std::string::npos);
    EXPECT_LT(first, second);
    EXPECT_LT(second, third);
    EXPECT_TRUE(tableOf(homePage("2026-12-09", 0, {}), "most-raced").empty());
}

TEST_F(BoardPages, PlayerPageListsEachCircuitsBestWithItsRank) {
    std::vector<BoardEntry> bests = {entry(4, "Ada", 189867, 11), entry(1, "Ada", 95000, 20)};
    bests[1].circuit = 0;
    const std::string page = playerPage("Ada", bests);
    const std::string table = tableOf(page, "bests");
    EXPECT_EQ(bodyRowsOf(table), 2u);
    const size_t first = table.find(
        "<td><a href=\"/circuits/7\">circuit 7</a></td><td class=\"rank\">4</td>"
        "<td class=\"time\">3:09.867</td>");
    const size_t second = table.find(
        "<td><a href=\"/circuits/0\">classic</a></td><td class=\"rank\">1</td>"
        "<td class=\"time\">1:35.000</td>");
    ASSERT_NE(first, std::string::npos);
    ASSERT_NE(second, std::string::npos);
    EXPECT_LT(first, second);
    EXPECT_NE(table.find("/api/v1/runs/20.zxr"), std::string::npos);
    EXPECT_TRUE(tableOf(playerPage("Ada", {}), "bests").empty());
    EXPECT_NE(playerPage("Ada", {}).find("No runs kept"), std::string::npos);
}

}  // namespace

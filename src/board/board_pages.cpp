#include "board/board_pages.h"

#include "track/track.h"

namespace {
// Dark and plain; tables of times read in columns, so the figures are tabular.
const char* const STYLE = R"(
body { margin: 0; background: #15171c; color: #e4e6eb; font: 16px/1.5 sans-serif; }
header, main { max-width: 1100px; margin: 0 auto; padding: 0 24px; }
header { padding-top: 16px; padding-bottom: 8px; border-bottom: 1px solid #2c3038; }
header a { color: #e4e6eb; font-weight: bold; text-decoration: none; }
h1 { font-size: 28px; margin: 20px 0 8px; }
h2 { font-size: 20px; margin: 24px 0 8px; }
a { color: #7cb7ff; }
code { background: #23262e; padding: 2px 6px; border-radius: 4px; font-size: 15px; }
.circuit { display: flex; flex-wrap: wrap; gap: 8px 32px; align-items: flex-start; }
.circuit-map { flex: 0 1 480px; }
.circuit-map svg { display: block; width: 100%; max-width: 480px; height: auto;
  border-radius: 6px; }
.circuit-facts p { margin: 0 0 12px; }
.pilot { color: #f0c674; }
table { border-collapse: collapse; margin: 8px 0 16px; }
th, td { padding: 6px 12px; text-align: left; white-space: nowrap; }
th { color: #9aa0ab; font-weight: normal; border-bottom: 1px solid #3a3f49; }
tbody tr:nth-child(even) { background: #1c1f26; }
td.time, td.gap, td.rank, th.num { text-align: right; font-variant-numeric: tabular-nums; }
td.gap { color: #9aa0ab; }
.paging a { margin-right: 16px; }
.empty, .note { color: #9aa0ab; }
)";

std::string page(const std::string& title, const std::string& body) {
    return "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
           "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
           "<title>" +
           title + "</title>\n<style>" + STYLE +
           "</style>\n</head>\n<body>\n"
           "<header><a href=\"/\">Zentrix world board</a></header>\n<main>\n" +
           body + "</main>\n</body>\n</html>\n";
}

std::string circuitLink(uint32_t circuit) {
    return "<a href=\"/circuits/" + std::to_string(circuit) + "\">" +
           htmlEscaped(circuitName(circuit)) + "</a>";
}

std::string playerLink(const std::string& player) {
    return "<a href=\"/players/" + urlSegment(player) + "\">" + htmlEscaped(player) + "</a>";
}

std::string raceCommand(uint32_t circuit) {
    return "<code>zentrix --track " + std::to_string(circuit) + " --time-trial</code>";
}

std::string timeCell(uint32_t ms) {
    return "<td class=\"time\">" + raceTimeText(ms) + "</td>";
}

// "2026-12-09T14:03:07Z" reads "2026-12-09 14:03:07"; anything else as sent.
std::string submittedText(const std::string& submitted) {
    const bool utc = submitted.size() == 20 && submitted[10] == 'T' && submitted[19] == 'Z' &&
                     submitted.find_first_not_of("0123456789-:TZ") == std::string::npos;
    if (!utc) {
        return htmlEscaped(submitted);
    }
    return "<time datetime=\"" + submitted + "\">" + submitted.substr(0, 10) + " " +
           submitted.substr(11, 8) + "</time>";
}

// The cells both boards share, from the race time to the submission.
std::string runCells(const BoardEntry& entry, std::optional<uint32_t> pilotMs) {
    std::string cells = timeCell(entry.raceMs);
    if (pilotMs) {
        cells += "<td class=\"gap\">" + gapText(entry.raceMs, *pilotMs) + "</td>";
    }
    for (const uint32_t lap : entry.lapMs) {
        cells += timeCell(lap);
    }
    cells += "<td><a href=\"/api/v1/runs/" + std::to_string(entry.run) +
             ".zxr\" download>replay</a></td>";
    cells += "<td>" + htmlEscaped(entry.gameVersion) + "</td>";
    cells += "<td>" + submittedText(entry.submitted) + "</td>";
    return cells;
}

std::string runHeadings(bool withGap) {
    return std::string("<th class=\"num\">Time</th>") +
           (withGap ? "<th class=\"num\">vs pilot</th>" : "") +
           "<th class=\"num\">Lap 1</th><th class=\"num\">Lap 2</th><th class=\"num\">Lap "
           "3</th><th>Replay</th><th>Version</th><th>Submitted (UTC)</th>";
}

// An SVG document shown inside a page loses its XML declaration.
std::string inlineSvg(const std::string& svg) {
    size_t start = svg.find_first_not_of(" \t\r\n");
    if (start != std::string::npos && svg.compare(start, 5, "<?xml") == 0) {
        const size_t end = svg.find("?>", start);
        start = end == std::string::npos ? std::string::npos
                                         : svg.find_first_not_of(" \t\r\n", end + 2);
    }
    return start == std::string::npos ? std::string() : svg.substr(start);
}

std::string pageLink(uint32_t circuit, uint64_t offset, uint32_t limit, const char* rel,
                     const char* text) {
    return "<a rel=\"" + std::string(rel) + "\" href=\"/circuits/" + std::to_string(circuit) +
           "?offset=" + std::to_string(offset) + "&amp;limit=" + std::to_string(limit) + "\">" +
           text + "</a>";
}

std::string pagingLinks(uint32_t circuit, const BoardPage& board, uint32_t offset, uint32_t limit) {
    const uint64_t shownEnd = uint64_t{offset} + board.entries.size();
    const bool previous = offset > 0 && limit > 0;
    const bool next = limit > 0 && uint64_t{offset} + limit < board.total;
    if (!previous && !next) {
        return "";
    }
    std::string links = "<p class=\"paging\">";
    if (previous) {
        uint64_t back = offset > limit ? offset - limit : 0;
        if (back >= board.total) {
            // Asked for past the end: back is the last page there is.
            back = board.total == 0 ? 0 : uint64_t{(board.total - 1) / limit} * limit;
        }
        links += pageLink(circuit, back, limit, "prev", "&larr; previous");
    }
    if (next) {
        links += pageLink(circuit, uint64_t{offset} + limit, limit, "next", "next &rarr;");
    }
    if (!board.entries.empty()) {
        links += "<span class=\"note\">" + std::to_string(offset + 1) + "&ndash;" +
                 std::to_string(shownEnd) + " of " + std::to_string(board.total) + "</span>";
    }
    return links + "</p>\n";
}
}  // namespace

std::string homePage(const std::string& todayDate, uint32_t todayCircuit,
                     const std::vector<RacedCircuit>& mostRaced) {
    std::string body =
        "<h1>Zentrix world board</h1>\n"
        "<p class=\"note\">Three-lap time trials, raced again by the board and "
        "ranked per circuit.</p>\n"
        "<h2>Circuit of the day, " +
        htmlEscaped(todayDate) + "</h2>\n<p>" + circuitLink(todayCircuit) +
        " &mdash; race it with " + raceCommand(todayCircuit) + "</p>\n" + "<h2>Most raced</h2>\n";
    if (mostRaced.empty()) {
        return page("Zentrix world board", body + "<p class=\"empty\">No runs kept yet.</p>\n");
    }
    body +=
        "<table id=\"most-raced\">\n<thead><tr><th>Circuit</th><th "
        "class=\"num\">Runs</th></tr></thead>\n"
        "<tbody>\n";
    for (const RacedCircuit& raced : mostRaced) {
        body += "<tr><td>" + circuitLink(raced.circuit) + "</td><td class=\"rank\">" +
                std::to_string(raced.runs) + "</td></tr>\n";
    }
    return page("Zentrix world board", body + "</tbody>\n</table>\n");
}

std::string circuitPage(uint32_t circuit, const std::string& mapSvg, const BoardPage& board,
                        std::optional<uint32_t> pilotMs, uint32_t offset, uint32_t limit) {
    const std::string name = htmlEscaped(circuitName(circuit));
    std::string body = "<h1>" + name + "</h1>\n";
    const std::string svg = inlineSvg(mapSvg);
    body += "<div class=\"circuit\">\n";
    if (!svg.empty()) {
        body += "<div id=\"map\" class=\"circuit-map\">\n" + svg + "</div>\n";
    }
    body += "<div class=\"circuit-facts\">\n<p>Race it: " + raceCommand(circuit) + "</p>\n";
    body += "<p class=\"pilot\">" +
            (pilotMs ? "pilot " + raceTimeText(*pilotMs) : std::string("pilot: not yet known")) +
            "</p>\n<p class=\"note\">" + std::to_string(board.total) +
            (board.total == 1 ? " player" : " players") + " on the board</p>\n</div>\n</div>\n";
    body +=
        "<h2>Board</h2>\n<table id=\"board\">\n<thead><tr><th "
        "class=\"num\">Rank</th><th>Player</th>" +
        runHeadings(pilotMs.has_value()) + "</tr></thead>\n<tbody>\n";
    for (const BoardEntry& entry : board.entries) {
        body += "<tr><td class=\"rank\">" + std::to_string(entry.rank) + "</td><td>" +
                playerLink(entry.player) + "</td>" + runCells(entry, pilotMs) + "</tr>\n";
    }
    body += "</tbody>\n</table>\n";
    if (board.entries.empty()) {
        body += board.total == 0 ? "<p class=\"empty\">No runs kept on this circuit yet.</p>\n"
                                 : "<p class=\"empty\">No runs this far down the board.</p>\n";
    }
    body += pagingLinks(circuit, board, offset, limit);
    return page("Zentrix board &mdash; " + name, body);
}

std::string playerPage(const std::string& player, const std::vector<BoardEntry>& bests) {
    const std::string name = htmlEscaped(player);
    std::string body = "<h1>" + name + "</h1>\n";
    if (bests.empty()) {
        body += "<p class=\"empty\">No runs kept under this name.</p>\n";
        return page("Zentrix board &mdash; " + name, body);
    }
    body += "<p class=\"note\">Best run on each circuit raced, with its rank there.</p>\n";
    body += "<table id=\"bests\">\n<thead><tr><th>Circuit</th><th class=\"num\">Rank</th>" +
            runHeadings(false) + "</tr></thead>\n<tbody>\n";
    for (const BoardEntry& best : bests) {
        body += "<tr><td>" + circuitLink(best.circuit) + "</td><td class=\"rank\">" +
                std::to_string(best.rank) + "</td>" + runCells(best, std::nullopt) + "</tr>\n";
    }
    return page("Zentrix board &mdash; " + name, body + "</tbody>\n</table>\n");
}

std::string notFoundPage(const std::string& what) {
    return page("Zentrix board &mdash; not found",
                "<h1>Not found</h1>\n<p>Not on the board: " + htmlEscaped(what) +
                    "</p>\n<p><a href=\"/\">Back to the board</a></p>\n");
}

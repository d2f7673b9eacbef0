#include "menu/world_page_items.h"

#include "saves/medals.h"
#include "saves/player_name.h"
#include "world/board_answers.h"

namespace {
// Select on a row with no run to race does nothing.
std::function<void()> raceOf(const WorldPage& page, size_t row,
                             const std::function<void(const Replay&)>& raceRun) {
    if (row >= page.runs.size() || !page.runs[row]) {
        return [] {};
    }
    return [run = page.runs[row], raceRun] { raceRun(*run); };
}

std::string runsText(uint32_t total) {
    return total == 1 ? "1 run" : std::to_string(total) + " runs";
}
}  // namespace

std::vector<MenuItem> worldPageItems(const WorldPage& page,
                                     const std::function<void(const Replay&)>& raceRun) {
    std::vector<MenuItem> items;
    switch (page.state) {
        case WorldPage::State::Off:
            return items;
        case WorldPage::State::Waiting:
            items.push_back({"World", "...", [] {}, nullptr});
            return items;
        case WorldPage::State::Offline:
            items.push_back({"World", shownText(page.problem), [] {}, nullptr});
            return items;
        case WorldPage::State::Shown:
            break;
    }
    const std::vector<WorldRow>& rows = page.board.rows;
    items.push_back(
        {"World", rows.empty() ? "no runs yet" : runsText(page.board.total), [] {}, nullptr});
    if (!rows.empty() && !page.runs.empty() && page.runs[0]) {
        items.push_back(
            {"Race the world record",
             shownText(rows[0].player, PLAYER_NAME_MAX) + " " + medalTimeText(rows[0].raceMs),
             raceOf(page, 0, raceRun), nullptr});
    }
    for (size_t i = 0; i < rows.size() && i < WORLD_ROWS_SHOWN; ++i) {
        items.push_back(
            {std::to_string(rows[i].rank) + ". " + shownText(rows[i].player, PLAYER_NAME_MAX),
             medalTimeText(rows[i].raceMs), raceOf(page, i, raceRun), nullptr});
    }
    if (page.playerRank) {
        items.push_back({"Your rank", ordinal(*page.playerRank), [] {}, nullptr});
    }
    return items;
}

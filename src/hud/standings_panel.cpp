#include "hud/standings_panel.h"

#include <cstdio>

#include "hud/overlay.h"
#include "track/track.h"

namespace {
// The player white, each opponent in the colour of its craft and map dot.
ColorCode driverColor(int driver) {
    // The blue craft's row is a lighter blue: dark blue text sinks into the shade.
    return driver == 0 ? COLOR_WHITE : driver == 1 ? COLOR_SKY_BLUE : COLOR_BLUE + (driver - 1);
}

std::string upper(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return text;
}
}  // namespace

std::vector<PanelLine> standingsPanelLines(const StandingsPanel& panel) {
    const bool over = panel.racesRun >= SEASON_RACES;
    std::vector<PanelLine> lines;
    lines.push_back({std::string(over ? "FINAL STANDINGS - " : "STANDINGS - ") + "CHAMPIONSHIP " +
                         std::to_string(panel.championship) + " - " +
                         upper(difficultyName(panel.difficulty)),
                     COLOR_WHITE});
    lines.push_back({"race " + std::to_string(panel.racesRun) + " of " +
                         std::to_string(SEASON_RACES) + ": " + circuitName(panel.circuit),
                     COLOR_LIGHT_GREY});
    lines.push_back({"    driver  points  last race", COLOR_GREY});
    const std::array<int, SEASON_DRIVERS> order = standingsOrder(panel.points, panel.lastPlaces);
    for (int row = 0; row < SEASON_DRIVERS; ++row) {
        const int driver = order[row];
        char text[64];
        std::snprintf(text, sizeof text, "%d   %-7s %6u  %s", row + 1, driverName(driver),
                      panel.points[driver], placeName(panel.lastPlaces[driver]));
        lines.push_back({text, driverColor(driver)});
    }
    if (over) {
        lines.push_back({std::string("You are ") +
                             placeName(playerStandingsPlace(panel.points, panel.lastPlaces)) +
                             " of 6",
                         COLOR_YELLOW});
    }
    lines.push_back(
        {over ? "Enter or A race on - Esc quit" : "Enter or A next race - Esc quit", COLOR_GREY});
    return lines;
}

void drawStandingsPanel(const StandingsPanel& panel) {
    const std::vector<PanelLine> lines = standingsPanelLines(panel);
    const OverlayRect box = linesPanelBox(lines);
    drawLinesPanelAt(lines, box.left, box.top);
}

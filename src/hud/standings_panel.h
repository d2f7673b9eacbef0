#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "hud/finish_panel.h"
#include "race/championship_rules.h"
#include "saves/difficulty.h"

// What the standings tell between a season's races and after its last.
struct StandingsPanel {
    uint32_t championship = 0;
    Difficulty difficulty = Difficulty::Normal;
    int racesRun = 1;      // 1 to 4; 4 shows the final standings
    uint32_t circuit = 0;  // the circuit of the race just run
    SeasonPoints points{};
    SeasonPlaces lastPlaces{};
};

// Top to bottom: the championship, the race just run, a row for each driver
// in standings order (place, name, points, its place in the last race) in
// its own colour, the player's place once it is over, and the keys.
std::vector<PanelLine> standingsPanelLines(const StandingsPanel& panel);

// Over the dimmed finish, where the finish panel hangs.
void drawStandingsPanel(const StandingsPanel& panel);

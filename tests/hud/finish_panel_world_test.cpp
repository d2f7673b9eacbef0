// The finish panel's world line: where the best stands on the board, or how
// its sending goes, in one line of the overlay font's own characters.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "hud/finish_panel.h"
#include "models/palette.h"

namespace {

FinishPanel timeTrial(std::optional<std::string> world) {
    FinishPanel panel;
    panel.mode = RaceMode::TimeTrial;
    panel.circuit = 7;
    panel.result.lapMs[0] = panel.result.lapMs[1] = panel.result.lapMs[2] = 60000;
    panel.result.raceMs = 180000;
    panel.result.bestLapMs = 60000;
    panel.newBestRace = true;
    panel.world = std::move(world);
    return panel;
}

TEST(FinishPanelWorld, TheBoardsWordIsOneLineBeforeTheKeys) {
    const struct {
        std::optional<std::string> world;
        std::optional<std::string> line;  // none: no world line
        ColorCode color;
    } cases[] = {
        {std::nullopt, std::nullopt, COLOR_WHITE},
        {std::string(), std::nullopt, COLOR_WHITE},
        {"world 12th of 340", "world 12th of 340", COLOR_WHITE},
        {"world 1st", "world 1st", COLOR_WHITE},
        {"sent", "world: sent", COLOR_LIGHT_GREY},
        {"board unreachable, will send later", "world: board unreachable, will send later",
         COLOR_LIGHT_GREY},
        {"refused: the name is taken", "world: refused: the name is taken", COLOR_LIGHT_GREY},
    };
    const size_t withoutWorld = finishPanelLines(timeTrial(std::nullopt)).size();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.world.value_or("(none)"));
        const std::vector<PanelLine> lines = finishPanelLines(timeTrial(c.world));
        EXPECT_EQ(lines.back().text, "R race again - N next circuit - Esc quit");
        if (!c.line) {
            EXPECT_EQ(lines.size(), withoutWorld);
            continue;
        }
        ASSERT_EQ(lines.size(), withoutWorld + 1);
        const PanelLine& world = lines[lines.size() - 2];
        EXPECT_EQ(world.text, *c.line);
        EXPECT_EQ(world.color, c.color);
        EXPECT_EQ(lines[lines.size() - 3].text, "NEW RECORD: best race!")
            << "after the records, as the news of them";
    }
}

}  // namespace

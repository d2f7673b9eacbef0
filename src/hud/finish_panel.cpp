#include "hud/finish_panel.h"

#include <algorithm>

#include "hud/ghost_gap.h"
#include "hud/overlay.h"
#include "models/palette.h"
#include "race/lap_clock.h"

namespace {
constexpr float GLYPH_ASCENT = 10.0f;  // from a line's top to its baseline, at Normal
constexpr float PANEL_OPACITY = 0.7f;
// The labels take this many characters, so the times line up in one column.
constexpr size_t LABEL_WIDTH = 10;

// The clock's own reading, without the newline that ends it.
std::string timeText(uint32_t ms) {
    std::string text = clockText(ms);
    text.erase(std::remove(text.begin(), text.end(), '\n'), text.end());
    return text;
}

std::string timedLine(const std::string& label, uint32_t ms) {
    std::string line = label;
    line.resize(std::max(line.size(), LABEL_WIDTH), ' ');
    return line + timeText(ms);
}

std::string placeText(int32_t place) {
    static const char* const PLACES[] = {"1st", "2nd", "3rd", "4th", "5th", "6th"};
    if (place < 1 || place > 6) {
        return "FINISHED";
    }
    return std::string("FINISHED: ") + PLACES[place - 1] + " place";
}

std::string headline(const FinishPanel& panel) {
    return panel.mode == RaceMode::TimeTrial ? "FINISHED: time trial"
                                             : placeText(panel.result.place);
}

// The medal this time trial won, and the next one's time to aim at.
void addMedalLines(const FinishPanel& panel, std::vector<PanelLine>& lines) {
    if (panel.mode != RaceMode::TimeTrial || !panel.medals) {
        return;
    }
    const Medal won = medalEarned(*panel.medals, panel.result.raceMs);
    if (won == Medal::None) {
        lines.push_back({"no medal", COLOR_LIGHT_GREY});
    } else {
        std::string name = medalName(won);
        name[0] = static_cast<char>(name[0] - 'a' + 'A');
        lines.push_back({name + " medal!", COLOR_YELLOW});
    }
    if (const std::optional<Medal> next = nextMedal(won)) {
        lines.push_back({std::string("next: ") + medalName(*next) + " " +
                             medalTimeText(medalTimeMs(*panel.medals, *next)),
                         COLOR_LIGHT_GREY});
    }
}

// Where the best stands on the world board, or how its sending goes.
void addWorldLine(const FinishPanel& panel, std::vector<PanelLine>& lines) {
    if (!panel.world || panel.world->empty()) {
        return;
    }
    const std::string& said = *panel.world;
    if (said.rfind("world ", 0) == 0) {
        lines.push_back({said, COLOR_WHITE});
    } else {
        lines.push_back({"world: " + said, COLOR_LIGHT_GREY});
    }
}

std::string recordText(const FinishPanel& panel) {
    if (panel.newBestLap && panel.newBestRace) {
        return "NEW RECORDS: best lap and race!";
    }
    return panel.newBestLap ? "NEW RECORD: best lap!" : "NEW RECORD: best race!";
}
}  // namespace

std::vector<PanelLine> finishPanelLines(const FinishPanel& panel) {
    const RaceResult& result = panel.result;
    std::vector<PanelLine> lines;
    lines.push_back({headline(panel), COLOR_WHITE});
    lines.push_back({panel.mode == RaceMode::TimeTrial
                         ? circuitName(panel.circuit)
                         : circuitName(panel.circuit) + " - " + difficultyName(panel.difficulty),
                     COLOR_LIGHT_GREY});
    for (int lap = 0; lap < 3; ++lap) {
        lines.push_back(
            {timedLine("lap " + std::to_string(lap + 1), result.lapMs[lap]), COLOR_LIGHT_GREY});
    }
    lines.push_back({timedLine("best lap", result.bestLapMs), COLOR_WHITE});
    lines.push_back({timedLine("race", result.raceMs), COLOR_WHITE});
    if (panel.ghostGapMs) {
        std::string label = "ghost";
        label.resize(LABEL_WIDTH, ' ');
        lines.push_back(
            {label + ghostGapText(*panel.ghostGapMs), ghostGapColor(*panel.ghostGapMs)});
    }
    addMedalLines(panel, lines);
    if (panel.newBestLap || panel.newBestRace) {
        lines.push_back({recordText(panel), COLOR_YELLOW});
    }
    addWorldLine(panel, lines);
    const char* replayKeys = panel.escBackToRacing ? "R restart - B back 10 s - Esc back to racing"
                                                   : "R restart - B back 10 s - Esc quit";
    lines.push_back(
        {panel.replay ? replayKeys : "R race again - N next circuit - Esc quit", COLOR_GREY});
    return lines;
}

namespace {
// The margin grows less than the text, so the huge panel still ends above the
// track map and the clock.
float paddingAt(float scale) {
    return 12.0f + 6.0f * scale;
}

float widestOf(const std::vector<PanelLine>& lines) {
    float widest = 0.0f;
    for (const PanelLine& line : lines) {
        widest = std::max(widest, overlayTextWidth(line.text));
    }
    return widest;
}
}  // namespace

OverlayRect linesPanelBox(const std::vector<PanelLine>& lines) {
    const float padding = paddingAt(overlayScale());
    const float width = widestOf(lines) + 2.0f * padding;
    const float height = overlayLineHeight() * static_cast<float>(lines.size()) + 2.0f * padding;
    const float left = (overlayCanvas().width - width) / 2.0f;
    return {left, FINISH_PANEL_TOP, left + width, FINISH_PANEL_TOP + height};
}

OverlayRect finishPanelBox(const FinishPanel& panel) {
    return linesPanelBox(finishPanelLines(panel));
}

void drawFinishPanel(const FinishPanel& panel) {
    const OverlayRect box = finishPanelBox(panel);
    drawFinishPanelAt(panel, box.left, box.top);
}

void drawFinishPanelAt(const FinishPanel& panel, float boxLeft, float boxTop) {
    drawLinesPanelAt(finishPanelLines(panel), boxLeft, boxTop);
}

void drawLinesPanelAt(const std::vector<PanelLine>& lines, float boxLeft, float boxTop) {
    const float scale = overlayScale();
    const float padding = paddingAt(scale);
    const float left = boxLeft + padding;
    const float height = overlayLineHeight() * static_cast<float>(lines.size());
    beginOverlay();
    drawShade(boxLeft, boxTop, left + widestOf(lines) + padding, boxTop + height + 2.0f * padding,
              PANEL_OPACITY);
    float baseline = boxTop + padding + GLYPH_ASCENT * scale;
    for (const PanelLine& line : lines) {
        applyColor(line.color);
        printAt(left, baseline, "%s", line.text.c_str());
        baseline += overlayLineHeight();
    }
    endOverlay();
}

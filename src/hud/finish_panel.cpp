#include "hud/finish_panel.h"

#include <algorithm>

#include "hud/ghost_gap.h"
#include "hud/overlay.h"
#include "models/palette.h"
#include "race/lap_clock.h"

namespace {
// The panel hangs from here and grows down; the ghost's gap is above it.
constexpr float PANEL_TOP = 150.0f;
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
    lines.push_back({placeText(result.place), COLOR_WHITE});
    lines.push_back({circuitName(panel.circuit), COLOR_LIGHT_GREY});
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
    if (panel.newBestLap || panel.newBestRace) {
        lines.push_back({recordText(panel), COLOR_YELLOW});
    }
    lines.push_back({panel.replay ? "R restart - B back 10 s - Esc quit"
                                  : "R race again - N next circuit - Esc quit",
                     COLOR_GREY});
    return lines;
}

void drawFinishPanel(const FinishPanel& panel) {
    const std::vector<PanelLine> lines = finishPanelLines(panel);
    float widest = 0.0f;
    for (const PanelLine& line : lines) {
        widest = std::max(widest, overlayTextWidth(line.text));
    }
    const float scale = overlayScale();
    // The margin grows less than the text, so the huge panel still ends
    // above the track map and the clock.
    const float padding = 12.0f + 6.0f * scale;
    const float left = overlayCanvas().width / 2.0f - widest / 2.0f;
    const float height = overlayLineHeight() * static_cast<float>(lines.size());
    beginOverlay();
    drawShade(left - padding, PANEL_TOP, left + widest + padding,
              PANEL_TOP + height + 2.0f * padding, PANEL_OPACITY);
    float baseline = PANEL_TOP + padding + GLYPH_ASCENT * scale;
    for (const PanelLine& line : lines) {
        applyColor(line.color);
        printAt(left, baseline, "%s", line.text.c_str());
        baseline += overlayLineHeight();
    }
    endOverlay();
}

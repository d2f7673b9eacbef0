#pragma once

#include <optional>
#include <string>
#include <vector>

#include "hud/overlay_canvas.h"
#include "models/palette.h"
#include "race/race_result.h"
#include "saves/difficulty.h"
#include "saves/medals.h"
#include "saves/race_mode.h"
#include "track/track.h"

// What the finish panel tells: the race just run and the records it beat.
struct FinishPanel {
    RaceResult result;
    bool newBestLap = false;
    bool newBestRace = false;
    uint32_t circuit = CLASSIC_CIRCUIT;
    // The race's time less the ghost's, when a ghost flew.
    std::optional<int32_t> ghostGapMs;
    // A replay's end offers its own keys: there is no next race to run.
    bool replay = false;
    // The pilot's run watched from the menu: Esc goes back to racing.
    bool escBackToRacing = false;
    // A time trial takes no place: it tells the medal won and the next one's time.
    RaceMode mode = RaceMode::Race;
    std::optional<MedalTimes> medals;
    // A race names how hard its opponents raced.
    Difficulty difficulty = Difficulty::Normal;
    // A time trial's best on the world board, with a board chosen: "world
    // 12th of 340", "sent", "board unreachable, will send later" or the
    // board's reason; as it stands when the panel is drawn.
    std::optional<std::string> world;
};

struct PanelLine {
    std::string text;
    ColorCode color;
};

// The panel's lines, top to bottom. Plain 7-bit text: the overlay font has no
// other glyphs, so the choices are parted by " - ".
std::vector<PanelLine> finishPanelLines(const FinishPanel& panel);

// The panel hangs from here and grows down; the ghost's gap is above it.
constexpr float FINISH_PANEL_TOP = 150.0f;

// The panel in the upper middle of the picture, on a see-through dark box, so
// the craft and the opponents flying on stay in sight below and behind it.
void drawFinishPanel(const FinishPanel& panel);
// Its box there, at the text's size now.
OverlayRect finishPanelBox(const FinishPanel& panel);
// The panel with its box's top left corner here.
void drawFinishPanelAt(const FinishPanel& panel, float boxLeft, float boxTop);

// Any such panel of lines: its box where the finish panel hangs, and the
// lines drawn in it from its top left corner.
OverlayRect linesPanelBox(const std::vector<PanelLine>& lines);
void drawLinesPanelAt(const std::vector<PanelLine>& lines, float boxLeft, float boxTop);

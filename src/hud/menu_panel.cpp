#include "hud/menu_panel.h"

#include <GL/gl.h>

#include <algorithm>

#include "hud/overlay.h"
#include "models/palette.h"

namespace {
constexpr float MENU_DIMMING = 0.35f;
constexpr float MENU_PANEL_OPACITY = 0.7f;
constexpr float CHOSEN_LIGHT = 0.18f;  // a light band behind the chosen line
// In lines of the HUD's text, so the panel grows with it.
constexpr float PADDING_LINES = 1.0f;
constexpr float VALUE_GAP_CHARACTERS = 3.0f;
constexpr float ASCENT = 0.8f;  // of a line, from its top to the baseline

// The columns' widths: labels, values and second values.
struct Columns {
    float label = 0.0f;
    float value = 0.0f;
    float second = 0.0f;
    float gap = 0.0f;
    float width() const {
        return label + (value > 0.0f ? gap + value : 0.0f) + (second > 0.0f ? gap + second : 0.0f);
    }
};

Columns columnsOf(const MenuPanel& panel) {
    Columns columns;
    columns.gap = VALUE_GAP_CHARACTERS * overlayTextWidth(" ");
    columns.value = overlayTextWidth(panel.valueHeading);
    columns.second = overlayTextWidth(panel.secondHeading);
    for (const MenuPanel::Line& line : panel.lines) {
        columns.label = std::max(columns.label, overlayTextWidth(line.label));
        columns.value = std::max(columns.value, overlayTextWidth(line.value));
        columns.second = std::max(columns.second, overlayTextWidth(line.second));
    }
    return columns;
}

// A see-through white band, the one light thing on the dark panel.
void drawLightBand(const OverlayRect& box) {
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4f(1.0f, 1.0f, 1.0f, CHOSEN_LIGHT);
    glBegin(GL_QUADS);
    glVertex2f(box.left, box.top);
    glVertex2f(box.right, box.top);
    glVertex2f(box.right, box.bottom);
    glVertex2f(box.left, box.bottom);
    glEnd();
    glDisable(GL_BLEND);
}

void printLine(float left, float top, const std::string& text) {
    printAt(left, top + ASCENT * overlayLineHeight(), "%s", text.c_str());
}
}  // namespace

namespace {
// The text's width, without the padding.
float textWidthOf(const MenuPanel& panel) {
    return std::max({columnsOf(panel).width(), overlayTextWidth(panel.title),
                     overlayTextWidth(panel.note), overlayTextWidth(panel.hint)});
}
}  // namespace

OverlayRect menuPanelBox(const MenuPanel& panel) {
    const float line = overlayLineHeight();
    const float padding = PADDING_LINES * line;
    const float width = textWidthOf(panel) + 2.0f * padding;
    // The title, a gap, the lines, the note and the hint.
    const float height = line * (static_cast<float>(panel.lines.size()) + 4.0f) + 2.0f * padding;
    const OverlayCanvas& canvas = overlayCanvas();
    const float left = (canvas.width - width) / 2.0f;
    const float top = (canvas.height - height) / 2.0f;
    return {left, top, left + width, top + height};
}

void dimTheRace() {
    const OverlayCanvas& canvas = overlayCanvas();
    beginOverlay();
    drawShade(0.0f, 0.0f, canvas.width, canvas.height, MENU_DIMMING);
    endOverlay();
}

std::vector<OverlayRect> drawMenuPanel(const MenuPanel& panel) {
    dimTheRace();
    const OverlayRect box = menuPanelBox(panel);
    return drawMenuPanelAt(panel, box.left, box.top);
}

std::vector<OverlayRect> drawMenuPanelAt(const MenuPanel& panel, float boxLeft, float boxTop) {
    const float line = overlayLineHeight();
    const Columns columns = columnsOf(panel);
    const float width = textWidthOf(panel);
    const float padding = PADDING_LINES * line;
    const float height = line * (static_cast<float>(panel.lines.size()) + 4.0f);
    const float left = boxLeft + padding;
    const float top = boxTop + padding;

    beginOverlay();
    drawShade(boxLeft, boxTop, left + width + padding, top + height + padding, MENU_PANEL_OPACITY);
    applyColor(COLOR_WHITE);
    printLine(left + (width - overlayTextWidth(panel.title)) / 2.0f, top, panel.title);

    std::vector<OverlayRect> boxes;
    float y = top + 2.0f * line;
    const float valueLeft = left + columns.label + columns.gap;
    const float secondLeft = valueLeft + columns.value + columns.gap;
    applyColor(COLOR_GREY);
    printLine(valueLeft, top + line, panel.valueHeading);
    printLine(secondLeft, top + line, panel.secondHeading);
    for (size_t i = 0; i < panel.lines.size(); ++i) {
        const OverlayRect box{left - padding / 2.0f, y, left + width + padding / 2.0f, y + line};
        const bool chosen = static_cast<int>(i) == panel.chosen;
        if (chosen) {
            drawLightBand(box);
        }
        applyColor(chosen ? COLOR_YELLOW : COLOR_WHITE);
        printLine(left, y, panel.lines[i].label);
        applyColor(chosen ? COLOR_YELLOW : COLOR_LIGHT_GREY);
        printLine(valueLeft, y, panel.lines[i].value);
        printLine(secondLeft, y, panel.lines[i].second);
        boxes.push_back(box);
        y += line;
    }
    applyColor(COLOR_YELLOW);
    printLine(left, y, panel.note);
    applyColor(COLOR_GREY);
    printLine(left, y + line, panel.hint);
    endOverlay();
    return boxes;
}

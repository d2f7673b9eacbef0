#include "hud/panel_pair.h"

#include <algorithm>
#include <optional>

#include "hud/overlay.h"

namespace {
// Between the two, and in from the screen's sides.
constexpr float PAIR_GAP = 16.0f;
constexpr float SIDE_MARGIN = 16.0f;
// The track map's corner (its 192 units and their margin) and a gap above it.
constexpr float ROOM_BELOW = 208.0f + 8.0f;
// Smaller text no longer reads.
constexpr int SMALLEST_TEXT_PIXELS = 8;

float widthOf(const OverlayRect& box) {
    return box.right - box.left;
}

float heightOf(const OverlayRect& box) {
    return box.bottom - box.top;
}

OverlayRect movedTo(const OverlayRect& box, float left, float top) {
    return {left, top, left + widthOf(box), top + heightOf(box)};
}

// Both boxes placed in the room between the finish panel's top and the map,
// or nothing when they do not fit there at the text's size now.
std::optional<PanelPair> placedAtThisSize(const FinishPanel& finish, const MenuPanel& menu) {
    const OverlayCanvas& canvas = overlayCanvas();
    const OverlayRect f = finishPanelBox(finish);
    const OverlayRect m = menuPanelBox(menu);
    const float across = canvas.width - 2.0f * SIDE_MARGIN;
    const float down = canvas.height - ROOM_BELOW - FINISH_PANEL_TOP;
    PanelPair pair;
    pair.textPixels = overlayTextPixels();
    const float sideBySide = widthOf(f) + PAIR_GAP + widthOf(m);
    if (sideBySide <= across && std::max(heightOf(f), heightOf(m)) <= down) {
        const float left = (canvas.width - sideBySide) / 2.0f;
        pair.finish = movedTo(f, left, FINISH_PANEL_TOP);
        pair.menu = movedTo(m, left + widthOf(f) + PAIR_GAP, FINISH_PANEL_TOP);
        return pair;
    }
    if (std::max(widthOf(f), widthOf(m)) <= across &&
        heightOf(f) + PAIR_GAP + heightOf(m) <= down) {
        pair.finish = movedTo(f, (canvas.width - widthOf(f)) / 2.0f, FINISH_PANEL_TOP);
        pair.menu = movedTo(m, (canvas.width - widthOf(m)) / 2.0f, pair.finish.bottom + PAIR_GAP);
        return pair;
    }
    return std::nullopt;
}
}  // namespace

PanelPair placePanelPair(const FinishPanel& finish, const MenuPanel& menu) {
    for (int pixels = overlayTextPixels(); pixels >= SMALLEST_TEXT_PIXELS; --pixels) {
        const OverlayTextCap cap(pixels);
        if (const std::optional<PanelPair> pair = placedAtThisSize(finish, menu)) {
            return *pair;
        }
    }
    // A screen too small for both: the smallest text, the menu under the panel.
    const OverlayTextCap cap(SMALLEST_TEXT_PIXELS);
    PanelPair pair;
    pair.textPixels = overlayTextPixels();
    pair.finish = finishPanelBox(finish);
    const OverlayRect m = menuPanelBox(menu);
    pair.menu = movedTo(m, m.left, pair.finish.bottom + PAIR_GAP);
    return pair;
}

void drawPairedFinishPanel(const FinishPanel& finish, const PanelPair& pair) {
    const OverlayTextCap cap(pair.textPixels);
    drawFinishPanelAt(finish, pair.finish.left, pair.finish.top);
}

std::vector<OverlayRect> drawPairedMenuPanel(const MenuPanel& menu, const PanelPair& pair) {
    const OverlayTextCap cap(pair.textPixels);
    return drawMenuPanelAt(menu, pair.menu.left, pair.menu.top);
}

std::vector<OverlayRect> drawPanelPair(const FinishPanel& finish, const MenuPanel& menu) {
    const PanelPair pair = placePanelPair(finish, menu);
    dimTheRace();
    drawPairedFinishPanel(finish, pair);
    return drawPairedMenuPanel(menu, pair);
}

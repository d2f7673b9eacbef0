#pragma once

#include <vector>

#include "hud/finish_panel.h"
#include "hud/menu_panel.h"

// The pause menu over a finished race: the finish panel and the menu both
// whole, neither over the other nor over the corners' blocks. Side by side
// where the screen is wide enough, the menu under the panel where it is tall
// enough, and where it is neither, both in smaller text until they fit.
struct PanelPair {
    int textPixels = 0;  // the text's height in the screen's pixels
    OverlayRect finish;
    OverlayRect menu;
};

// Where the two go on the screen now, at the HUD's size or smaller.
PanelPair placePanelPair(const FinishPanel& finish, const MenuPanel& menu);

// The race dimmed and the two drawn where they go; returns where the menu's
// lines lie, for the mouse.
std::vector<OverlayRect> drawPanelPair(const FinishPanel& finish, const MenuPanel& menu);

// Either panel alone, as the pair places it.
void drawPairedFinishPanel(const FinishPanel& finish, const PanelPair& pair);
std::vector<OverlayRect> drawPairedMenuPanel(const MenuPanel& menu, const PanelPair& pair);

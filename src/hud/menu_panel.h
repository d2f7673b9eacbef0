#pragma once

#include <string>
#include <vector>

#include "hud/overlay_canvas.h"

// A page of the pause menu as drawn: its title, its lines (a label and, for
// a setting, its value), which line is chosen, a note under them and the
// hint at the foot. Every line must fit the picture at the huge HUD, where a
// character is 14 units wide: the panel keeps clear of the track map and the
// place digit when it is at most 600 units wide.
struct MenuPanel {
    struct Line {
        std::string label;
        std::string value;
        std::string second;  // a second column of values (a key's pad button)
    };
    std::string title;
    // Over the values and the second values, on the line under the title.
    std::string valueHeading;
    std::string secondHeading;
    std::vector<Line> lines;
    int chosen = 0;
    std::string note;
    std::string hint;
};

// The race dimmed, and the page on a dark panel in the middle of the
// picture at the HUD's size, the chosen line on a light band. Returns where
// each line lies, for the mouse.
std::vector<OverlayRect> drawMenuPanel(const MenuPanel& panel);
// The panel's box in the middle of the picture, at the text's size now.
OverlayRect menuPanelBox(const MenuPanel& panel);
// The race dimmed behind the menu.
void dimTheRace();
// The panel alone, with its box's top left corner here.
std::vector<OverlayRect> drawMenuPanelAt(const MenuPanel& panel, float boxLeft, float boxTop);

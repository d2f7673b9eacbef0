#pragma once

#include <string>
#include <vector>

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

// A rectangle of the overlay, in its units (origin top left).
struct OverlayRect {
    float left = 0.0f;
    float top = 0.0f;
    float right = 0.0f;
    float bottom = 0.0f;
};

// The race dimmed, and the page on a dark panel in the middle of the
// picture at the HUD's size, the chosen line on a light band. Returns where
// each line lies, for the mouse.
std::vector<OverlayRect> drawMenuPanel(const MenuPanel& panel);

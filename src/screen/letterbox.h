#pragma once

// A rectangle of window pixels, counted from the bottom left as OpenGL does.
struct ScreenRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool operator==(const ScreenRect& other) const {
        return x == other.x && y == other.y && width == other.width && height == other.height;
    }
};

// Where the 1024 x 768 picture goes in a window of the given size: as large as
// fits without changing its shape, centred, the rest left to black bars.
ScreenRect letterboxPicture(int windowWidth, int windowHeight);

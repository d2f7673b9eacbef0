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

// A point of the picture, in its own units (1024 x 768, origin top left).
struct PicturePoint {
    float x = 0.0f;
    float y = 0.0f;
};

// Where a point of a window of the given size (origin top left, as the mouse
// reports it) falls on the letterboxed picture; outside it on the bars.
PicturePoint picturePointOfWindow(int x, int y, int windowWidth, int windowHeight);

#include "screen/letterbox.h"

#include "screen/display.h"

ScreenRect letterboxPicture(int windowWidth, int windowHeight) {
    if (windowWidth <= 0 || windowHeight <= 0) {
        return {};
    }
    ScreenRect picture;
    // Compared in integers so a window of exactly the picture's shape gets no bar at all.
    const long wideness = static_cast<long>(windowWidth) * SCREEN_HEIGHT;
    const long tallness = static_cast<long>(windowHeight) * SCREEN_WIDTH;
    if (wideness > tallness) {
        picture.height = windowHeight;
        picture.width = static_cast<int>((tallness + SCREEN_HEIGHT / 2) / SCREEN_HEIGHT);
    } else {
        picture.width = windowWidth;
        picture.height = static_cast<int>((wideness + SCREEN_WIDTH / 2) / SCREEN_WIDTH);
    }
    picture.x = (windowWidth - picture.width) / 2;
    picture.y = (windowHeight - picture.height) / 2;
    return picture;
}

PicturePoint picturePointOfWindow(int x, int y, int windowWidth, int windowHeight) {
    const ScreenRect picture = letterboxPicture(windowWidth, windowHeight);
    if (picture.width <= 0 || picture.height <= 0) {
        return {-1.0f, -1.0f};
    }
    // The rectangle counts from the bottom; the mouse from the top.
    const int top = windowHeight - picture.y - picture.height;
    PicturePoint point;
    point.x = static_cast<float>(x - picture.x) * SCREEN_WIDTH / static_cast<float>(picture.width);
    point.y = static_cast<float>(y - top) * SCREEN_HEIGHT / static_cast<float>(picture.height);
    return point;
}

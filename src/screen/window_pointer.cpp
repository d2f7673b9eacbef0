#include "screen/window_pointer.h"

OverlayPoint overlayPointOfWindow(int x, int y, int windowWidth, int windowHeight,
                                  int drawableWidth, int drawableHeight) {
    if (windowWidth <= 0 || windowHeight <= 0) {
        return {-1.0f, -1.0f};
    }
    const float pixelX =
        static_cast<float>(x) * static_cast<float>(drawableWidth) / static_cast<float>(windowWidth);
    const float pixelY = static_cast<float>(y) * static_cast<float>(drawableHeight) /
                         static_cast<float>(windowHeight);
    return overlayPointOfPixel(pixelX, pixelY);
}

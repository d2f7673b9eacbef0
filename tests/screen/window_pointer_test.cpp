#include "screen/window_pointer.h"

#include <gtest/gtest.h>

#include "hud/overlay_canvas.h"

namespace {

struct PointerCase {
    const char* what;
    int windowWidth, windowHeight;
    int drawableWidth, drawableHeight;
    int x, y;
    float unitsX, unitsY;
};

TEST(WindowPointer, TheMousePointsAtTheOverlayWhereItIsDrawn) {
    const PointerCase cases[] = {
        {"the design's screen", 1024, 768, 1024, 768, 512, 384, 512.0f, 384.0f},
        {"a wide window is laid out to its edges", 1920, 1080, 1920, 1080, 1900, 1070,
         1900.0f / 1.40625f, 1070.0f / 1.40625f},
        {"a low window keeps a unit a pixel", 800, 600, 800, 600, 790, 590, 790.0f, 590.0f},
        {"HiDPI: twice the pixels under the window's points", 960, 540, 1920, 1080, 950, 535,
         1900.0f / 1.40625f, 1070.0f / 1.40625f},
    };
    for (const PointerCase& c : cases) {
        SCOPED_TRACE(c.what);
        setOverlayScreen(c.drawableWidth, c.drawableHeight);
        const OverlayPoint point = overlayPointOfWindow(c.x, c.y, c.windowWidth, c.windowHeight,
                                                        c.drawableWidth, c.drawableHeight);
        EXPECT_NEAR(point.x, c.unitsX, 0.01f);
        EXPECT_NEAR(point.y, c.unitsY, 0.01f);
    }
    // A window with no size points at nothing.
    EXPECT_LT(overlayPointOfWindow(5, 5, 0, 0, 0, 0).x, 0.0f);
    setOverlayScreen(1024, 768);
}

}  // namespace

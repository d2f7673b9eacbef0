// The race's view on every shape of screen: a wider one sees more to the
// sides and as much above and below; a narrower one as much to the sides and
// more above and below.
#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "render/projection.h"
#include "support/gl_test_window.h"

namespace {
constexpr double DEGREES = 3.14159265358979323846 / 180.0;

// Whether a point this far to the side and up, seen from the eye straight
// ahead, falls on a screen of the given size.
bool seen(int width, int height, double rightDegrees, double upDegrees) {
    setRaceViewShape(width, height);
    loadGameProjection();
    GLdouble projection[16];
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    const GLdouble identity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    const GLint viewport[4] = {0, 0, width, height};
    const double ahead = 1000.0;
    GLdouble x = 0, y = 0, z = 0;
    gluProject(ahead * std::tan(rightDegrees * DEGREES), ahead * std::tan(upDegrees * DEGREES),
               -ahead, identity, projection, viewport, &x, &y, &z);
    return x >= 0 && x < width && y >= 0 && y < height;
}

struct Shape {
    int width;
    int height;
    bool seesThirtyToTheSide;  // past the 4:3 view's 25.3 degrees
    bool seesTwentyOneUp;      // past the 4:3 view's 20 degrees
};

TEST(RaceView, WiderScreensSeeMoreToTheSidesAndNarrowerOnesMoreAboveAndBelow) {
    testsupport::GlTestWindow window;
    const Shape shapes[] = {
        {800, 600, false, false},  {1024, 768, false, false}, {1280, 720, true, false},
        {1280, 1024, false, true}, {1920, 1080, true, false}, {2560, 1080, true, false},
        {3440, 1440, true, false}, {3840, 2160, true, false}, {768, 1024, false, true},
    };
    for (const Shape& s : shapes) {
        SCOPED_TRACE(testing::Message() << s.width << " x " << s.height);
        // Every screen sees what the design's does.
        EXPECT_TRUE(seen(s.width, s.height, 25.0, 0.0));
        EXPECT_TRUE(seen(s.width, s.height, 0.0, 19.5));
        EXPECT_EQ(seen(s.width, s.height, 30.0, 0.0), s.seesThirtyToTheSide);
        EXPECT_EQ(seen(s.width, s.height, 0.0, 21.0), s.seesTwentyOneUp);
    }
    // 21:9 sees further round than 16:9.
    EXPECT_TRUE(seen(2560, 1080, 38.0, 0.0));
    EXPECT_FALSE(seen(1920, 1080, 38.0, 0.0));

    // On the design's own shape the projection is its very own.
    setRaceViewShape(1024, 768);
    loadGameProjection();
    std::array<GLdouble, 16> game{};
    glGetDoublev(GL_PROJECTION_MATRIX, game.data());
    glLoadIdentity();
    gluPerspective(40.0, 1.3, 1.0, 1900000.0);
    std::array<GLdouble, 16> design{};
    glGetDoublev(GL_PROJECTION_MATRIX, design.data());
    EXPECT_EQ(game, design);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

}  // namespace

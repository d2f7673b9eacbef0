#include "render/projection.h"

#include <GL/gl.h>
#include <GL/glu.h>

namespace {
constexpr double FIELD_OF_VIEW = 40.0;
constexpr double FIXED_ASPECT = 1.3;  // fixed, whatever the window's shape
constexpr double NEAR_PLANE = 1.0;
constexpr double FAR_PLANE = 1900000.0;
}  // namespace

void loadGameProjection() {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(FIELD_OF_VIEW, FIXED_ASPECT, NEAR_PLANE, FAR_PLANE);
}

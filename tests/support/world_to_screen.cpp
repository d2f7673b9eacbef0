#include "support/world_to_screen.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include "render/camera_view.h"
#include "render/projection.h"

namespace testsupport {

bool projectOnScreen(const Vector3& point, double* x, double* yFromTop) {
    GLdouble modelview[16];
    GLdouble projection[16];
    GLint viewport[4];
    loadGameProjection();
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    applyCamera();
    glGetDoublev(GL_MODELVIEW_MATRIX, modelview);
    glGetIntegerv(GL_VIEWPORT, viewport);
    GLdouble wx = 0, wy = 0, wz = 0;
    if (gluProject(point.x, point.y, point.z, modelview, projection, viewport, &wx, &wy, &wz) !=
        GL_TRUE) {
        return false;
    }
    *x = wx;
    *yFromTop = viewport[3] - 1 - wy;
    return wz > 0.0 && wz < 1.0;
}

}  // namespace testsupport

#include "render/projection.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>

namespace {
constexpr double FIELD_OF_VIEW = 40.0;
constexpr double DESIGN_ASPECT = 1.3;  // on a 4:3 screen
constexpr double NEAR_PLANE = 1.0;
constexpr double FAR_PLANE = 1900000.0;
constexpr double DEGREES_PER_RADIAN = 180.0 / 3.14159265358979323846;

RaceView gView = raceViewFor(1024, 768);
}  // namespace

RaceView raceViewFor(int width, int height) {
    RaceView view;
    if (width <= 0 || height <= 0 ||
        static_cast<long>(width) * 3 == static_cast<long>(height) * 4) {
        return view;  // the design's own, exactly
    }
    const double shape = static_cast<double>(width) / static_cast<double>(height);
    // The picture keeps the design's proportions: its aspect grows with the screen's.
    view.aspect = DESIGN_ASPECT * shape / (4.0 / 3.0);
    if (shape < 4.0 / 3.0) {
        const double halfHeight = std::tan(FIELD_OF_VIEW / 2.0 / DEGREES_PER_RADIAN);
        view.fieldOfView = 2.0 * std::atan(halfHeight * (4.0 / 3.0) / shape) * DEGREES_PER_RADIAN;
    }
    return view;
}

void setRaceViewShape(int width, int height) {
    gView = raceViewFor(width, height);
}

void loadGameProjection() {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(gView.fieldOfView, gView.aspect, NEAR_PLANE, FAR_PLANE);
}

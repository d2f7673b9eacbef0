#pragma once

#include "math/vector3.h"

namespace testsupport {

// Where a world point lands on the screen under the frame's own matrices (the
// race's projection and the player's camera, both left loaded), y from the
// top. False when the point lies outside the view's depth range.
bool projectOnScreen(const Vector3& point, double* x, double* yFromTop);

}  // namespace testsupport

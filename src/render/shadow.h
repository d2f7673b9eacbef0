#pragma once

#include "math/vector3.h"

// A soft dark patch on the road under a craft: a quad at height 0 that
// darkens what lies beneath it, halfExtent.x by halfExtent.z, turned about +y.
// Leaves blending at (one, one minus source alpha), lighting on, texturing
// off, depth test less and depth writes on.
void drawShadow(const Vector3& position, const Vector3& halfExtent, float angleDegrees);

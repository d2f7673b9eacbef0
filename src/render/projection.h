#pragma once

// The race's perspective: 40 degrees of view and a fixed 1.3 aspect, whatever
// the window's shape, out to beyond the sky box. Replaces the projection matrix.
void loadGameProjection();

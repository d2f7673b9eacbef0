#pragma once

#include "math/vector3.h"

class Track;

// Rebuilds the road and walls around a viewer at the given track parameter
// and draws them, with the start posts; nothing is kept between frames.
void drawTrack(const Track& track, const Vector3& viewer, double viewerLambda);

// One textured quad with texture corners (0,1), (0,0), (1,0), (1,1) on c1..c4.
// The caller binds the texture and sets the colour; texturing is off again after.
void drawTexturedQuad(Vector3 c1, Vector3 c2, Vector3 c3, Vector3 c4, Vector3 normal);

// A sphere at the current origin, coarser the further away it is seen.
void drawMarkerSphere(float distance, float radius);

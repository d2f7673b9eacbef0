#pragma once

#include <string>

#include "image.h"

namespace assetgen {

// The six faces of the sky box, named as the game's files are.
enum class SkyFace { Front, Right, Back, Left, Top, Bottom };

struct Vec3 {
    double x = 0, y = 0, z = 0;
};

const char* skyFaceName(SkyFace face);

// The point of the sky box's surface that texture coordinate (s, t) of a face
// lands on, in world units, following how the game lays its quads out.
Vec3 skyFacePoint(SkyFace face, double s, double t);

Image makeSkyFace(SkyFace face, int size);
Image makeRoad();
Image makeWall(bool rightSide);
Image makeFlare();
Image makeShadow();
Image makeDigit(int digit);

}  // namespace assetgen

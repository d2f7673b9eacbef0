#pragma once

#include <array>

// One corner of a sky face: position and texture coordinates.
struct SkyVertex {
    float x, y, z;
    float s, t;
};

struct SkyFace {
    int texture;  // index into gTextures
    std::array<SkyVertex, 4> corners;
};

// The six inside faces of the box centred on (x, y, z) with full extents
// width, height and length, in drawing order: back, front, bottom, top, left,
// right. Seen from inside, the four sides read left to right, none mirrored.
std::array<SkyFace, 6> skyboxFaces(float x, float y, float z, float width, float height,
                                   float length);

// Draws the box unlit behind everything already drawn: only pixels still at
// the cleared depth take the sky, and it writes no depth. Leaves lighting and
// depth testing on (less, with depth writes), texturing and face culling off.
void drawSkybox(float x, float y, float z, float width, float height, float length);

// The box the frame draws: it holds the whole track with a wide margin.
constexpr float SKYBOX_CENTRE_Y = 180000.0f;
constexpr float SKYBOX_WIDTH = 1800000.0f;
constexpr float SKYBOX_HEIGHT = 1200000.0f;
constexpr float SKYBOX_LENGTH = 1800000.0f;

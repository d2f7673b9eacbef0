#pragma once

#include <cstdint>
#include <vector>

#include "models/color3.h"

// Zero-based vertex indices of one triangle, in the file's order.
struct Face {
    int32_t a = 0;
    int32_t b = 0;
    int32_t c = 0;
};

struct Float3 {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
};

struct TexFace {
    float uv[6] = {0, 0, 0, 0, 0, 0};
};

// One part of the craft, in the game's axes (the file's (x, y, z) as (x, z, y)).
struct MeshObject {
    int32_t vertexCount = 0;
    std::vector<Float3> vertices;
    int32_t faceCount = 0;
    std::vector<Face> faces;
    std::vector<Float3> faceNormals;
    std::vector<Float3> cornerNormals;  // three per face: corners a, b, c
    Color3 color;
    int32_t texVertexCount = 0;
    std::vector<float> texVertices;  // u, v pairs
    int32_t texFaceCount = 0;
    std::vector<TexFace> texFaces;
    int32_t materialRef = 0;
};

#pragma once

#include <array>
#include <cmath>
#include <string>
#include <vector>

namespace assetgen {

struct V3 {
    double x = 0, y = 0, z = 0;
};

inline V3 operator+(V3 a, V3 b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
inline V3 operator-(V3 a, V3 b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
inline V3 operator*(V3 a, double s) {
    return {a.x * s, a.y * s, a.z * s};
}
inline double dot(V3 a, V3 b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
inline V3 cross(V3 a, V3 b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline double length(V3 a) {
    return std::sqrt(dot(a, a));
}
inline V3 normalized(V3 a) {
    double l = length(a);
    return l > 0 ? a * (1.0 / l) : V3{0, 0, 0};
}

struct Material {
    std::string name;
    double r, g, b;
};

struct Triangle {
    std::array<int, 3> corner;  // counter-clockwise seen from outside
    int smoothingGroup;         // faces of one group share their corner normals
};

// One part of the craft, as one object of the export.
struct Mesh {
    std::string name;
    int material = 0;
    std::vector<V3> vertices;
    std::vector<Triangle> faces;

    V3 faceNormal(const Triangle& f) const;
    // Per-corner normals: the area-weighted mean of the face normals of every
    // face in the same smoothing group that shares the corner's vertex.
    std::vector<std::array<V3, 3>> cornerNormals() const;
};

// A closed cross-section of a lofted part and the point it surrounds.
struct Ring {
    std::vector<V3> points;
    V3 centre;
};

enum class Shading { Smooth, FacetedAround };

// Joins consecutive rings with quads; the first ring is closed with a flat cap
// and the last ends at the apex (or with a flat cap when there is none).
// Thin blades are shaded FacetedAround: smooth along their span, but each strip
// round the section keeps its own normals, so top and bottom do not cancel at
// a sharp edge.
void addLoft(Mesh& mesh, const std::vector<Ring>& rings, bool capStart, const V3* apex,
             int smoothingGroup, Shading shading = Shading::Smooth);

}  // namespace assetgen

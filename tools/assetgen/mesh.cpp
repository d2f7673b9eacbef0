#include "mesh.h"

namespace assetgen {
namespace {

// Turns the face so its normal points away from inside.
void addOutward(Mesh& mesh, int a, int b, int c, V3 inside, int group) {
    V3 pa = mesh.vertices[a], pb = mesh.vertices[b], pc = mesh.vertices[c];
    V3 n = cross(pb - pa, pc - pa);
    V3 middle = (pa + pb + pc) * (1.0 / 3.0);
    if (dot(n, middle - inside) < 0) {
        std::swap(b, c);
    }
    mesh.faces.push_back({{a, b, c}, group});
}

int addVertex(Mesh& mesh, V3 p) {
    mesh.vertices.push_back(p);
    return static_cast<int>(mesh.vertices.size()) - 1;
}

void addCap(Mesh& mesh, const std::vector<int>& ring, V3 centre, V3 inside, int group) {
    int middle = addVertex(mesh, centre);
    int n = static_cast<int>(ring.size());
    for (int k = 0; k < n; ++k) {
        addOutward(mesh, middle, ring[k], ring[(k + 1) % n], inside, group);
    }
}

}  // namespace

V3 Mesh::faceNormal(const Triangle& f) const {
    V3 a = vertices[f.corner[0]], b = vertices[f.corner[1]], c = vertices[f.corner[2]];
    return normalized(cross(b - a, c - a));
}

std::vector<std::array<V3, 3>> Mesh::cornerNormals() const {
    std::vector<std::array<V3, 3>> result(faces.size());
    for (size_t i = 0; i < faces.size(); ++i) {
        for (int k = 0; k < 3; ++k) {
            int vertex = faces[i].corner[k];
            V3 sum{0, 0, 0};
            for (const Triangle& other : faces) {
                if (other.smoothingGroup != faces[i].smoothingGroup) {
                    continue;
                }
                for (int corner : other.corner) {
                    if (corner == vertex) {
                        V3 a = vertices[other.corner[0]];
                        V3 b = vertices[other.corner[1]];
                        V3 c = vertices[other.corner[2]];
                        sum = sum + cross(b - a, c - a);  // length is twice the area
                    }
                }
            }
            result[i][k] = normalized(sum);
        }
    }
    return result;
}

void addLoft(Mesh& mesh, const std::vector<Ring>& rings, bool capStart, const V3* apex,
             int smoothingGroup, Shading shading) {
    std::vector<std::vector<int>> indices;
    for (const Ring& ring : rings) {
        std::vector<int> row;
        for (V3 p : ring.points) {
            row.push_back(addVertex(mesh, p));
        }
        indices.push_back(row);
    }
    for (size_t i = 0; i + 1 < rings.size(); ++i) {
        V3 inside = (rings[i].centre + rings[i + 1].centre) * 0.5;
        int n = static_cast<int>(indices[i].size());
        for (int k = 0; k < n; ++k) {
            int a = indices[i][k], b = indices[i][(k + 1) % n];
            int c = indices[i + 1][(k + 1) % n], d = indices[i + 1][k];
            int group = shading == Shading::Smooth ? smoothingGroup : smoothingGroup + 2 + k;
            addOutward(mesh, a, b, c, inside, group);
            addOutward(mesh, a, c, d, inside, group);
        }
    }
    // Caps are flat, so they sit in their own smoothing group and keep a crisp rim.
    if (capStart) {
        addCap(mesh, indices.front(), rings.front().centre, rings[1].centre, smoothingGroup + 1);
    }
    const Ring& last = rings.back();
    V3 before = rings[rings.size() - 2].centre;
    if (apex) {
        int tip = addVertex(mesh, *apex);
        int n = static_cast<int>(indices.back().size());
        for (int k = 0; k < n; ++k) {
            addOutward(mesh, tip, indices.back()[k], indices.back()[(k + 1) % n], before,
                       smoothingGroup);
        }
    } else {
        addCap(mesh, indices.back(), last.centre, before, smoothingGroup + 1);
    }
}

}  // namespace assetgen

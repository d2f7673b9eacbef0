#include "models/ase_mesh.h"

#include <string>
#include <vector>

namespace {
// A vertex normal as listed, with the face normal it came after (-1 for none).
struct ListedNormal {
    int32_t vertex = 0;
    int32_t afterFace = -1;
    Float3 normal;
};

class MeshReader {
public:
    MeshReader(AseWalk& walk, MeshObject& object) : walk_(walk), object_(object) {}

    bool read() {
        return walk_.readBlock(
                   "*MESH", [this](const std::string& token) { return readCountFor(token); },
                   [this](const std::string& opener) { return readList(opener); }) &&
               checkCounts() && checkFaces() && resolveTexFaces() && resolveNormals();
    }

private:
    // The counts the mesh gives for its lists; other keywords are passed over.
    bool readCountFor(const std::string& token) {
        if (token == "*MESH_NUMVERTEX") {
            hasVertexCount_ = true;
            return walk_.readCount("*MESH_NUMVERTEX", leastEntryBytes("*MESH_VERTEX", 4),
                                   object_.vertexCount);
        }
        if (token == "*MESH_NUMFACES") {
            hasFaceCount_ = true;
            return walk_.readCount("*MESH_NUMFACES", leastEntryBytes("*MESH_FACE A: B: C:", 4),
                                   object_.faceCount);
        }
        if (token == "*MESH_NUMTVERTEX") {
            return walk_.readCount("*MESH_NUMTVERTEX", leastEntryBytes("*MESH_TVERT", 4),
                                   object_.texVertexCount);
        }
        if (token == "*MESH_NUMTVFACES") {
            return walk_.readCount("*MESH_NUMTVFACES", leastEntryBytes("*MESH_TFACE", 4),
                                   object_.texFaceCount);
        }
        return true;
    }

    bool readList(const std::string& opener) {
        if (opener == "*MESH_VERTEX_LIST") {
            return readEntries(opener, "*MESH_VERTEX", [this] {
                int32_t index = 0;
                Float3 v;
                if (!walk_.readInt("*MESH_VERTEX", index) ||
                    !walk_.readSwappedTriple("*MESH_VERTEX", v)) {
                    return false;
                }
                object_.vertices.push_back(v);
                return true;
            });
        }
        if (opener == "*MESH_FACE_LIST") {
            return readFaceList();
        }
        if (opener == "*MESH_TVERTLIST") {
            return readEntries(opener, "*MESH_TVERT", [this] {
                int32_t index = 0;
                float u = 0.0f;
                float v = 0.0f;
                double w = 0.0;  // never used
                if (!walk_.readInt("*MESH_TVERT", index) || !walk_.readFloat("*MESH_TVERT", u) ||
                    !walk_.readFloat("*MESH_TVERT", v) || !walk_.readFloat("*MESH_TVERT", w)) {
                    return false;
                }
                object_.texVertices.push_back(u);
                object_.texVertices.push_back(v);
                return true;
            });
        }
        if (opener == "*MESH_TFACELIST") {
            return readEntries(opener, "*MESH_TFACE", [this] {
                int32_t index = 0;
                if (!walk_.readInt("*MESH_TFACE", index)) {
                    return false;
                }
                for (int corner = 0; corner < 3; ++corner) {
                    if (!walk_.readInt("*MESH_TFACE", index)) {
                        return false;
                    }
                    texFaceCorners_.push_back(index);
                }
                return true;
            });
        }
        if (opener == "*MESH_NORMALS") {
            return readNormals();
        }
        // Colour vertices, extra mapping channels, animation: nothing the game draws.
        return walk_.skipBlock(opener);
    }

    // A list of entries that each start with keyword; anything else in it is
    // passed over. Entries are kept in the order they come, whatever their
    // own index says.
    template <typename ReadEntry>
    bool readEntries(const std::string& list, const char* keyword, ReadEntry readEntry) {
        return walk_.readBlock(
            list.c_str(), [&](const std::string& token) { return token != keyword || readEntry(); },
            [this](const std::string& opener) { return walk_.skipBlock(opener); });
    }

    bool readFaceList() {
        // The corners A:, B: and C: given so far for the face being read, as bits.
        int given = 7;
        const bool read = walk_.readBlock(
            "*MESH_FACE_LIST",
            [&](const std::string& token) {
                if (token == "*MESH_FACE") {
                    if (given != 7) {
                        return walk_.fail("a *MESH_FACE without all of A:, B: and C:");
                    }
                    object_.faces.emplace_back();
                    given = 0;
                    return true;
                }
                const int corner = token == "A:" ? 0 : token == "B:" ? 1 : token == "C:" ? 2 : -1;
                if (corner < 0) {
                    return true;
                }
                if (object_.faces.empty() || (given & (1 << corner)) != 0) {
                    return walk_.fail(token + " outside a *MESH_FACE of its own");
                }
                given |= 1 << corner;
                Face& face = object_.faces.back();
                int32_t& index = corner == 0 ? face.a : corner == 1 ? face.b : face.c;
                return walk_.readInt(token.c_str(), index);
            },
            [this](const std::string& opener) { return walk_.skipBlock(opener); });
        return read && (given == 7 || walk_.fail("a *MESH_FACE without all of A:, B: and C:"));
    }

    bool readNormals() {
        hasNormals_ = true;
        return walk_.readBlock(
            "*MESH_NORMALS",
            [this](const std::string& token) {
                if (token == "*MESH_FACENORMAL") {
                    int32_t index = 0;
                    Float3 normal;
                    if (!walk_.readInt("*MESH_FACENORMAL", index) ||
                        !walk_.readSwappedTriple("*MESH_FACENORMAL", normal)) {
                        return false;
                    }
                    object_.faceNormals.push_back(normal);
                } else if (token == "*MESH_VERTEXNORMAL") {
                    ListedNormal listed;
                    listed.afterFace = static_cast<int32_t>(object_.faceNormals.size()) - 1;
                    if (!walk_.readInt("*MESH_VERTEXNORMAL", listed.vertex) ||
                        !walk_.readSwappedTriple("*MESH_VERTEXNORMAL", listed.normal)) {
                        return false;
                    }
                    vertexNormals_.push_back(listed);
                }
                return true;
            },
            [this](const std::string& opener) { return walk_.skipBlock(opener); });
    }

    bool entriesMatch(const char* countKeyword, int32_t count, std::size_t entries,
                      const char* what) {
        if (entries == static_cast<std::size_t>(count)) {
            return true;
        }
        return walk_.fail(std::string(countKeyword) + " " + std::to_string(count) + " but " +
                          std::to_string(entries) + " " + what + " listed");
    }

    bool checkCounts() {
        if (!hasVertexCount_) {
            return walk_.fail("a *MESH without *MESH_NUMVERTEX");
        }
        if (!hasFaceCount_) {
            return walk_.fail("a *MESH without *MESH_NUMFACES");
        }
        return entriesMatch("*MESH_NUMVERTEX", object_.vertexCount, object_.vertices.size(),
                            "vertices") &&
               entriesMatch("*MESH_NUMFACES", object_.faceCount, object_.faces.size(), "faces") &&
               entriesMatch("*MESH_NUMTVERTEX", object_.texVertexCount,
                            object_.texVertices.size() / 2, "texture vertices") &&
               entriesMatch("*MESH_NUMTVFACES", object_.texFaceCount, texFaceCorners_.size() / 3,
                            "texture faces");
    }

    bool checkIndex(const char* what, int32_t index, int32_t limit) {
        if (index >= 0 && index < limit) {
            return true;
        }
        return walk_.fail(std::string(what) + " " + std::to_string(index) + " outside 0.." +
                          std::to_string(limit - 1));
    }

    bool checkFaces() {
        for (const Face& face : object_.faces) {
            if (!checkIndex("face corner A", face.a, object_.vertexCount) ||
                !checkIndex("face corner B", face.b, object_.vertexCount) ||
                !checkIndex("face corner C", face.c, object_.vertexCount)) {
                return false;
            }
        }
        return true;
    }

    bool resolveTexFaces() {
        object_.texFaces.resize(object_.texFaceCount);
        for (std::size_t k = 0; k < texFaceCorners_.size(); ++k) {
            const int32_t index = texFaceCorners_[k];
            if (!checkIndex("texture face index", index, object_.texVertexCount)) {
                return false;
            }
            // Copied by value: the face keeps its coordinates whatever happens to the list.
            TexFace& texFace = object_.texFaces[k / 3];
            texFace.uv[2 * (k % 3)] = object_.texVertices[2 * index];
            texFace.uv[2 * (k % 3) + 1] = object_.texVertices[2 * index + 1];
        }
        return true;
    }

    // Exporters list vertex normals two ways: three after each face normal,
    // one per corner (3ds Max, Blender, AC3D), or one per vertex after all the
    // face normals (Q3Map2). Each face keeps three corner normals either way.
    bool resolveNormals() {
        const std::size_t faces = object_.faces.size();
        if (faces == 0 && !hasNormals_) {
            return true;
        }
        if (!hasNormals_) {
            return walk_.fail("a *MESH without *MESH_NORMALS: the craft is lit by them");
        }
        if (!entriesMatch("*MESH_NUMFACES", object_.faceCount, object_.faceNormals.size(),
                          "face normals")) {
            return false;
        }
        object_.cornerNormals.resize(3 * faces);
        if (listedPerCorner()) {
            for (std::size_t k = 0; k < vertexNormals_.size(); ++k) {
                object_.cornerNormals[k] = vertexNormals_[k].normal;
            }
            return true;
        }
        std::vector<Float3> byVertex(object_.vertices.size());
        std::vector<bool> listed(object_.vertices.size(), false);
        for (const ListedNormal& n : vertexNormals_) {
            if (!checkIndex("*MESH_VERTEXNORMAL", n.vertex, object_.vertexCount)) {
                return false;
            }
            byVertex[n.vertex] = n.normal;
            listed[n.vertex] = true;
        }
        for (std::size_t j = 0; j < faces; ++j) {
            const Face& face = object_.faces[j];
            const int32_t corners[3] = {face.a, face.b, face.c};
            for (int k = 0; k < 3; ++k) {
                if (!listed[corners[k]]) {
                    return walk_.fail("vertex " + std::to_string(corners[k]) + " has no normal");
                }
                object_.cornerNormals[3 * j + k] = byVertex[corners[k]];
            }
        }
        return true;
    }

    bool listedPerCorner() const {
        if (vertexNormals_.size() != 3 * object_.faces.size()) {
            return false;
        }
        for (std::size_t k = 0; k < vertexNormals_.size(); ++k) {
            if (vertexNormals_[k].afterFace != static_cast<int32_t>(k / 3)) {
                return false;
            }
        }
        return true;
    }

    AseWalk& walk_;
    MeshObject& object_;
    bool hasVertexCount_ = false;
    bool hasFaceCount_ = false;
    bool hasNormals_ = false;
    std::vector<int32_t> texFaceCorners_;  // three per texture face, checked at the end
    std::vector<ListedNormal> vertexNormals_;
};
}  // namespace

bool readAseMesh(AseWalk& walk, MeshObject& object) {
    return MeshReader(walk, object).read();
}

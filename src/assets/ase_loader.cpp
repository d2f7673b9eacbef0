#include "assets/ase_loader.h"

#include <new>
#include <utility>

#include "app/platform.h"

namespace {
// The file is walked by searching forward for keywords, but never trusted:
// every search must find its keyword, every count must be possible for the
// file's size and every index must land inside its array.
class AseWalk {
public:
    AseWalk(TokenReader& reader, std::string* reason) : reader_(reader), reason_(reason) {}

    bool fail(const std::string& why) {
        if (reason_ != nullptr && reason_->empty()) {
            *reason_ = why;
        }
        return false;
    }

    bool skipTo(const char* keyword) {
        return reader_.skipTo(keyword) || fail(std::string("no ") + keyword);
    }

    // A count of entries, each of which takes more than one byte of the file.
    bool readCount(const char* what, int32_t& count) {
        count = reader_.readInt();
        if (reader_.ranOut()) {
            return fail(std::string("text ends before ") + what);
        }
        if (count < 0 || count > reader_.size()) {
            return fail(std::string("impossible ") + what + " " + std::to_string(count));
        }
        return true;
    }

    bool readIndex(const char* what, int32_t limit, int32_t& index) {
        index = reader_.readInt();
        if (reader_.ranOut()) {
            return fail(std::string("text ends before ") + what);
        }
        if (index < 0 || index >= limit) {
            return fail(std::string(what) + " " + std::to_string(index) + " outside 0.." +
                        std::to_string(limit - 1));
        }
        return true;
    }

    // The file's (x, y, z) in the game's axes: the export is Z-up, the game Y-up.
    Float3 readSwappedTriple() {
        Float3 v;
        v.x = static_cast<float>(reader_.readFloat());
        v.z = static_cast<float>(reader_.readFloat());
        v.y = static_cast<float>(reader_.readFloat());
        return v;
    }

    bool numbersRead(const char* what) {
        return !reader_.ranOut() || fail(std::string("text ends inside ") + what);
    }

    bool readObject(MeshObject& object, const std::vector<Color3>& materials);

    TokenReader& reader_;
    std::string* reason_;
};

bool AseWalk::readObject(MeshObject& object, const std::vector<Color3>& materials) {
    if (!skipTo("*NODE_NAME") || !skipTo("*MESH") || !skipTo("*MESH_NUMVERTEX") ||
        !readCount("vertex count", object.vertexCount) || !skipTo("*MESH_NUMFACES") ||
        !readCount("face count", object.faceCount)) {
        return false;
    }
    object.vertices.resize(object.vertexCount);
    object.faces.resize(object.faceCount);
    object.faceNormals.resize(object.faceCount);
    object.cornerNormals.resize(3 * static_cast<std::size_t>(object.faceCount));

    if (!skipTo("*MESH_VERTEX_LIST")) {
        return false;
    }
    for (Float3& vertex : object.vertices) {
        if (!skipTo("*MESH_VERTEX")) {
            return false;
        }
        reader_.readInt();
        vertex = readSwappedTriple();
        if (!numbersRead("*MESH_VERTEX")) {
            return false;
        }
    }

    if (!skipTo("*MESH_FACE_LIST")) {
        return false;
    }
    for (Face& face : object.faces) {
        if (!skipTo("A:") || !readIndex("face corner A", object.vertexCount, face.a) ||
            !skipTo("B:") || !readIndex("face corner B", object.vertexCount, face.b) ||
            !skipTo("C:") || !readIndex("face corner C", object.vertexCount, face.c)) {
            return false;
        }
    }

    if (!skipTo("*MESH_NUMTVERTEX") || !readCount("texture vertex count", object.texVertexCount)) {
        return false;
    }
    object.texVertices.resize(2 * static_cast<std::size_t>(object.texVertexCount));
    for (int32_t j = 0; j < object.texVertexCount; ++j) {
        if (!skipTo("*MESH_TVERT")) {
            return false;
        }
        reader_.readInt();
        object.texVertices[2 * j] = static_cast<float>(reader_.readFloat());
        object.texVertices[2 * j + 1] = static_cast<float>(reader_.readFloat());
        reader_.readFloat();  // w is never used
        if (!numbersRead("*MESH_TVERT")) {
            return false;
        }
    }

    if (!skipTo("*MESH_NUMTVFACES") || !readCount("texture face count", object.texFaceCount)) {
        return false;
    }
    object.texFaces.resize(object.texFaceCount);
    for (TexFace& texFace : object.texFaces) {
        if (!skipTo("*MESH_TFACE")) {
            return false;
        }
        reader_.readInt();
        for (int corner = 0; corner < 3; ++corner) {
            int32_t index = 0;
            if (!readIndex("texture face index", object.texVertexCount, index)) {
                return false;
            }
            // Copied by value: the face keeps its coordinates whatever happens to the list.
            texFace.uv[2 * corner] = object.texVertices[2 * index];
            texFace.uv[2 * corner + 1] = object.texVertices[2 * index + 1];
        }
    }

    if (!skipTo("*MESH_NORMALS")) {
        return false;
    }
    for (int32_t j = 0; j < object.faceCount; ++j) {
        if (!skipTo("*MESH_FACENORMAL")) {
            return false;
        }
        reader_.readInt();
        object.faceNormals[j] = readSwappedTriple();
        for (int corner = 0; corner < 3; ++corner) {
            if (!skipTo("*MESH_VERTEXNORMAL")) {
                return false;
            }
            reader_.readInt();
            object.cornerNormals[3 * j + corner] = readSwappedTriple();
        }
        if (!numbersRead("*MESH_NORMALS")) {
            return false;
        }
    }

    if (!skipTo("*MATERIAL_REF") ||
        !readIndex("*MATERIAL_REF", static_cast<int32_t>(materials.size()), object.materialRef)) {
        return false;
    }
    object.color = materials[object.materialRef];
    return true;
}
}  // namespace

bool loadAseFrom(Model& model, TokenReader& reader, std::string* reason) {
    model.objectCount = 0;
    model.objects.clear();
    AseWalk walk(reader, reason);
    try {
        int32_t materialCount = 0;
        if (!walk.skipTo("*MATERIAL_COUNT") || !walk.readCount("material count", materialCount)) {
            return false;
        }
        std::vector<Color3> materials(materialCount);
        for (Color3& material : materials) {
            if (!walk.skipTo("*MATERIAL")) {
                return false;
            }
            reader.readInt();
            if (!walk.skipTo("*MATERIAL_DIFFUSE")) {
                return false;
            }
            material = Color3(reader);
            if (!walk.numbersRead("*MATERIAL_DIFFUSE")) {
                return false;
            }
        }

        // Counted on the text as it stands: only what has been read so far is
        // upper-cased, so lower-case object keywords count as none.
        std::vector<MeshObject> objects(reader.countOccurrences("*GEOMOBJECT"));
        for (MeshObject& object : objects) {
            if (!walk.readObject(object, materials)) {
                return false;
            }
        }
        model.objects = std::move(objects);
        model.objectCount = static_cast<int32_t>(model.objects.size());
        return true;
    } catch (const std::bad_alloc&) {
        return walk.fail("out of memory");
    }
}

AseLoadResult tryLoadAse(Model& model, const std::string& path, std::string* reason) {
    TokenReader reader(path);
    if (!reader.opened()) {
        model.objectCount = 0;
        model.objects.clear();
        if (reason != nullptr) {
            *reason = "cannot open";
        }
        return AseLoadResult::Missing;
    }
    return loadAseFrom(model, reader, reason) ? AseLoadResult::Loaded : AseLoadResult::Damaged;
}

std::string missingModelMessage(const std::string& path) {
    return "The resource file " + path + " does not exist\n";
}

std::string damagedModelMessage(const std::string& path) {
    return "The resource file " + path + " is damaged\n";
}

void Model::loadAse(const std::string& path) {
    switch (tryLoadAse(*this, path)) {
        case AseLoadResult::Loaded:
            return;
        case AseLoadResult::Missing:
            showMessageBox(missingModelMessage(path).c_str(), "Error", BoxOwner::GameWindow,
                           BoxIcon::Error);
            break;
        case AseLoadResult::Damaged:
            showMessageBox(damagedModelMessage(path).c_str(), "Error", BoxOwner::GameWindow,
                           BoxIcon::Error);
            break;
    }
    endProgram(-1);
}

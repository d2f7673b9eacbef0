#include <cstddef>
#include <cstdint>
#include <string>

#include "models/ase_loader.h"

namespace {
void require(bool holds) {
    if (!holds) {
        __builtin_trap();
    }
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    TokenReader reader =
        TokenReader::fromText(std::string(reinterpret_cast<const char*>(data), size));
    Model model;
    std::string reason;
    if (!loadAseFrom(model, reader, &reason)) {
        // A refusal always says why and leaves nothing half-loaded behind.
        require(!reason.empty() && model.objects.empty() && model.objectCount == 0);
        return 0;
    }
    // Whatever loads must be safe to draw: every array as long as its count
    // says, every face inside its vertices, three corner normals per face.
    require(model.objectCount == static_cast<int32_t>(model.objects.size()));
    for (const MeshObject& object : model.objects) {
        require(object.vertices.size() == static_cast<std::size_t>(object.vertexCount));
        require(object.faces.size() == static_cast<std::size_t>(object.faceCount));
        require(object.faceNormals.size() == object.faces.size());
        require(object.cornerNormals.size() == 3 * object.faces.size());
        require(object.texVertices.size() == 2 * static_cast<std::size_t>(object.texVertexCount));
        require(object.texFaces.size() == static_cast<std::size_t>(object.texFaceCount));
        require(object.materialRef >= -1);
        for (const Face& face : object.faces) {
            for (const int32_t index : {face.a, face.b, face.c}) {
                require(index >= 0 && index < object.vertexCount);
            }
        }
    }
    return 0;
}

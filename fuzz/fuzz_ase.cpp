#include <cstddef>
#include <cstdint>
#include <string>

#include "assets/ase_loader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    TokenReader reader =
        TokenReader::fromText(std::string(reinterpret_cast<const char*>(data), size));
    Model model;
    if (!loadAseFrom(model, reader)) {
        return 0;
    }
    // Whatever loads must be safe to draw: every face inside its vertices.
    for (const MeshObject& object : model.objects) {
        for (const Face& face : object.faces) {
            for (const int32_t index : {face.a, face.b, face.c}) {
                if (index < 0 || index >= object.vertexCount) {
                    __builtin_trap();
                }
            }
        }
        if (object.cornerNormals.size() != 3 * object.faces.size()) {
            __builtin_trap();
        }
    }
    return 0;
}

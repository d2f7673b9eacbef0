#pragma once

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "models/model.h"

namespace testase {
// FNV-1a over every byte the loader stored, field by field in their order, so
// one changed float bit or one reordered face changes the print.
class ModelPrint {
public:
    template <typename T>
    void add(const T& value) {
        unsigned char bytes[sizeof(T)];
        std::memcpy(bytes, &value, sizeof(T));
        for (const unsigned char b : bytes) {
            hash_ = (hash_ ^ b) * 0x100000001b3ull;
        }
    }

    template <typename T>
    void addAll(const std::vector<T>& values) {
        add(static_cast<uint64_t>(values.size()));
        for (const T& value : values) {
            add(value);
        }
    }

    std::string hex() const {
        char text[17];
        std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash_));
        return text;
    }

private:
    uint64_t hash_ = 0xcbf29ce484222325ull;
};

inline std::string printOf(const Model& model) {
    ModelPrint print;
    print.add(model.objectCount);
    for (const MeshObject& object : model.objects) {
        print.add(object.vertexCount);
        for (const Float3& v : object.vertices) {
            print.add(v.x), print.add(v.y), print.add(v.z);
        }
        print.add(object.faceCount);
        for (const Face& f : object.faces) {
            print.add(f.a), print.add(f.b), print.add(f.c);
        }
        for (const Float3& n : object.faceNormals) {
            print.add(n.x), print.add(n.y), print.add(n.z);
        }
        for (const Float3& n : object.cornerNormals) {
            print.add(n.x), print.add(n.y), print.add(n.z);
        }
        print.add(object.color.r), print.add(object.color.g), print.add(object.color.b);
        print.add(object.texVertexCount);
        print.addAll(object.texVertices);
        print.add(object.texFaceCount);
        for (const TexFace& t : object.texFaces) {
            for (const float uv : t.uv) {
                print.add(uv);
            }
        }
        print.add(object.materialRef);
    }
    return print.hex();
}
}  // namespace testase

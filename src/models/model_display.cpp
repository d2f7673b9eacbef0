#include <GL/gl.h>

#include <cstddef>

#include "math/vector3.h"
#include "models/model.h"
#include "models/palette.h"

namespace {
// The craft's normals are turned by 90 radians, not degrees: that is the
// lighting the craft has always had.
constexpr double NORMAL_TURN = 90.0;
// The darkest shade a painted part takes, as a share of the paint.
constexpr float PAINT_DARKEST = 0.55f;

bool faceFits(const MeshObject& object, std::size_t j) {
    const Face& f = object.faces[j];
    const int32_t n = static_cast<int32_t>(object.vertices.size());
    return f.a >= 0 && f.a < n && f.b >= 0 && f.b < n && f.c >= 0 && f.c < n &&
           3 * j < object.cornerNormals.size();
}
}  // namespace

void Model::buildDisplayList(uint32_t name) {
    buildList(name, [](const MeshObject& object) {
        return Rgba{static_cast<float>(object.color.r), static_cast<float>(object.color.g),
                    static_cast<float>(object.color.b), 1.0f};
    });
}

void Model::buildDisplayList(uint32_t name, const Rgba& paint) {
    buildList(name, [&paint](const MeshObject& object) {
        const float light =
            static_cast<float>(object.color.r + object.color.g + object.color.b) / 3.0f;
        const float shade = PAINT_DARKEST + (1.0f - PAINT_DARKEST) * light;
        return Rgba{paint[0] * shade, paint[1] * shade, paint[2] * shade, 1.0f};
    });
}

void Model::buildList(uint32_t name, const std::function<Rgba(const MeshObject&)>& colourOf) {
    displayList = name;
    glNewList(name, GL_COMPILE);
    for (const MeshObject& object : objects) {
        const Rgba colour = colourOf(object);
        const float r = colour[0];
        const float g = colour[1];
        const float b = colour[2];
        glBegin(GL_TRIANGLES);
        for (std::size_t j = 0; j < object.faces.size(); ++j) {
            // A model filled by hand may not have passed the loader's checks.
            if (!faceFits(object, j)) {
                continue;
            }
            glColor4f(r, g, b, 1.0f);
            applyMaterialColor(r, g, b, 1.0f);
            const Float3& n = object.cornerNormals[3 * j];
            Vector3 normal(n.x, n.y, n.z);
            normal.rotateX(NORMAL_TURN);
            glNormal3f(static_cast<float>(normal.x), static_cast<float>(normal.y),
                       static_cast<float>(normal.z));
            // Corners go in reverse order, c, b, a.
            const Face& face = object.faces[j];
            for (const int32_t index : {face.c, face.b, face.a}) {
                const Float3& v = object.vertices[index];
                glVertex3f(v.x, v.y, v.z);
            }
        }
        glEnd();
    }
    glEndList();
}

void Model::drawModel() const {
    glCallList(displayList);
}

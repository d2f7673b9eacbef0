#include <gtest/gtest.h>

#include <set>
#include <sstream>

#include "ase_writer.h"
#include "craft_model.h"

using namespace assetgen;

namespace {

// Reads the export back the way the game does: by searching forward for each
// keyword in turn, upper-casing as it goes.
class KeywordReader {
public:
    explicit KeywordReader(const std::string& text) : words_(text) {}
    bool skipTo(const std::string& keyword) {
        std::string word;
        while (words_ >> word) {
            if (word == keyword) {
                return true;
            }
        }
        return false;
    }
    double number() {
        double v = 0;
        words_ >> v;
        return v;
    }

private:
    std::istringstream words_;
};

double signedVolume(const Mesh& mesh) {
    double volume = 0;
    for (const Triangle& f : mesh.faces) {
        V3 a = mesh.vertices[f.corner[0]], b = mesh.vertices[f.corner[1]],
           c = mesh.vertices[f.corner[2]];
        volume += dot(a, cross(b, c)) / 6;
    }
    return volume;
}

}  // namespace

TEST(Craft, IsASleekRacerOfSeveralPartsEachWithItsOwnMaterial) {
    CraftModel craft = makeCraft();
    ASSERT_GE(craft.parts.size(), 5u);
    std::set<int> materials;
    size_t triangles = 0;
    double minY = 1e9, maxY = -1e9;
    for (const Mesh& part : craft.parts) {
        materials.insert(part.material);
        ASSERT_LT(part.material, static_cast<int>(craft.materials.size()));
        triangles += part.faces.size();
        for (V3 v : part.vertices) {
            minY = std::min(minY, v.y);
            maxY = std::max(maxY, v.y);
        }
    }
    EXPECT_EQ(materials.size(), craft.parts.size());
    EXPECT_GE(triangles, 200u);
    EXPECT_LE(triangles, 1500u);
    EXPECT_NEAR(maxY - minY, 650, 30);
    EXPECT_DOUBLE_EQ(minY, -260);  // nothing sticks out behind the nozzles
}

TEST(Craft, EnginePodsEndAtTheNozzlesWhereTheGlowIsDrawn) {
    CraftModel craft = makeCraft();
    for (V3 nozzle : {LEFT_NOZZLE, RIGHT_NOZZLE}) {
        bool found = false;
        for (const Mesh& part : craft.parts) {
            double rearmost = 1e9;
            bool hasNozzle = false;
            for (V3 v : part.vertices) {
                rearmost = std::min(rearmost, v.y);
                hasNozzle = hasNozzle || (v.x == nozzle.x && v.y == nozzle.y && v.z == nozzle.z);
            }
            if (hasNozzle) {
                found = true;
                EXPECT_EQ(rearmost, nozzle.y) << part.name;
            }
        }
        EXPECT_TRUE(found) << nozzle.x;
    }
}

TEST(Craft, SurfacesFaceOutwardAndCornerNormalsAgreeWithTheirFaces) {
    for (const Mesh& part : makeCraft().parts) {
        // Closed parts wound counter-clockwise from outside enclose a positive volume.
        EXPECT_GT(signedVolume(part), 0) << part.name;
        std::vector<std::array<V3, 3>> corners = part.cornerNormals();
        for (size_t i = 0; i < part.faces.size(); ++i) {
            V3 face = part.faceNormal(part.faces[i]);
            EXPECT_NEAR(length(face), 1.0, 1e-9) << part.name << " face " << i;
            for (const V3& n : corners[i]) {
                EXPECT_NEAR(length(n), 1.0, 1e-9) << part.name;
                EXPECT_GT(dot(n, face), 0.0) << part.name << " face " << i;
            }
        }
    }
}

TEST(CraftExport, ReadsBackByKeywordSearchAsTheGameReadsIt) {
    CraftModel craft = makeCraft();
    std::string text = formatAse(craft);
    EXPECT_EQ(text.rfind("*3DSMAX_ASCIIEXPORT\t200\n", 0), 0u);

    KeywordReader reader(text);
    ASSERT_TRUE(reader.skipTo("*MATERIAL_COUNT"));
    ASSERT_EQ(reader.number(), craft.materials.size());
    for (const Material& m : craft.materials) {
        ASSERT_TRUE(reader.skipTo("*MATERIAL"));
        reader.number();
        ASSERT_TRUE(reader.skipTo("*MATERIAL_DIFFUSE"));
        EXPECT_NEAR(reader.number(), m.r, 1e-4);
        EXPECT_NEAR(reader.number(), m.g, 1e-4);
        EXPECT_NEAR(reader.number(), m.b, 1e-4);
    }
    for (const Mesh& part : craft.parts) {
        ASSERT_TRUE(reader.skipTo("*NODE_NAME"));
        ASSERT_TRUE(reader.skipTo("*MESH"));
        ASSERT_TRUE(reader.skipTo("*MESH_NUMVERTEX"));
        ASSERT_EQ(reader.number(), part.vertices.size());
        ASSERT_TRUE(reader.skipTo("*MESH_NUMFACES"));
        ASSERT_EQ(reader.number(), part.faces.size());
        for (V3 v : part.vertices) {
            ASSERT_TRUE(reader.skipTo("*MESH_VERTEX"));
            reader.number();
            EXPECT_NEAR(reader.number(), v.x, 1e-4);
            EXPECT_NEAR(reader.number(), v.y, 1e-4);
            EXPECT_NEAR(reader.number(), v.z, 1e-4);
        }
        for (const Triangle& f : part.faces) {
            for (const char* corner : {"A:", "B:", "C:"}) {
                ASSERT_TRUE(reader.skipTo(corner));
                EXPECT_EQ(reader.number(), f.corner[corner[0] - 'A']);
            }
        }
        ASSERT_TRUE(reader.skipTo("*MESH_NUMTVERTEX"));
        EXPECT_EQ(reader.number(), part.vertices.size());
        ASSERT_TRUE(reader.skipTo("*MESH_NUMTVFACES"));
        EXPECT_EQ(reader.number(), part.faces.size());
        ASSERT_TRUE(reader.skipTo("*MESH_NORMALS"));
        std::vector<std::array<V3, 3>> corners = part.cornerNormals();
        for (size_t i = 0; i < part.faces.size(); ++i) {
            ASSERT_TRUE(reader.skipTo("*MESH_FACENORMAL"));
            EXPECT_EQ(reader.number(), i);
            for (int k = 0; k < 3; ++k) {
                ASSERT_TRUE(reader.skipTo("*MESH_VERTEXNORMAL"));
                EXPECT_EQ(reader.number(), part.faces[i].corner[k]);
                EXPECT_NEAR(reader.number(), corners[i][k].x, 1e-4);
                EXPECT_NEAR(reader.number(), corners[i][k].y, 1e-4);
                EXPECT_NEAR(reader.number(), corners[i][k].z, 1e-4);
            }
        }
        ASSERT_TRUE(reader.skipTo("*MATERIAL_REF"));
        EXPECT_EQ(reader.number(), part.material);
    }
    // Every object is announced by the keyword the game counts.
    size_t objects = 0;
    for (size_t at = text.find("*GEOMOBJECT"); at != std::string::npos;
         at = text.find("*GEOMOBJECT", at + 1)) {
        ++objects;
    }
    EXPECT_EQ(objects, craft.parts.size());
}

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <string>

#include "models/ase_loader.h"
#include "support/message_capture.h"
#include "support/test_display.h"
#include "wing_ase.h"

namespace {
using testase::load;
using testase::replaced;
using testase::WING;

std::string writeTemp(const std::string& name, const std::string& text) {
    const std::string path = std::string(ZENTRIX_BINARY_DIR) + "/" + name;
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

void expectFloat3(const Float3& v, float x, float y, float z) {
    EXPECT_FLOAT_EQ(v.x, x);
    EXPECT_FLOAT_EQ(v.y, y);
    EXPECT_FLOAT_EQ(v.z, z);
}
}  // namespace

TEST(AseLoader, ReadsTheWingInTheGamesAxes) {
    Model model;
    std::string reason;
    ASSERT_TRUE(load(model, WING, &reason)) << reason;
    ASSERT_EQ(model.objectCount, 1);
    const MeshObject& wing = model.objects[0];
    ASSERT_EQ(wing.vertexCount, 3);
    expectFloat3(wing.vertices[0], 1.0f, 3.0f, 2.0f);  // the file's y and z swap
    expectFloat3(wing.vertices[2], -7.5f, 9.0f, 8.0f);
    ASSERT_EQ(wing.faceCount, 1);
    EXPECT_EQ(wing.faces[0].a, 0);
    EXPECT_EQ(wing.faces[0].b, 1);
    EXPECT_EQ(wing.faces[0].c, 2);
    expectFloat3(wing.faceNormals[0], 0.0f, 1.0f, 0.0f);
    ASSERT_EQ(wing.cornerNormals.size(), 3u);
    expectFloat3(wing.cornerNormals[0], 0.0f, 0.0f, 1.0f);
    expectFloat3(wing.cornerNormals[1], 1.0f, 0.0f, 0.0f);
    expectFloat3(wing.cornerNormals[2], 0.0f, 0.8f, 0.6f);
    ASSERT_EQ(wing.texVertexCount, 3);
    EXPECT_FLOAT_EQ(wing.texVertices[5], 0.6f);  // w is dropped
    ASSERT_EQ(wing.texFaceCount, 1);
    const float expectedUv[6] = {0.5f, 0.6f, 0.1f, 0.2f, 0.3f, 0.4f};
    for (int i = 0; i < 6; ++i) {
        EXPECT_FLOAT_EQ(wing.texFaces[0].uv[i], expectedUv[i]) << i;
    }
    EXPECT_EQ(wing.materialRef, 1);
    EXPECT_EQ(wing.color, Color3(0.1, 0.2, 0.3));
    EXPECT_EQ(model.displayList, 0u);
}

TEST(AseLoader, ObjectsAreCountedOnlyWhenTheirKeywordIsUpperCase) {
    Model model;
    ASSERT_TRUE(load(model, replaced(WING, "*GEOMOBJECT", "*geomobject")));
    EXPECT_EQ(model.objectCount, 0);
    EXPECT_TRUE(model.objects.empty());

    const std::string noObjects = WING.substr(0, WING.find("*GEOMOBJECT"));
    ASSERT_TRUE(load(model, noObjects));
    EXPECT_EQ(model.objectCount, 0);

    // Lower-case keywords inside the object are still found.
    std::string reason;
    ASSERT_TRUE(load(model, replaced(WING, "*MESH_NUMFACES", "*mesh_numfaces"), &reason)) << reason;
    EXPECT_EQ(model.objects[0].faceCount, 1);
}

TEST(AseLoader, IndicesOutsideTheirArraysAreRejected) {
    const std::pair<const char*, const char*> damage[] = {
        {"C:    2", "C:    3"},
        {"A:    0", "A:    -1"},
        {"*MESH_TFACE 0	2	0	1", "*MESH_TFACE 0	2	0	3"},
        {"*MATERIAL_REF 1", "*MATERIAL_REF 2"},
        {"*MATERIAL_REF 1", "*MATERIAL_REF -1"},
    };
    for (const auto& [from, to] : damage) {
        Model model;
        std::string reason;
        EXPECT_FALSE(load(model, replaced(WING, from, to), &reason)) << to;
        EXPECT_FALSE(reason.empty());
        EXPECT_EQ(model.objectCount, 0);
        EXPECT_TRUE(model.objects.empty());
    }
}

TEST(AseLoader, CountsTheTextCannotHoldAreRejectedBeforeAllocating) {
    const std::pair<const char*, const char*> damage[] = {
        {"*MESH_NUMVERTEX 3", "*MESH_NUMVERTEX 2000000000"},
        {"*MESH_NUMFACES 1", "*MESH_NUMFACES 99999999999"},
        {"*MESH_NUMTVERTEX 3", "*MESH_NUMTVERTEX -3"},
        {"*MESH_NUMTVFACES 1", "*MESH_NUMTVFACES 5000"},
        {"*MATERIAL_COUNT 2", "*MATERIAL_COUNT 1000000000"},
        // Counts that fit but promise more entries than follow run off the end.
        {"*MESH_NUMVERTEX 3", "*MESH_NUMVERTEX 4"},
        {"*MESH_NUMFACES 1", "*MESH_NUMFACES 2"},
    };
    for (const auto& [from, to] : damage) {
        Model model;
        std::string reason;
        EXPECT_FALSE(load(model, replaced(WING, from, to), &reason)) << to;
        EXPECT_FALSE(reason.empty()) << to;
    }
}

TEST(AseLoader, EveryCutShortFileIsRejected) {
    // Cut before the object keyword the file is a valid empty model, but not
    // before its materials are complete, nor once the object has begun: the
    // object is whole only at its closing brace.
    const std::size_t lastColour = WING.find("0.3000");
    const std::size_t objectStart = WING.find("*GEOMOBJECT") + 11;
    const std::size_t lastNeeded = WING.rfind('}') + 1;
    for (std::size_t length = 0; length < lastNeeded; ++length) {
        if (length == lastColour) {
            length = objectStart;
        }
        Model model;
        EXPECT_FALSE(load(model, WING.substr(0, length))) << length;
    }
    Model model;
    EXPECT_TRUE(load(model, WING.substr(0, lastNeeded)));
}

TEST(AseLoader, MissingOrDamagedFilesEndTheGameWithABox) {
    const std::string missing = std::string(ZENTRIX_BINARY_DIR) + "/no-such-craft.ase";
    Model model;
    EXPECT_EQ(tryLoadAse(model, missing), AseLoadResult::Missing);
    EXPECT_EXIT(
        {
            testsupport::MessageCapture capture;
            Model craft;
            craft.loadAse(missing);
        },
        testing::ExitedWithCode(255), "The resource file .*no-such-craft.ase does not exist");
    const std::string damaged = writeTemp("damaged-craft.ase", replaced(WING, "C:    2", "C: 7"));
    EXPECT_EQ(tryLoadAse(model, damaged), AseLoadResult::Damaged);
    EXPECT_EXIT(
        {
            testsupport::MessageCapture capture;
            Model craft;
            craft.loadAse(damaged);
        },
        testing::ExitedWithCode(255), "The resource file .*damaged-craft.ase is damaged");
    EXPECT_EQ(missingModelMessage("data/nau.ase"),
              "The resource file data/nau.ase does not exist\n");
}

TEST(AseLoader, TheFileIsFoundWhateverTheCaseOfItsName) {
    const std::string path = writeTemp("Craft.ASE", WING);
    Model lower;
    Model upper;
    EXPECT_EQ(tryLoadAse(lower, std::string(ZENTRIX_BINARY_DIR) + "/craft.ase"),
              AseLoadResult::Loaded);
    EXPECT_EQ(tryLoadAse(upper, std::string(ZENTRIX_BINARY_DIR) + "/CRAFT.ase"),
              AseLoadResult::Loaded);
    EXPECT_EQ(lower.objectCount, 1);
    EXPECT_EQ(upper.objectCount, 1);
}

TEST(AseLoader, RealExportsLoadWhateverOrderAndExtrasTheirExporterChose) {
    struct Expected {
        int objects;
        int vertices;  // of the first object
        int faces;
        int texVertices;
        Color3 colour;
    };
    // Normals before texture coordinates (AC3D), colour vertices, animation
    // blocks, sub-materials, a material list whose closing brace was never
    // written (Blender), tab-separated faces and normals listed per vertex
    // (Q3Map2), and an object with no material, which stays black.
    const std::map<std::string, Expected> files = {
        {"assimp/Rifle.ase", {1, 236, 366, 1098, Color3(0.878431, 0.878431, 0.878431)}},
        {"assimp/UVTransform_Normal.ASE", {1, 25, 32, 35, Color3(0.5882, 0.5882, 0.5882)}},
        {"assimp/RotatingCube.ASE", {1, 8, 12, 12, Color3(0, 0, 0)}},
        {"unvanquished-station15/mundo_tree2a.ase", {1, 763, 784, 2352, Color3(0.8, 0.8, 0.8)}},
        {"unvanquished-station15/tree01a.ase", {4, 193, 286, 193, Color3(1.0, 0.994083, 0.940642)}},
    };
    for (const auto& [file, expected] : files) {
        Model model;
        std::string reason;
        ASSERT_EQ(tryLoadAse(model, testsupport::publicTestdataPath("ase/" + file), &reason),
                  AseLoadResult::Loaded)
            << file << ": " << reason;
        ASSERT_EQ(model.objectCount, expected.objects) << file;
        const MeshObject& first = model.objects[0];
        EXPECT_EQ(first.vertexCount, expected.vertices) << file;
        EXPECT_EQ(first.faceCount, expected.faces) << file;
        EXPECT_EQ(first.texVertexCount, expected.texVertices) << file;
        EXPECT_EQ(first.texFaceCount, expected.faces) << file;
        EXPECT_EQ(first.color, expected.colour) << file;
        // Everything the display list needs is there for every face.
        for (const MeshObject& object : model.objects) {
            EXPECT_EQ(object.faceNormals.size(), object.faces.size()) << file;
            EXPECT_EQ(object.cornerNormals.size(), 3 * object.faces.size()) << file;
        }
    }
}

TEST(AseLoader, RealExportsTheGameCannotDrawAreRefusedWithTheirReason) {
    const std::map<std::string, std::string> files = {
        // No normals at all: every triangle is lit by its first corner's normal.
        {"assimp/ThreeCubesGreen.ASE", "*MESH_NORMALS"},
        // Texture faces 7 8 9 of three texture vertices.
        {"assimp/InvalidUVIndex.ase", "texture face index 7"},
        // Two bytes a character: no keyword survives.
        {"assimp/ThreeCubesGreen_UTF16BE.ASE", "*MATERIAL_COUNT"},
    };
    for (const auto& [file, cause] : files) {
        Model model;
        std::string reason;
        EXPECT_EQ(tryLoadAse(model, testsupport::publicTestdataPath("ase/" + file), &reason),
                  AseLoadResult::Damaged)
            << file;
        EXPECT_NE(reason.find(cause), std::string::npos) << file << ": " << reason;
        EXPECT_TRUE(model.objects.empty()) << file;
    }
}

TEST(AseLoader, NormalsListedPerVertexLightEachCornerByItsVertex) {
    Model model;
    std::string reason;
    ASSERT_EQ(
        tryLoadAse(model, testsupport::publicTestdataPath("ase/unvanquished-station15/tree01a.ase"),
                   &reason),
        AseLoadResult::Loaded)
        << reason;
    // Face 0 is A: 0 B: 2 C: 1; vertex 0's normal is -0.904697 0.422952 0.051326.
    const MeshObject& trunk = model.objects[0];
    EXPECT_EQ(trunk.faces[0].a, 0);
    expectFloat3(trunk.cornerNormals[0], -0.904697f, 0.051326f, 0.422952f);
    expectFloat3(trunk.cornerNormals[2], -0.457927f, 0.079568f, 0.885422f);  // vertex 1
    EXPECT_EQ(model.objects[3].color, Color3(0.676055, 1.0, 0.283191));
}

TEST(AseLoader, InvalidTextureIndicesAreTheReasonForRejection) {
    // The negative case gets the material list, normals and reference it
    // lacks, so only its texture-face indices 7 8 9 (of three texture
    // vertices) are wrong.
    std::ifstream in(testsupport::publicTestdataPath("ase/assimp/InvalidUVIndex.ase"),
                     std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_FALSE(text.empty());
    const std::size_t objectEnd = text.rfind('}');
    const std::size_t meshEnd = text.rfind('}', objectEnd - 1);
    ASSERT_NE(meshEnd, std::string::npos);
    text.insert(objectEnd, "*MATERIAL_REF 0\n");
    text.insert(meshEnd,
                "*MESH_NORMALS { *MESH_FACENORMAL 0 0 0 1 *MESH_VERTEXNORMAL 0 0 0 1 "
                "*MESH_VERTEXNORMAL 1 0 0 1 *MESH_VERTEXNORMAL 2 0 0 1 }\n");
    text = "*MATERIAL_LIST { *MATERIAL_COUNT 1 *MATERIAL 0 { *MATERIAL_DIFFUSE 1 1 1 } }\n" + text;
    Model model;
    std::string reason;
    EXPECT_FALSE(load(model, text, &reason));
    EXPECT_NE(reason.find("texture face index 7"), std::string::npos) << reason;
    // With the indices mended the same text loads.
    const std::size_t tface = text.find("*MESH_TFACE ");
    ASSERT_NE(tface, std::string::npos);
    const std::size_t lineEnd = text.find('\n', tface);
    text.replace(tface, lineEnd - tface, "*MESH_TFACE 0 0 1 2");
    reason.clear();
    EXPECT_TRUE(load(model, text, &reason)) << reason;
}

TEST(ModelColours, RandomColoursDrawRedGreenBlueInHundredths) {
    Model model;
    model.objects.resize(40);
    model.objectCount = 40;
    std::srand(12345);
    std::vector<int> draws;
    for (int i = 0; i < 120; ++i) {
        draws.push_back(std::rand() % 100);
    }
    std::srand(12345);
    model.randomizeColors();
    for (int i = 0; i < 40; ++i) {
        const Color3& c = model.objects[i].color;
        EXPECT_DOUBLE_EQ(c.r, draws[3 * i] / 100.0);
        EXPECT_DOUBLE_EQ(c.g, draws[3 * i + 1] / 100.0);
        EXPECT_DOUBLE_EQ(c.b, draws[3 * i + 2] / 100.0);
        EXPECT_LT(c.r, 1.0);
        EXPECT_LT(c.g, 1.0);
        EXPECT_LT(c.b, 1.0);
    }
}

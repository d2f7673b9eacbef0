#include <gtest/gtest.h>

#include <string>

#include "model_print.h"
#include "models/ase_loader.h"
#include "wing_ase.h"

using testase::load;
using testase::printOf;
using testase::replaced;
using testase::WING;

namespace {
// The wing again, with every block's keywords in another order and the
// material list after the object.
const std::string WING_REORDERED = R"(*GEOMOBJECT {
	*MATERIAL_REF 1
	*MESH {
		*MESH_NORMALS {
			*MESH_FACENORMAL 0	0.0000	0.0000	1.0000
				*MESH_VERTEXNORMAL 0	0.0000	1.0000	0.0000
				*MESH_VERTEXNORMAL 1	1.0000	0.0000	0.0000
				*MESH_VERTEXNORMAL 2	0.0000	0.6000	0.8000
		}
		*MESH_TFACELIST {
			*MESH_TFACE 0	2	0	1
		}
		*MESH_NUMTVFACES 1
		*MESH_TVERTLIST {
			*MESH_TVERT 0	0.1000	0.2000	0.9000
			*MESH_TVERT 1	0.3000	0.4000	0.9000
			*MESH_TVERT 2	0.5000	0.6000	0.9000
		}
		*MESH_NUMTVERTEX 3
		*MESH_FACE_LIST {
			*MESH_FACE	0	C:	2	A:	0	B:	1
		}
		*MESH_VERTEX_LIST {
			*MESH_VERTEX    0	1.0000	2.0000	3.0000
			*MESH_VERTEX    1	4.0000	5.0000	6.0000
			*MESH_VERTEX    2	-7.5000	8.0000	9.0000
		}
		*MESH_NUMFACES 1
		*MESH_NUMVERTEX 3
	}
	*NODE_NAME "Wing Left"
}
*MATERIAL_LIST {
	*MATERIAL 0 {
		*MATERIAL_DIFFUSE	0.5000	0.2500	0.1250
	}
	*MATERIAL 1 {
		*MATERIAL_DIFFUSE	0.1000	0.2000	0.3000
	}
	*MATERIAL_COUNT 2
}
)";

Model loaded(const std::string& text) {
    Model model;
    std::string reason;
    EXPECT_TRUE(load(model, text, &reason)) << reason;
    return model;
}

std::string refusal(const std::string& text) {
    Model model;
    std::string reason;
    EXPECT_FALSE(load(model, text, &reason));
    EXPECT_TRUE(model.objects.empty());
    return reason;
}
}  // namespace

TEST(AseLayout, KeywordsComeInAnyOrderInsideTheirBlock) {
    const Model wing = loaded(WING);
    ASSERT_EQ(wing.objectCount, 1);
    EXPECT_EQ(printOf(loaded(WING_REORDERED)), printOf(wing));
}

TEST(AseLayout, BlocksTheGameDoesNotReadArePassedOverWhereverTheyStand) {
    // Each holds keywords the reader knows, which must not count where they stand.
    std::string text =
        replaced(WING, "*MESH {",
                 "*MESH_ANIMATION { *MESH { *MESH_NUMVERTEX 1 } }\n"
                 "*TM_ANIMATION { *CONTROL_POS_TRACK { *CONTROL_POS_SAMPLE 0 1 2 3 } }\n"
                 "*MESH {");
    text = replaced(text, "*MESH_NORMALS {",
                    "*MESH_MAPPINGCHANNEL 2 {\n *MESH_NUMTVERTEX 1\n"
                    " *MESH_TVERTLIST { *MESH_TVERT 0 9 9 9 }\n"
                    " *MESH_NUMTVFACES 1 *MESH_TFACELIST { *MESH_TFACE 0 0 0 0 } }\n"
                    "*MESH_NUMCVERTEX 1 *MESH_CVERTLIST { *MESH_VERTCOL 0 1 1 1 }\n"
                    "*MESH_NORMALS {");
    text = replaced(text, "*MATERIAL_AMBIENT 0.9 0.9 0.9",
                    "*MATERIAL_TWOSIDED\n*NUMSUBMTLS 1\n"
                    "*SUBMATERIAL 0 { *MATERIAL_DIFFUSE 1 1 1 *MAP_DIFFUSE { *BITMAP \"a b\" } }");
    text = replaced(text, "*MATERIAL_LIST {",
                    "*SCENE { *SCENE_TICKSPERFRAME 160 }\n*LIGHTOBJECT { *NODE_NAME \"Sun\" "
                    "*LIGHT_SETTINGS { *LIGHT_COLOR 1 1 1 } }\n*MATERIAL_LIST {");
    EXPECT_EQ(printOf(loaded(text)), printOf(loaded(WING)));
}

TEST(AseLayout, GroupedObjectsAreReadAsIfTheyStoodAlone) {
    const std::size_t objectAt = WING.find("*GEOMOBJECT");
    const std::string object = WING.substr(objectAt);
    const std::string grouped = WING.substr(0, objectAt) + "*GROUP \"Wings\" {\n" +
                                "*HELPEROBJECT { *NODE_NAME \"Wings\" }\n" + object +
                                "*GROUP \"Tip\" {\n" + object + "}\n}\n";
    const Model model = loaded(grouped);
    ASSERT_EQ(model.objectCount, 2);
    EXPECT_EQ(printOf(Model{1, {model.objects[1]}, 0}), printOf(loaded(WING)));

    EXPECT_NE(refusal(WING.substr(0, objectAt) + "*GROUP \"Wings\" {\n" + object), std::string());
}

TEST(AseLayout, AMaterialListLeftOpenEndsAtTheFirstObject) {
    // One exporter never writes the list's closing brace.
    const std::string open = replaced(WING, "\t}\n}\n*GEOMOBJECT", "\t}\n*GEOMOBJECT");
    EXPECT_EQ(printOf(loaded(open)), printOf(loaded(WING)));
}

TEST(AseLayout, AnObjectNamingNoMaterialStaysBlack) {
    const Model model = loaded(replaced(WING, "*MATERIAL_REF 1", ""));
    ASSERT_EQ(model.objectCount, 1);
    EXPECT_EQ(model.objects[0].color, Color3(0, 0, 0));
    EXPECT_EQ(model.objects[0].materialRef, -1);
}

TEST(AseLayout, TextureCoordinatesAreNotNeededToDrawTheCraft) {
    std::string text = WING;
    text.erase(text.find("\t\t*MESH_NUMTVERTEX"),
               text.find("\t\t*MESH_NORMALS") - text.find("\t\t*MESH_NUMTVERTEX"));
    const Model model = loaded(text);
    ASSERT_EQ(model.objectCount, 1);
    EXPECT_EQ(model.objects[0].texVertexCount, 0);
    EXPECT_EQ(model.objects[0].texFaceCount, 0);
    EXPECT_EQ(model.objects[0].cornerNormals.size(), 3u);
}

TEST(AseLayout, NormalsListedOncePerVertexAreSharedByTheCornersOnIt) {
    const std::string perVertex = replaced(WING, R"(*MESH_FACENORMAL 0	0.0000	0.0000	1.0000
				*MESH_VERTEXNORMAL 0	0.0000	1.0000	0.0000
				*MESH_VERTEXNORMAL 1	1.0000	0.0000	0.0000
				*MESH_VERTEXNORMAL 2	0.0000	0.6000	0.8000)",
                                           R"(*MESH_FACENORMAL 0 0 0 1
				*MESH_VERTEXNORMAL 2 0 0.6 0.8
				*MESH_VERTEXNORMAL 0 0 1 0
				*MESH_VERTEXNORMAL 1 1 0 0
				*MESH_FACENORMAL 1 0 0 1)");
    const std::string twoFaces =
        replaced(replaced(perVertex, "*MESH_NUMFACES 1", "*MESH_NUMFACES 2"), "*MESH_SMOOTHING 1",
                 "*MESH_SMOOTHING 1 *MESH_FACE 1: A: 2 B: 0 C: 1");
    const Model model = loaded(twoFaces);
    ASSERT_EQ(model.objectCount, 1);
    const MeshObject& wing = model.objects[0];
    ASSERT_EQ(wing.cornerNormals.size(), 6u);
    EXPECT_FLOAT_EQ(wing.cornerNormals[0].z, 1.0f);  // vertex 0: file (0, 1, 0)
    EXPECT_FLOAT_EQ(wing.cornerNormals[3].y, 0.8f);  // face 1 starts on vertex 2
    EXPECT_FLOAT_EQ(wing.cornerNormals[4].z, 1.0f);

    // A corner on a vertex that has no normal, or a normal for no vertex, is damage.
    EXPECT_NE(refusal(replaced(twoFaces, "*MESH_VERTEXNORMAL 1 1 0 0", "")).find("no normal"),
              std::string::npos);
    EXPECT_NE(
        refusal(replaced(twoFaces, "*MESH_VERTEXNORMAL 1 1 0 0", "*MESH_VERTEXNORMAL 3 1 0 0"))
            .find("outside"),
        std::string::npos);
}

TEST(AseLayout, CountsAndEntriesMustAgreeAndEveryEntryBeWhole) {
    const std::pair<const char*, const char*> damage[] = {
        // More entries than their count, as well as fewer.
        {"*MESH_NUMVERTEX 3", "*MESH_NUMVERTEX 2"},
        {"*MESH_NUMTVERTEX 3", "*MESH_NUMTVERTEX 2"},
        {"*MATERIAL_COUNT 2", "*MATERIAL_COUNT 1"},
        {"*MATERIAL_COUNT 2", "*MATERIAL_COUNT 3"},
        // A face short of a corner, a corner given twice, an entry short of a number.
        {"C:    2", ""},
        {"C:    2", "C: 2 A: 0"},
        {"*MESH_VERTEX    2	-7.5000	8.0000	9.0000", "*MESH_VERTEX 2 -7.5 8.0"},
        {"*MESH_FACENORMAL 0	0.0000	0.0000	1.0000", "*MESH_FACENORMAL 0 0 0"},
        {"*MATERIAL_DIFFUSE	0.1000	0.2000	0.3000", "*MATERIAL_DIFFUSE 0.1 }"},
        // A material without its colour, an object without its mesh or with two.
        {"*MATERIAL_DIFFUSE	0.1000	0.2000	0.3000", ""},
        {"*MESH {", "*MESH_X {"},
        {"*PROP_MOTIONBLUR 0", "*MESH { *MESH_NUMVERTEX 0 *MESH_NUMFACES 0 }"},
        {"*MESH_NUMVERTEX 3", "*MESH_NUMVERTEX_X 3"},
        // An object keyword without its block, braces that do not pair.
        {"*GEOMOBJECT {", "*GEOMOBJECT *NODE_NAME x {"},
        {"*COMMENT", "} *COMMENT"},
        {"*MESH_FACE_LIST {", "*MESH_FACE_LIST { {"},
    };
    for (const auto& [from, to] : damage) {
        EXPECT_NE(refusal(replaced(WING, from, to)), std::string()) << to;
    }
}

TEST(AseLayout, DeepNestingIsNoDanger) {
    std::string opening;
    std::string closing;
    for (int level = 0; level < 1'000'000; ++level) {
        opening += "{ ";
        closing += "} ";
    }
    EXPECT_NE(refusal(replaced(WING, "*PROP_MOTIONBLUR 0", "*X " + opening)), std::string());
    EXPECT_NE(refusal(opening), std::string());
    const Model model = loaded(replaced(WING, "*PROP_MOTIONBLUR 0", "*X " + opening + closing));
    EXPECT_EQ(model.objectCount, 1);
}

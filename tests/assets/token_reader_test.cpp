#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "assets/file_lookup.h"
#include "assets/token_reader.h"
#include "math/vector3.h"
#include "models/color3.h"

TEST(TokenReader, TokensAreUpperCasedRunsBetweenBlanksAndHighBytes) {
    TokenReader reader = TokenReader::fromText("  *node_name\t\"Wing\xA0Left\"\r\n\x01z");
    EXPECT_EQ(reader.nextToken(), "*NODE_NAME");
    EXPECT_EQ(reader.nextToken(), "\"WING");  // a byte above 0x7F splits a name
    EXPECT_EQ(reader.nextToken(), "LEFT\"");
    EXPECT_EQ(reader.nextToken(), "Z");
    EXPECT_FALSE(reader.ranOut());
    EXPECT_EQ(reader.nextToken(), "");
    EXPECT_TRUE(reader.ranOut());
    EXPECT_EQ(reader.nextToken(), "");
    EXPECT_EQ(reader.position(), reader.size());
}

TEST(TokenReader, NumbersTakeTheLongestDecimalPrefix) {
    TokenReader reader = TokenReader::fromText(
        "42 -7 +3 12abc abc 99999999999 -99999999999 "
        "1.5 -0.25 2e3 1.5E-2X .5 7. - 0x10 inf nan 3e");
    EXPECT_EQ(reader.readInt(), 42);
    EXPECT_EQ(reader.readInt(), -7);
    EXPECT_EQ(reader.readInt(), 3);
    EXPECT_EQ(reader.readInt(), 12);
    EXPECT_EQ(reader.readInt(), 0);
    EXPECT_EQ(reader.readInt(), INT32_MAX);  // saturates rather than overflowing
    EXPECT_EQ(reader.readInt(), INT32_MIN);
    EXPECT_DOUBLE_EQ(reader.readFloat(), 1.5);
    EXPECT_DOUBLE_EQ(reader.readFloat(), -0.25);
    EXPECT_DOUBLE_EQ(reader.readFloat(), 2000.0);
    EXPECT_DOUBLE_EQ(reader.readFloat(), 0.015);
    EXPECT_DOUBLE_EQ(reader.readFloat(), 0.5);
    EXPECT_DOUBLE_EQ(reader.readFloat(), 7.0);
    EXPECT_DOUBLE_EQ(reader.readFloat(), 0.0);
    EXPECT_DOUBLE_EQ(reader.readFloat(), 0.0);  // "0X10": only the 0 counts
    EXPECT_DOUBLE_EQ(reader.readFloat(), 0.0);
    EXPECT_DOUBLE_EQ(reader.readFloat(), 0.0);
    EXPECT_DOUBLE_EQ(reader.readFloat(), 3.0);
    EXPECT_FALSE(reader.ranOut());
    EXPECT_EQ(reader.readInt(), 0);
    EXPECT_TRUE(reader.ranOut());
}

TEST(TokenReader, SkipToMatchesWholeTokensAndStopsAtTheEnd) {
    TokenReader reader =
        TokenReader::fromText("*MATERIAL_COUNT 2 *MATERIAL_REF 1 *mesh_vertex_list *MATERIAL 5");
    EXPECT_TRUE(reader.skipTo("*MATERIAL"));
    EXPECT_EQ(reader.readInt(), 5);
    TokenReader again = TokenReader::fromText("*MESH_VERTEX_LIST { }");
    EXPECT_FALSE(again.skipTo("*MESH_VERTEX"));
    EXPECT_TRUE(again.atEnd());
    EXPECT_FALSE(again.skipTo("*MESH_VERTEX"));  // stays at the end, reads nothing more
    EXPECT_TRUE(TokenReader::fromText("*LAST").skipTo("*LAST"));
}

TEST(TokenReader, ItRemembersWhetherTheFileWroteATokenInUpperCase) {
    TokenReader reader = TokenReader::fromText("*GEOMOBJECT *GeomObject 12 *geomobject");
    EXPECT_EQ(reader.nextToken(), "*GEOMOBJECT");
    EXPECT_TRUE(reader.lastTokenWasUpperCase());
    EXPECT_EQ(reader.nextToken(), "*GEOMOBJECT");
    EXPECT_FALSE(reader.lastTokenWasUpperCase());
    EXPECT_EQ(reader.nextToken(), "12");
    EXPECT_TRUE(reader.lastTokenWasUpperCase());
    EXPECT_EQ(reader.nextToken(), "*GEOMOBJECT");
    EXPECT_FALSE(reader.lastTokenWasUpperCase());
}

TEST(TokenReader, CountOccurrencesSeesOnlyWhatIsUpperCasedSoFar) {
    const std::string body = " {\n\t*NODE_NAME \"part\"\n}\n";
    TokenReader reader = TokenReader::fromText("*geomobject" + body + "*GEOMOBJECT" + body +
                                               "*GEOMOBJECT" + body + "*geomobject" + body);
    EXPECT_EQ(reader.countOccurrences("*GEOMOBJECT"), 2);
    reader.nextToken();
    EXPECT_EQ(reader.countOccurrences("*GEOMOBJECT"), 3);
    EXPECT_EQ(TokenReader::fromText("").countOccurrences("*GEOMOBJECT"), 0);
    EXPECT_EQ(TokenReader::fromText("*GEOMOBJEC").countOccurrences("*GEOMOBJECT"), 0);
}

TEST(TokenReader, ColoursAndVectorsReadThreeNumbersInOrder) {
    TokenReader reader = TokenReader::fromText("0.5 0.25 1 -1 2 3.5");
    const Color3 colour(reader);
    EXPECT_EQ(colour, Color3(0.5, 0.25, 1.0));
    EXPECT_EQ(readVector3(reader), Vector3(-1.0, 2.0, 3.5));
    TokenReader more = TokenReader::fromText("4 5 6");
    EXPECT_EQ(readVector3(more), Vector3(4.0, 5.0, 6.0));
}

TEST(Color3, ArithmeticClampAndDistance) {
    Color3 c(0.5, 1.5, -0.5);
    c.clamp();
    EXPECT_EQ(c, Color3(0.5, 1.0, 0.0));
    c += Color3(0.25, 0.0, 0.5);
    c -= Color3(0.25, 0.5, 0.0);
    EXPECT_EQ(c, Color3(0.5, 0.5, 0.5));
    c *= 2.0;
    EXPECT_EQ(c * 0.5, Color3(0.5, 0.5, 0.5));
    EXPECT_EQ(c * Color3(0.5, 0.25, 0.0), Color3(0.5, 0.25, 0.0));
    EXPECT_EQ(Color3::weightedSum(Color3(1, 0, 0), 0.25, Color3(0, 1, 0), 0.75),
              Color3(0.25, 0.75, 0.0));
    EXPECT_DOUBLE_EQ(Color3(0, 0, 0).distanceTo(Color3(3, 4, 0)), 5.0);
    EXPECT_EQ(Color3(), Color3(0, 0, 0));
}

TEST(FileLookup, NamesMatchWithoutRegardToCase) {
    const std::string root = std::string(ZENTRIX_BINARY_DIR) + "/lookup-test";
    std::system(("rm -rf '" + root + "' && mkdir -p '" + root + "/Data/Sky'").c_str());
    std::ofstream(root + "/Data/Sky/Front.bmp") << "x";
    std::ofstream(root + "/Data/nau.ase") << "x";
    EXPECT_EQ(findFileIgnoringCase(root + "/data/sky/FRONT.BMP"), root + "/Data/Sky/Front.bmp");
    EXPECT_EQ(findFileIgnoringCase(root + "/DATA/nau.ASE"), root + "/Data/nau.ase");
    EXPECT_EQ(findFileIgnoringCase(root + "/Data/nau.ase"), root + "/Data/nau.ase");
    EXPECT_EQ(findFileIgnoringCase(root + "/data/missing.ase"), root + "/data/missing.ase");
    EXPECT_EQ(findFileIgnoringCase(root + "/data/sky/front.bmpx"), root + "/data/sky/front.bmpx");
    TokenReader reader(root + "/data/SKY/front.BMP");
    EXPECT_TRUE(reader.opened());
    EXPECT_EQ(reader.nextToken(), "X");
    EXPECT_FALSE(TokenReader(root + "/data").opened());  // a directory is no file
}

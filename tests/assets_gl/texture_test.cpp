

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "assets/bmp_builder.h"
#include "images/bitmap.h"
#include "images/texture.h"
#include "images/texture_ids.h"
#include "support/gl_test_window.h"
#include "support/message_capture.h"

namespace {
std::string writeBitmap(const std::string& name, const testbmp::InfoBitmap& bmp) {
    const std::string path = std::string(ZENTRIX_BINARY_DIR) + "/" + name;
    const std::vector<uint8_t> bytes = testbmp::makeFile(bmp);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return path;
}

// Two pixels wide, so its packed rows (6 bytes) do not fall on 4-byte
// boundaries, and a power of two, so the upload is not rescaled first. Rows
// from the bottom: red, green, blue, white.
testbmp::InfoBitmap fourStripes() {
    testbmp::InfoBitmap bmp;
    bmp.width = 2;
    bmp.height = 4;
    const uint8_t stripes[4][3] = {{0, 0, 255}, {0, 255, 0}, {255, 0, 0}, {255, 255, 255}};
    for (const auto& colour : stripes) {
        for (int x = 0; x < 2; ++x) {
            bmp.pixels.insert(bmp.pixels.end(), colour, colour + 3);
        }
        bmp.pixels.resize(bmp.pixels.size() + 2, 0);
    }
    return bmp;
}

GLint textureParameter(GLenum name) {
    GLint value = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, name, &value);
    return value;
}
}  // namespace

TEST(Textures, OddWidthsUploadEveryRowIntactAndRestoreTheAlignment) {
    testsupport::GlTestWindow window;
    const std::string path = writeBitmap("stripes.bmp", fourStripes());
    uint32_t table[TEXTURE_COUNT] = {};
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    loadTexture(table, path, TEX_ROAD);
    ASSERT_NE(table[TEX_ROAD], 0u);
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(static_cast<uint32_t>(bound), table[TEX_ROAD]);
    GLint alignment = 0;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    EXPECT_EQ(alignment, 4);

    GLint width = 0;
    GLint height = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
    ASSERT_EQ(width, 2);
    ASSERT_EQ(height, 4);
    GLint level1 = -1;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 1, GL_TEXTURE_WIDTH, &level1);
    EXPECT_EQ(level1, 0);  // linear filters sample the base level only: none smaller is built
    std::vector<uint8_t> texels(2 * 4 * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, texels.data());
    const std::vector<uint8_t> expected = {255, 0, 0,   255, 0, 0,   0,   255, 0,   0,   255, 0,
                                           0,   0, 255, 0,   0, 255, 255, 255, 255, 255, 255, 255};
    EXPECT_EQ(texels, expected);
}

TEST(Textures, APictureWhoseSidesAreNotPowersOfTwoIsScaledToThemAsItAlwaysWas) {
    testsupport::GlTestWindow window;
    const std::string path = writeBitmap("three_by_four.bmp", testbmp::gradient24(3, 4));
    uint32_t table[TEXTURE_COUNT] = {};
    loadTexture(table, path, TEX_ROAD);
    GLint width = 0;
    GLint height = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
    EXPECT_EQ(width, 4);
    EXPECT_EQ(height, 4);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(Textures, SkyFacesClampAndEverythingElseRepeatsWithLinearFilters) {
    testsupport::GlTestWindow window;
    const std::string path = writeBitmap("square.bmp", testbmp::gradient24(4, 4));
    for (int index = 0; index < TEXTURE_COUNT; ++index) {
        // The scene's choice: exactly the six sky faces clamp.
        const std::string file = TEXTURE_FILES[static_cast<size_t>(index)];
        const bool sky = file.find("/sky/") != std::string::npos;
        EXPECT_EQ(textureClampsAtEdges(index), sky) << file;
        loadTexture(gTextures, path, index, sky ? TextureEdges::Clamp : TextureEdges::Repeat);
        const GLint wrap = sky ? GL_CLAMP_TO_EDGE : GL_REPEAT;
        EXPECT_EQ(textureParameter(GL_TEXTURE_WRAP_S), wrap) << index;
        EXPECT_EQ(textureParameter(GL_TEXTURE_WRAP_T), wrap) << index;
        EXPECT_EQ(textureParameter(GL_TEXTURE_MIN_FILTER), GL_LINEAR) << index;
        EXPECT_EQ(textureParameter(GL_TEXTURE_MAG_FILTER), GL_LINEAR) << index;
    }
    for (int index = 1; index < TEXTURE_COUNT; ++index) {
        EXPECT_NE(gTextures[index], gTextures[index - 1]);
    }
}

TEST(Textures, ABitmapThatCannotBeLoadedEndsTheGameWithStatusOneAfterItsBox) {
    const std::string missing = std::string(ZENTRIX_BINARY_DIR) + "/no-such-texture.bmp";
    EXPECT_EXIT(
        {
            testsupport::MessageCapture capture;
            uint32_t table[TEXTURE_COUNT] = {};
            loadTexture(table, missing, TEX_FLARE);
        },
        testing::ExitedWithCode(1), "Failed to open DIB file .*no-such-texture.bmp");

    // Wider than any texture may be: refused from its header alone.
    testbmp::InfoBitmap wide;
    wide.width = MAX_BITMAP_SIDE + 1;
    wide.bitsPerPixel = 8;
    wide.compression = 1;
    wide.colorsUsed = 1;
    wide.palette = {0, 0, 0, 0};
    wide.pixels = {0, 1};
    const std::string path = writeBitmap("too-wide.bmp", wide);
    EXPECT_EXIT(
        {
            testsupport::MessageCapture capture;
            uint32_t table[TEXTURE_COUNT] = {};
            loadTexture(table, path, TEX_FLARE);
        },
        testing::ExitedWithCode(1), "Error: Out of memory");
}

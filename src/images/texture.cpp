#include <GL/gl.h>
#include <GL/glu.h>

#include "assets/player_messages.h"
#include "images/texture.h"

uint32_t gTextures[TEXTURE_COUNT] = {};

namespace {
bool isPowerOfTwo(int32_t n) {
    return n > 0 && (n & (n - 1)) == 0;
}
}  // namespace

void loadTexture(uint32_t* table, const std::string& path, int index, TextureEdges edges) {
    const std::unique_ptr<RgbImage> image = loadTextureBitmap(path);
    if (!image) {
        endProgram(1);  // the loader has already said why
    }
    uploadTexture(table, *image, index, edges);
}

void uploadTexture(uint32_t* table, const RgbImage& image, int index, TextureEdges edges) {
    GLuint name = 0;
    glGenTextures(1, &name);
    table[index] = name;
    glBindTexture(GL_TEXTURE_2D, name);

    // Rows are tightly packed; with the usual 4-byte alignment a width that is
    // not a multiple of 4 would make the upload read past the pixel block.
    GLint alignment = 4;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    const bool packed = image.width % 4 != 0;
    if (packed) {
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    }
    if (isPowerOfTwo(image.width) && isPowerOfTwo(image.height)) {
        // Both filters are linear, so only the base level is ever sampled:
        // smaller levels would cost memory and start-up time and show nowhere.
        glTexImage2D(GL_TEXTURE_2D, 0, 3, image.width, image.height, 0, GL_RGB, GL_UNSIGNED_BYTE,
                     image.pixels.data());
    } else {
        // The mipmap builder scales other sizes to a near power of two: the
        // picture such a bitmap has always given.
        gluBuild2DMipmaps(GL_TEXTURE_2D, 3, image.width, image.height, GL_RGB, GL_UNSIGNED_BYTE,
                          image.pixels.data());
    }
    if (packed) {
        glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
    }

    if (edges == TextureEdges::Clamp) {
        // Edge texels, not the black border, so the sky's faces meet without a dark seam.
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    }
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
}

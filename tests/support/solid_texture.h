#pragma once

#include <GL/gl.h>

#include <cstdint>

namespace testsupport {

// A small texture of one colour, made here rather than read from data/, with
// nearest filtering so every texel shows exactly that colour. The texture
// binding is left as it was. Returns its name.
GLuint solidTexture(uint8_t r, uint8_t g, uint8_t b);

}  // namespace testsupport

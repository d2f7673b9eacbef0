#pragma once

#include <GL/gl.h>

#include <array>

namespace testsupport {

// Reads of the current OpenGL state, for tests of what drawing leaves behind.
bool isEnabled(GLenum capability);
GLint integerState(GLenum name);
std::array<GLfloat, 4> floats4(GLenum name);

}  // namespace testsupport

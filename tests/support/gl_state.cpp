#include "support/gl_state.h"

namespace testsupport {

bool isEnabled(GLenum capability) {
    return glIsEnabled(capability) == GL_TRUE;
}

GLint integerState(GLenum name) {
    GLint value = 0;
    glGetIntegerv(name, &value);
    return value;
}

std::array<GLfloat, 4> floats4(GLenum name) {
    std::array<GLfloat, 4> value{};
    glGetFloatv(name, value.data());
    return value;
}

}  // namespace testsupport

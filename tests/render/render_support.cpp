#include "render_support.h"

#include <cstdlib>
#include <memory>

#include "support/test_display.h"

namespace rendertest {

void useGameWindow() {
    // The display first, so that at exit the window goes before the server does.
    testsupport::ensureTestDisplay();
    static const auto window = std::make_unique<testsupport::GlTestWindow>();
}

void paintTexture(GLuint name, uint8_t r, uint8_t g, uint8_t b) {
    std::vector<uint8_t> pixels;
    for (int i = 0; i < 16; ++i) {
        pixels.insert(pixels.end(), {r, g, b});
    }
    GLint previous = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &previous);
    glBindTexture(GL_TEXTURE_2D, name);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 4, 4, 0, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(previous));
}

GLuint solidTexture(uint8_t r, uint8_t g, uint8_t b) {
    GLuint name = 0;
    glGenTextures(1, &name);
    paintTexture(name, r, g, b);
    return name;
}

std::array<int, 3> Frame::at(int x, int yFromTop) const {
    const size_t row = static_cast<size_t>(height - 1 - yFromTop);
    const size_t i = (row * static_cast<size_t>(width) + static_cast<size_t>(x)) * 3;
    return {rgb[i], rgb[i + 1], rgb[i + 2]};
}

Frame readFrame(GLenum buffer) {
    Frame frame;
    GLint viewport[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_VIEWPORT, viewport);
    frame.width = viewport[2];
    frame.height = viewport[3];
    frame.rgb.resize(static_cast<size_t>(frame.width) * static_cast<size_t>(frame.height) * 3);
    glFinish();
    glReadBuffer(buffer);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, frame.width, frame.height, GL_RGB, GL_UNSIGNED_BYTE, frame.rgb.data());
    return frame;
}

double changedShare(const Frame& a, const Frame& b, int x0, int y0, int x1, int y1, int tolerance) {
    long changed = 0;
    long total = 0;
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            const auto p = a.at(x, y);
            const auto q = b.at(x, y);
            ++total;
            for (int c = 0; c < 3; ++c) {
                if (std::abs(p[c] - q[c]) > tolerance) {
                    ++changed;
                    break;
                }
            }
        }
    }
    return total == 0 ? 0.0 : static_cast<double>(changed) / static_cast<double>(total);
}

bool isEnabled(GLenum cap) {
    return glIsEnabled(cap) == GL_TRUE;
}

GLint integer(GLenum name) {
    GLint value = 0;
    glGetIntegerv(name, &value);
    return value;
}

std::array<GLfloat, 4> floats4(GLenum name) {
    std::array<GLfloat, 4> value{};
    glGetFloatv(name, value.data());
    return value;
}

}  // namespace rendertest

#include "support/screen.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstdlib>

#include "screen/display.h"
#include "screen/framebuffer_calls.h"

namespace testsupport {

namespace {
// Zero, the window's own buffers, unless a framebuffer object is bound.
GLuint boundReadFramebuffer() {
    GLint bound = 0;
    if (framebufferCalls() != nullptr) {
        glGetIntegerv(GL_READ_FRAMEBUFFER_BINDING, &bound);
    }
    return static_cast<GLuint>(bound);
}

void readPixels(int width, int height, uint8_t* rgb) {
    glFinish();
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(boundReadFramebuffer() != 0 ? GL_COLOR_ATTACHMENT0 : GL_BACK);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, rgb);
}
}  // namespace

Screen::Screen(int width, int height)
    : width_(width), height_(height), rgb_(static_cast<size_t>(width) * height * 3) {}

Screen::Screen() : Screen(SCREEN_WIDTH, SCREEN_HEIGHT) {
    readPixels(width_, height_, rgb_.data());
}

Screen Screen::ofBound(int width, int height) {
    Screen screen(width, height);
    readPixels(width, height, screen.rgb_.data());
    return screen;
}

Screen Screen::presentedInWindow(int width, int height) {
    Screen screen(width, height);
    const FramebufferCalls* gl = framebufferCalls();
    const GLuint picture = boundReadFramebuffer();
    if (gl != nullptr) {
        gl->bindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    }
    readPixels(width, height, screen.rgb_.data());
    if (gl != nullptr) {
        gl->bindFramebuffer(GL_READ_FRAMEBUFFER, picture);
    }
    return screen;
}

Pixel Screen::at(int x, int yFromTop) const {
    const size_t row = static_cast<size_t>(height_ - 1 - yFromTop);
    const size_t i = (row * static_cast<size_t>(width_) + static_cast<size_t>(x)) * 3;
    return {rgb_[i], rgb_[i + 1], rgb_[i + 2]};
}

int Screen::count(int x0, int y0, int x1, int y1,
                  const std::function<bool(const Pixel&)>& test) const {
    int n = 0;
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            n += test(at(x, y)) ? 1 : 0;
        }
    }
    return n;
}

double Screen::meanBrightness(int x0, int y0, int x1, int y1) const {
    double sum = 0.0;
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            const Pixel p = at(x, y);
            sum += p[0] + p[1] + p[2];
        }
    }
    return sum / (3.0 * (x1 - x0) * (y1 - y0));
}

double changedShare(const Screen& a, const Screen& b, int x0, int y0, int x1, int y1,
                    int tolerance) {
    long changed = 0;
    long total = 0;
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            const Pixel p = a.at(x, y);
            const Pixel q = b.at(x, y);
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

bool isRed(const Pixel& p) {
    return p[0] > 200 && p[1] < 60 && p[2] < 60;
}

bool isGrey(const Pixel& p) {
    return p[0] > 90 && p[0] < 170 && p[0] == p[1] && p[1] == p[2];
}

bool isWhite(const Pixel& p) {
    return p[0] > 230 && p[1] > 230 && p[2] > 230;
}

bool isLit(const Pixel& p) {
    return p[0] + p[1] + p[2] > 0;
}

}  // namespace testsupport

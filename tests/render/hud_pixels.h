#pragma once

#include <GL/gl.h>

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

namespace hudtest {

using Pixel = std::array<uint8_t, 3>;

// The back buffer as drawn so far, addressed with y from the top of the screen
// like the overlay.
class Screen {
public:
    Screen() : pixels_(1024 * 768 * 3) {
        glFinish();
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadBuffer(GL_BACK);
        glReadPixels(0, 0, 1024, 768, GL_RGB, GL_UNSIGNED_BYTE, pixels_.data());
    }
    Pixel at(int x, int yFromTop) const {
        const size_t i = (static_cast<size_t>(767 - yFromTop) * 1024 + x) * 3;
        return {pixels_[i], pixels_[i + 1], pixels_[i + 2]};
    }
    // Pixels in [x0, x1) x [y0, y1) for which the test holds.
    int count(int x0, int y0, int x1, int y1, const std::function<bool(const Pixel&)>& test) const {
        int n = 0;
        for (int y = y0; y < y1; ++y) {
            for (int x = x0; x < x1; ++x) {
                n += test(at(x, y)) ? 1 : 0;
            }
        }
        return n;
    }
    double meanBrightness(int x0, int y0, int x1, int y1) const {
        double sum = 0.0;
        for (int y = y0; y < y1; ++y) {
            for (int x = x0; x < x1; ++x) {
                const Pixel p = at(x, y);
                sum += p[0] + p[1] + p[2];
            }
        }
        return sum / (3.0 * (x1 - x0) * (y1 - y0));
    }
    // A bounding box of the pixels for which the test holds: x0, y0, x1, y1.
    std::array<int, 4> bounds(const std::function<bool(const Pixel&)>& test) const {
        std::array<int, 4> box{1024, 768, -1, -1};
        for (int y = 0; y < 768; ++y) {
            for (int x = 0; x < 1024; ++x) {
                if (test(at(x, y))) {
                    box = {std::min(box[0], x), std::min(box[1], y), std::max(box[2], x),
                           std::max(box[3], y)};
                }
            }
        }
        return box;
    }
    bool operator==(const Screen& other) const { return pixels_ == other.pixels_; }

private:
    std::vector<uint8_t> pixels_;
};

inline bool isRed(const Pixel& p) {
    return p[0] > 200 && p[1] < 60 && p[2] < 60;
}
inline bool isGrey(const Pixel& p) {
    return p[0] > 90 && p[0] < 170 && p[0] == p[1] && p[1] == p[2];
}
inline bool isWhite(const Pixel& p) {
    return p[0] > 230 && p[1] > 230 && p[2] > 230;
}
inline bool isLit(const Pixel& p) {
    return p[0] + p[1] + p[2] > 0;
}

// A square texture of one colour, made here rather than read from data/.
inline GLuint solidTexture(uint8_t r, uint8_t g, uint8_t b) {
    std::vector<uint8_t> texels(8 * 8 * 3);
    for (size_t i = 0; i < texels.size(); i += 3) {
        texels[i] = r;
        texels[i + 1] = g;
        texels[i + 2] = b;
    }
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 8, 8, 0, GL_RGB, GL_UNSIGNED_BYTE, texels.data());
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glBindTexture(GL_TEXTURE_2D, 0);
    return name;
}

inline GLint integerState(GLenum name) {
    GLint value = 0;
    glGetIntegerv(name, &value);
    return value;
}

}  // namespace hudtest

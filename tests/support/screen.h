#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>
#include <vector>

namespace testsupport {

using Pixel = std::array<uint8_t, 3>;

// The game's 1024 x 768 picture as drawn so far, read back when made,
// addressed with y from the top of the screen like the overlay. The picture is
// the window's back buffer, or the off-screen picture while a window of
// another size has one.
class Screen {
public:
    Screen();
    // The window's own back buffer, of the window's size: the picture as
    // presented there, bars and all.
    static Screen presentedInWindow(int width, int height);
    // Whatever framebuffer is bound, at the given size.
    static Screen ofBound(int width, int height);

    int width() const { return width_; }
    int height() const { return height_; }
    Pixel at(int x, int yFromTop) const;
    // Pixels in [x0, x1) x [y0, y1) for which the test holds.
    int count(int x0, int y0, int x1, int y1, const std::function<bool(const Pixel&)>& test) const;
    double meanBrightness(int x0, int y0, int x1, int y1) const;
    // A bounding box of the pixels for which the test holds: x0, y0, x1, y1.
    // Read straight from the rows, as a 4K screen has eight million pixels.
    template <typename Test>
    std::array<int, 4> bounds(Test test) const {
        std::array<int, 4> box{width_, height_, -1, -1};
        for (int row = 0; row < height_; ++row) {
            const uint8_t* p = rgb_.data() + static_cast<size_t>(row) * width_ * 3;
            const int y = height_ - 1 - row;
            for (int x = 0; x < width_; ++x, p += 3) {
                if (test(Pixel{p[0], p[1], p[2]})) {
                    box = {std::min(box[0], x), std::min(box[1], y), std::max(box[2], x),
                           std::max(box[3], y)};
                }
            }
        }
        return box;
    }
    bool operator==(const Screen& other) const { return rgb_ == other.rgb_; }

private:
    Screen(int width, int height);

    int width_;
    int height_;
    std::vector<uint8_t> rgb_;  // bottom row first, as OpenGL reads it
};

// Share of pixels that differ by more than tolerance in any channel between
// two screens, inside [x0, x1) x [y0, y1) counted from the top left.
double changedShare(const Screen& a, const Screen& b, int x0, int y0, int x1, int y1,
                    int tolerance = 12);

bool isRed(const Pixel& p);
bool isGrey(const Pixel& p);
bool isWhite(const Pixel& p);
bool isLit(const Pixel& p);

}  // namespace testsupport

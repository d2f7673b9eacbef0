#pragma once

#include <algorithm>
#include <cmath>
#include <vector>

namespace assetgen {

struct Color {
    double r = 0, g = 0, b = 0;
};

inline Color operator+(Color a, Color b) {
    return {a.r + b.r, a.g + b.g, a.b + b.b};
}
inline Color operator*(Color a, double s) {
    return {a.r * s, a.g * s, a.b * s};
}
inline Color mix(Color a, Color b, double t) {
    return a * (1.0 - t) + b * t;
}

inline double clamp01(double v) {
    return std::min(1.0, std::max(0.0, v));
}

inline double smoothstep(double edge0, double edge1, double x) {
    double t = clamp01((x - edge0) / (edge1 - edge0));
    return t * t * (3.0 - 2.0 * t);
}

// Colour from 0..255 components, as palettes are usually written down.
inline Color rgb(int r, int g, int b) {
    return {r / 255.0, g / 255.0, b / 255.0};
}

// A picture in linear 0..1 colour; row 0 is the bottom row, as bitmaps and
// textures count them, so (x, y) reads like texture coordinates.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<Color> pixels;

    Image(int w, int h) : width(w), height(h), pixels(static_cast<size_t>(w) * h) {}

    Color& at(int x, int y) { return pixels[static_cast<size_t>(y) * width + x]; }
    const Color& at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }

    // Runs shade(s, t) at every pixel centre, s and t running 0..1.
    template <typename Shader>
    void fill(Shader shade) {
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                at(x, y) = shade((x + 0.5) / width, (y + 0.5) / height);
            }
        }
    }
};

inline unsigned char toByte(double v) {
    return static_cast<unsigned char>(std::lround(clamp01(v) * 255.0));
}

}  // namespace assetgen

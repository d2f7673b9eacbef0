#include "icon.h"

#include <cmath>

#include "craft_model.h"
#include "craft_preview.h"
#include "image.h"

namespace assetgen {
namespace {

// Each icon pixel averages this many samples across and down, so the small
// sizes get smooth edges rather than stairs.
const int SAMPLES = 4;

const double BADGE_MARGIN = 0.04;
const double BADGE_CORNER = 0.2;

// The craft is drawn smaller than in its preview and above the middle,
// leaving room for its glow.
const double CRAFT_ZOOM = 0.8;
const double CRAFT_RAISE = 0.07;

// Signed distance to the rounded badge's edge, negative inside; s, t in 0..1.
double badgeDistance(double s, double t) {
    const double half = 0.5 - BADGE_MARGIN - BADGE_CORNER;
    const double dx = std::fmax(std::fabs(s - 0.5) - half, 0.0);
    const double dy = std::fmax(std::fabs(t - 0.5) - half, 0.0);
    return std::sqrt(dx * dx + dy * dy) - BADGE_CORNER;
}

// The road runs up the middle and narrows towards the horizon.
Color badgeColour(double s, double t) {
    Color sky = mix(rgb(62, 110, 196), rgb(168, 200, 236), t);
    const double halfWidth = 0.36 - 0.2 * t;
    const double across = std::fabs(s - 0.5) / halfWidth;
    if (across > 1.12) {
        return sky;
    }
    if (across > 1.0) {
        // Kerbs in red and white blocks, shorter towards the horizon.
        const bool red = std::fmod(std::pow(1.0 - t, 0.7) * 9.0, 1.0) < 0.5;
        return red ? rgb(200, 36, 40) : rgb(236, 236, 236);
    }
    Color asphalt = mix(rgb(72, 74, 82), rgb(112, 114, 124), t);
    const bool dash = across < 0.05 && std::fmod(t * 5.0, 1.0) < 0.55;
    return dash ? rgb(220, 220, 220) : asphalt;
}

// The engines' violet-white glow, added over the road behind each nozzle;
// placed as the craft drawing places the model.
Color withExhaust(Color base, double s, double t) {
    const double scale = CRAFT_ZOOM / 760.0;
    const double nozzleT = 0.5 + CRAFT_RAISE + (LEFT_NOZZLE.y - 65) * scale;
    for (double nozzleX : {LEFT_NOZZLE.x, RIGHT_NOZZLE.x}) {
        const double dx = (s - 0.5 - nozzleX * scale) / 0.045;
        const double dy = (t - nozzleT) / (t < nozzleT ? 0.12 : 0.05);
        const double glow = std::exp(-(dx * dx + dy * dy) * 1.5);
        base = base + rgb(200, 150, 255) * (1.6 * glow);
    }
    return {clamp01(base.r), clamp01(base.g), clamp01(base.b)};
}

}  // namespace

RgbaImage makeIcon(int size) {
    const int fine = size * SAMPLES;
    Image picture(fine, fine);
    picture.fill([](double s, double t) { return withExhaust(badgeColour(s, t), s, t); });
    const std::vector<bool> craft =
        paintCraftView(makeCraft(), CraftView::Top, picture, CRAFT_ZOOM, CRAFT_RAISE);

    RgbaImage icon;
    icon.width = size;
    icon.height = size;
    icon.bytes.reserve(static_cast<size_t>(size) * size * 4);
    for (int row = 0; row < size; ++row) {
        const int y0 = (size - 1 - row) * SAMPLES;  // icon rows run from the top
        for (int x0 = 0; x0 < fine; x0 += SAMPLES) {
            Color sum;
            double coverage = 0;
            for (int y = y0; y < y0 + SAMPLES; ++y) {
                for (int x = x0; x < x0 + SAMPLES; ++x) {
                    const bool inside = craft[static_cast<size_t>(y) * fine + x] ||
                                        badgeDistance((x + 0.5) / fine, (y + 0.5) / fine) <= 0;
                    if (inside) {
                        sum = sum + picture.at(x, y);
                        coverage += 1;
                    }
                }
            }
            const Color average = coverage > 0 ? sum * (1.0 / coverage) : Color{};
            icon.bytes.push_back(toByte(average.r));
            icon.bytes.push_back(toByte(average.g));
            icon.bytes.push_back(toByte(average.b));
            icon.bytes.push_back(toByte(coverage / (SAMPLES * SAMPLES)));
        }
    }
    return icon;
}

}  // namespace assetgen

#include <cmath>

#include "textures.h"

namespace assetgen {
namespace {

const int GLOW_SIZE = 256;

// Distance from the picture's centre, 1 at the middle of each edge.
double radiusAt(double s, double t) {
    double dx = s * 2 - 1;
    double dy = t * 2 - 1;
    return std::sqrt(dx * dx + dy * dy);
}

}  // namespace

Image makeFlare() {
    Image image(GLOW_SIZE, GLOW_SIZE);
    image.fill([](double s, double t) {
        double r = radiusAt(s, t);
        double angle = std::atan2(t - 0.5, s - 0.5);
        double core = std::exp(-r * r * 40.0);
        double halo = std::exp(-r * r * 6.0) * 0.55;
        // Four faint rays make the glow sparkle as the game spins it.
        double rays = std::pow(std::fabs(std::cos(2 * angle)), 60.0) * std::exp(-r * 3.5) * 0.5;
        // Additive: the rim must be pure black or the quad's square shows.
        double rim = 1.0 - smoothstep(0.75, 0.98, r);
        double v = clamp01((core + halo + rays) * rim);
        return Color{v, v, v};
    });
    return image;
}

Image makeShadow() {
    Image image(GLOW_SIZE, GLOW_SIZE);
    image.fill([](double s, double t) {
        double r = radiusAt(s, t);
        // White is the darkest shadow: a soft blob, dense in the middle.
        double v = 1.0 - smoothstep(0.15, 0.95, r);
        v = v * v * (3 - 2 * v);
        return Color{v, v, v};
    });
    return image;
}

}  // namespace assetgen

#include <cmath>

#include "noise.h"
#include "random.h"
#include "textures.h"

namespace assetgen {
namespace {

// One copy of each texture covers one track segment: s runs along the track
// (about 3000 units), t across the road (1200 units) or up the wall (300 units).
const int SEGMENT_TEXELS = 512;
const int ACROSS_TEXELS = 256;

const Color ASPHALT = rgb(78, 80, 84);
const Color ASPHALT_WORN = rgb(104, 104, 106);
const Color TYRE_RUBBER = rgb(44, 44, 46);
const Color LINE_WHITE = rgb(236, 236, 228);
const Color KERB_RED = rgb(200, 36, 32);

const Color PANEL = rgb(196, 198, 202);
const Color PANEL_SEAM = rgb(70, 72, 78);
const Color RAIL = rgb(90, 94, 102);
const Color GRIME = rgb(70, 66, 60);
const Color BOLT = rgb(140, 142, 148);
const Color RIGHT_STRIPE = rgb(214, 40, 34);
const Color LEFT_STRIPE = rgb(36, 84, 200);
const Color STRIPE_WHITE = rgb(240, 240, 236);

// Per-texel grain that repeats with the texture, since it hangs on the texel grid.
double grain(int x, int y, uint32_t seed) {
    return hashUnit(x, y, 0, seed);
}

double paintMask(double distance, double halfWidth, double softness) {
    return 1.0 - smoothstep(halfWidth - softness, halfWidth + softness, distance);
}

}  // namespace

Image makeRoad() {
    Image image(SEGMENT_TEXELS, ACROSS_TEXELS);
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            double s = (x + 0.5) / image.width;
            double t = (y + 0.5) / image.height;

            double coarse = fractalNoise2(s * 16, t * 6, 4, 101, 16, 6);
            Color road = mix(ASPHALT, ASPHALT_WORN, smoothstep(0.35, 0.75, coarse));
            road = road * (0.86 + 0.28 * grain(x, y, 103));

            // Racing lines darken where the craft skim the surface most.
            double streak = fractalNoise2(s * 8, t * 40, 3, 107, 8, 40);
            for (double lane : {0.3, 0.7}) {
                double rubber = std::exp(-std::pow((t - lane) / 0.06, 2.0));
                road = mix(road, TYRE_RUBBER, 0.45 * rubber * smoothstep(0.3, 0.7, streak));
            }

            double wear = 0.75 + 0.25 * fractalNoise2(s * 32, t * 16, 3, 109, 32, 16);

            // Solid edge lines, a little inside each edge.
            double edge = std::min(std::fabs(t - 0.06), std::fabs(t - 0.94));
            road = mix(road, LINE_WHITE * wear, paintMask(edge, 0.012, 0.004));

            // Red and white kerb blocks along the very edge, eight per segment.
            double outer = std::min(t, 1.0 - t);
            if (outer < 0.035) {
                bool red = static_cast<int>(std::floor(s * 8)) % 2 == 0;
                road = (red ? KERB_RED : LINE_WHITE) * wear;
            }

            // One dash of the centre line per segment.
            double dashPhase = std::fmod(s, 1.0);
            double dash = smoothstep(0.1, 0.11, dashPhase) * (1 - smoothstep(0.6, 0.61, dashPhase));
            road = mix(road, LINE_WHITE * wear, dash * paintMask(std::fabs(t - 0.5), 0.016, 0.004));

            image.at(x, y) = road;
        }
    }
    return image;
}

Image makeWall(bool rightSide) {
    const Color stripe = rightSide ? RIGHT_STRIPE : LEFT_STRIPE;
    const uint32_t seed = rightSide ? 201 : 211;
    const int panels = 4;
    Image image(SEGMENT_TEXELS, ACROSS_TEXELS);
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            double s = (x + 0.5) / image.width;
            double t = (y + 0.5) / image.height;

            double dirt = fractalNoise2(s * 24, t * 8, 4, seed, 24, 8);
            Color wall = PANEL * (0.88 + 0.16 * dirt + 0.06 * grain(x, y, seed + 1));

            // Grime splashes up from the road at the foot of the wall.
            wall = mix(wall, GRIME, (1 - smoothstep(0.02, 0.3, t)) * (0.4 + 0.5 * dirt));

            // The bold stripe: a coloured band with slanted white bars.
            if (t > 0.5 && t < 0.74) {
                double slant = s * 32 + t * 6;
                bool bar = static_cast<int>(std::floor(slant)) % 2 == 0;
                Color band = bar ? stripe : STRIPE_WHITE;
                wall = band * (0.9 + 0.1 * dirt);
            }
            double stripeEdge = std::min(std::fabs(t - 0.5), std::fabs(t - 0.74));
            wall = mix(wall, PANEL_SEAM, paintMask(stripeEdge, 0.006, 0.003));

            // Capping rail along the top.
            if (t > 0.9) {
                wall = RAIL * (0.8 + 0.4 * smoothstep(0.9, 1.0, t));
            }

            // Panel seams and a bolt at each panel corner.
            double panelPhase = std::fmod(s * panels, 1.0);
            double seam = std::min(panelPhase, 1.0 - panelPhase) / panels;
            wall = mix(wall, PANEL_SEAM, paintMask(seam, 0.003, 0.0015));
            for (double boltT : {0.2, 0.82}) {
                double ds = seam * image.width - 7;
                double dt = (t - boltT) * image.height;
                double r = std::sqrt(ds * ds + dt * dt);
                wall = mix(wall, BOLT, paintMask(r, 3.0, 0.8));
            }
            image.at(x, y) = wall;
        }
    }
    return image;
}

}  // namespace assetgen

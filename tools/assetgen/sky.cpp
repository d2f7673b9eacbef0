#include <cmath>

#include "noise.h"
#include "random.h"
#include "textures.h"

namespace assetgen {
namespace {

const double SKY_PI = 3.14159265358979323846;

// The box the game draws around the world, and the middle of the track, from
// where the horizon should look level.
const double BOX_X0 = -900000, BOX_X1 = 900000;
const double BOX_Y0 = -420000, BOX_Y1 = 780000;
const double BOX_Z0 = -900000, BOX_Z1 = 900000;
const Vec3 EYE = {-160000, 0, 300000};

const Color ZENITH = rgb(38, 84, 168);
const Color HORIZON_SKY = rgb(186, 208, 226);
const Color SUNSET_TINT = rgb(250, 214, 170);
const Color CLOUD_LIT = rgb(252, 250, 246);
const Color CLOUD_SHADE = rgb(150, 160, 180);
const Color FAR_HILLS = rgb(110, 130, 160);
const Color NEAR_HILLS = rgb(62, 92, 58);
const Color NEAR_HILLS_DARK = rgb(38, 60, 40);
const Color GRASS = rgb(84, 118, 58);
const Color DRY_GRASS = rgb(150, 140, 86);
const Color SOIL = rgb(112, 92, 66);
const Color HAZE = rgb(170, 186, 196);

const double SUN_AZIMUTH = 0.7;
const double SUN_ELEVATION = 0.32;

// A ridge line around the horizon: a sum of whole harmonics of the azimuth,
// so it closes on itself after a full turn.
struct Ridge {
    double base;
    double amplitude[9];
    double phase[9];

    Ridge(double baseHeight, double size, uint64_t seed) : base(baseHeight) {
        Random random(seed);
        for (int k = 1; k < 9; ++k) {
            amplitude[k] = size * random.uniform() / k;
            phase[k] = random.uniform() * 2 * SKY_PI;
        }
    }

    double height(double azimuth) const {
        double h = base;
        for (int k = 1; k < 9; ++k) {
            h += amplitude[k] * std::sin(k * azimuth + phase[k]);
        }
        return h;
    }
};

const Ridge FAR_RIDGE(0.07, 0.1, 11);
const Ridge NEAR_RIDGE(0.03, 0.05, 23);

Color skyAbove(const Vec3& d, double elevation, double azimuth) {
    double height = std::pow(clamp01(elevation / (SKY_PI / 2)), 0.45);
    Color sky = mix(HORIZON_SKY, ZENITH, height);

    // Warm light gathers around the sun's side of the sky.
    double towardSun = std::cos(azimuth - SUN_AZIMUTH) * std::cos(elevation - SUN_ELEVATION);
    sky = mix(sky, SUNSET_TINT, 0.35 * std::pow(clamp01(towardSun), 6.0) * (1 - height));
    double sunGlow = std::pow(clamp01(towardSun), 400.0);
    sky = mix(sky, Color{1, 1, 0.92}, clamp01(sunGlow * 1.4));

    // Clouds lie on a flat layer; far away they thin into the haze.
    double lift = std::max(d.y, 0.02);
    double u = d.x / lift * 1.6;
    double v = d.z / lift * 1.6;
    double density = fractalNoise2(u, v, 5, 7);
    double cover = smoothstep(0.50, 0.72, density) * smoothstep(0.03, 0.25, d.y);
    double shade = fractalNoise2(u + 0.35, v + 0.35, 4, 7);
    Color cloud = mix(CLOUD_SHADE, CLOUD_LIT, smoothstep(0.35, 0.75, density - shade + 0.5));
    return mix(sky, cloud, cover * 0.9);
}

Color groundBelow(const Vec3& d, double elevation) {
    double drop = std::max(-d.y, 0.004);
    double u = d.x / drop * 0.6;
    double v = d.z / drop * 0.6;
    double fields = fractalNoise2(u, v, 5, 31);
    double patches = fractalNoise2(u * 0.25, v * 0.25, 3, 43);
    Color ground = mix(GRASS, DRY_GRASS, smoothstep(0.45, 0.7, patches));
    ground = mix(ground, SOIL, smoothstep(0.62, 0.8, fields) * 0.7);
    ground = ground * (0.85 + 0.3 * fields);
    double haze = std::exp(-(-elevation) * 14.0);
    return mix(ground, HAZE, haze * 0.85);
}

}  // namespace

const char* skyFaceName(SkyFace face) {
    switch (face) {
        case SkyFace::Front:
            return "front";
        case SkyFace::Right:
            return "right";
        case SkyFace::Back:
            return "back";
        case SkyFace::Left:
            return "left";
        case SkyFace::Top:
            return "top";
        case SkyFace::Bottom:
            return "bottom";
    }
    return "";
}

Vec3 skyFacePoint(SkyFace face, double s, double t) {
    auto along = [](double lo, double hi, double f) { return lo + (hi - lo) * f; };
    switch (face) {
        case SkyFace::Back:  // z = z0, s grows with x
            return {along(BOX_X0, BOX_X1, s), along(BOX_Y0, BOX_Y1, t), BOX_Z0};
        case SkyFace::Front:  // z = z1, s grows towards -x
            return {along(BOX_X1, BOX_X0, s), along(BOX_Y0, BOX_Y1, t), BOX_Z1};
        case SkyFace::Left:  // x = x0, s grows towards -z
            return {BOX_X0, along(BOX_Y0, BOX_Y1, t), along(BOX_Z1, BOX_Z0, s)};
        case SkyFace::Right:  // x = x1, s grows with z
            return {BOX_X1, along(BOX_Y0, BOX_Y1, t), along(BOX_Z0, BOX_Z1, s)};
        case SkyFace::Top:  // s = 1 at x0, t = 1 at z0
            return {along(BOX_X1, BOX_X0, s), BOX_Y1, along(BOX_Z1, BOX_Z0, t)};
        case SkyFace::Bottom:  // s = 1 at x0, t = 0 at z0
            return {along(BOX_X1, BOX_X0, s), BOX_Y0, along(BOX_Z0, BOX_Z1, t)};
    }
    return {};
}

Image makeSkyFace(SkyFace face, int size) {
    Image image(size, size);
    image.fill([face](double s, double t) {
        Vec3 p = skyFacePoint(face, s, t);
        Vec3 d = {p.x - EYE.x, p.y - EYE.y, p.z - EYE.z};
        double length = std::sqrt(d.x * d.x + d.y * d.y + d.z * d.z);
        d = {d.x / length, d.y / length, d.z / length};
        double elevation = std::asin(d.y);
        double azimuth = std::atan2(d.z, d.x);

        double nearTop = NEAR_RIDGE.height(azimuth);
        double farTop = FAR_RIDGE.height(azimuth);
        if (elevation < 0) {
            return groundBelow(d, elevation);
        }
        if (elevation < nearTop) {
            // Near hills: darker towards their foot, speckled with trees.
            double texture = fractalNoise2(azimuth * 60, elevation * 300, 4, 53);
            Color hill = mix(NEAR_HILLS_DARK, NEAR_HILLS, elevation / nearTop);
            return mix(hill * (0.8 + 0.4 * texture), HAZE, 0.25);
        }
        if (elevation < farTop) {
            double texture = fractalNoise2(azimuth * 30, elevation * 150, 3, 61);
            return mix(FAR_HILLS * (0.9 + 0.2 * texture), HAZE, 0.35);
        }
        return skyAbove(d, elevation, azimuth);
    });
    return image;
}

}  // namespace assetgen

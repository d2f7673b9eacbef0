#include <algorithm>
#include <cmath>
#include <vector>

#include "textures.h"

namespace assetgen {
namespace {

const double DIGITS_PI = 3.14159265358979323846;
const int DIGIT_SIZE = 256;
const double STROKE_HALF_WIDTH = 0.055;
const Color CORE = rgb(255, 250, 226);
const Color GLOW = rgb(255, 150, 30);

struct Point {
    double x, y;
};

// A pen stroke: a straight line, or an arc swept from startAngle by sweep
// (negative is clockwise). Digits are drawn in a unit square, y up.
struct Stroke {
    bool isArc;
    Point a, b;    // line ends
    Point centre;  // arc
    double radius;
    double startAngle, sweep;
};

Stroke line(Point a, Point b) {
    return {false, a, b, {0, 0}, 0, 0, 0};
}

Stroke arc(Point centre, double radius, double startDegrees, double sweepDegrees) {
    return {true,
            {0, 0},
            {0, 0},
            centre,
            radius,
            startDegrees * DIGITS_PI / 180,
            sweepDegrees * DIGITS_PI / 180};
}

Point arcPoint(const Stroke& s, double angle) {
    return {s.centre.x + s.radius * std::cos(angle), s.centre.y + s.radius * std::sin(angle)};
}

double distanceToPoint(Point p, Point q) {
    return std::hypot(p.x - q.x, p.y - q.y);
}

double distanceToStroke(const Stroke& s, Point p) {
    if (!s.isArc) {
        double dx = s.b.x - s.a.x, dy = s.b.y - s.a.y;
        double f = ((p.x - s.a.x) * dx + (p.y - s.a.y) * dy) / (dx * dx + dy * dy);
        f = std::min(1.0, std::max(0.0, f));
        return distanceToPoint(p, {s.a.x + dx * f, s.a.y + dy * f});
    }
    // How far round the sweep the point's direction lies, in the sweep's sense.
    double angle = std::atan2(p.y - s.centre.y, p.x - s.centre.x);
    double along = (angle - s.startAngle) * (s.sweep < 0 ? -1 : 1);
    along = std::fmod(std::fmod(along, 2 * DIGITS_PI) + 2 * DIGITS_PI, 2 * DIGITS_PI);
    if (along <= std::fabs(s.sweep)) {
        return std::fabs(distanceToPoint(p, s.centre) - s.radius);
    }
    return std::min(distanceToPoint(p, arcPoint(s, s.startAngle)),
                    distanceToPoint(p, arcPoint(s, s.startAngle + s.sweep)));
}

std::vector<Stroke> digitStrokes(int digit) {
    switch (digit) {
        case 1:
            return {line({0.52, 0.15}, {0.52, 0.85}), line({0.52, 0.85}, {0.36, 0.72}),
                    line({0.36, 0.15}, {0.68, 0.15})};
        case 2:
            return {arc({0.5, 0.66}, 0.19, 160, -200), line({0.6455, 0.5379}, {0.31, 0.15}),
                    line({0.31, 0.15}, {0.71, 0.15})};
        case 3:
            return {arc({0.5, 0.675}, 0.165, 150, -240), arc({0.5, 0.32}, 0.19, 90, -240)};
        case 4:
            return {line({0.62, 0.15}, {0.62, 0.85}), line({0.62, 0.85}, {0.28, 0.36}),
                    line({0.28, 0.36}, {0.76, 0.36})};
        case 5:
            return {line({0.7, 0.85}, {0.35, 0.85}), line({0.35, 0.85}, {0.33, 0.53}),
                    line({0.33, 0.53}, {0.3468, 0.4786}), arc({0.5, 0.35}, 0.2, 140, -280)};
        case 6:
            return {arc({0.5, 0.34}, 0.19, 0, 360), arc({0.72, 0.4}, 0.41, 180, -70),
                    line({0.58, 0.785}, {0.67, 0.83})};
        default:
            return {};
    }
}

}  // namespace

Image makeDigit(int digit) {
    std::vector<Stroke> strokes = digitStrokes(digit);
    Image image(DIGIT_SIZE, DIGIT_SIZE);
    image.fill([&strokes](double s, double t) {
        double d = 1e9;
        for (const Stroke& stroke : strokes) {
            d = std::min(d, distanceToStroke(stroke, {s, t}));
        }
        double edge = d - STROKE_HALF_WIDTH;
        double core = 1.0 - smoothstep(-0.006, 0.006, edge);
        double glow = std::exp(-std::max(edge, 0.0) / 0.045) * 0.75;
        // Hot centre of the pen line, whiter than its rim.
        double heat = 1.0 - smoothstep(-STROKE_HALF_WIDTH, 0.0, edge);
        Color lit = mix(GLOW, CORE, 0.55 + 0.45 * heat);
        Color c = mix(GLOW * glow, lit, core);
        // Drawn additively, so the border must be black.
        double border = std::max(std::fabs(s - 0.5), std::fabs(t - 0.5));
        return c * (1.0 - smoothstep(0.38, 0.47, border));
    });
    return image;
}

}  // namespace assetgen

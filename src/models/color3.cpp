#include <algorithm>
#include <cmath>

#include "models/color3.h"

void Color3::set(double r_, double g_, double b_) {
    r = r_;
    g = g_;
    b = b_;
}

Color3& Color3::operator+=(const Color3& c) {
    set(r + c.r, g + c.g, b + c.b);
    return *this;
}

Color3& Color3::operator-=(const Color3& c) {
    set(r - c.r, g - c.g, b - c.b);
    return *this;
}

Color3& Color3::operator*=(double s) {
    set(r * s, g * s, b * s);
    return *this;
}

Color3 Color3::operator*(double s) const {
    return {r * s, g * s, b * s};
}

Color3 Color3::operator*(const Color3& c) const {
    return {r * c.r, g * c.g, b * c.b};
}

Color3 Color3::weightedSum(const Color3& a, double s, const Color3& b, double t) {
    return {a.r * s + b.r * t, a.g * s + b.g * t, a.b * s + b.b * t};
}

bool Color3::operator==(const Color3& c) const {
    return r == c.r && g == c.g && b == c.b;
}

void Color3::clamp() {
    set(std::clamp(r, 0.0, 1.0), std::clamp(g, 0.0, 1.0), std::clamp(b, 0.0, 1.0));
}

double Color3::distanceTo(const Color3& c) const {
    const double dr = r - c.r;
    const double dg = g - c.g;
    const double db = b - c.b;
    return std::sqrt(dr * dr + dg * dg + db * db);
}

Color3::Color3(TokenReader& reader) {
    r = reader.readFloat();
    g = reader.readFloat();
    b = reader.readFloat();
}

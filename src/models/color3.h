#pragma once

#include "assets/token_reader.h"

// A material colour as the file gives it.
struct Color3 {
    double r = 0.0;
    double g = 0.0;
    double b = 0.0;

    Color3() = default;
    Color3(double r_, double g_, double b_) : r(r_), g(g_), b(b_) {}
    explicit Color3(TokenReader& reader);

    void set(double r_, double g_, double b_);
    Color3& operator+=(const Color3& c);
    Color3& operator-=(const Color3& c);
    Color3& operator*=(double s);
    Color3 operator*(double s) const;
    Color3 operator*(const Color3& c) const;  // component-wise
    static Color3 weightedSum(const Color3& a, double s, const Color3& b, double t);
    bool operator==(const Color3& c) const;
    void clamp();
    double distanceTo(const Color3& c) const;
};

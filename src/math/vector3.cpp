#include "math/vector3.h"

#include <cmath>

void Vector3::set(double x_, double y_, double z_) {
    x = x_;
    y = y_;
    z = z_;
}

double Vector3::length() const {
    return std::sqrt(x * x + y * y + z * z);
}

double Vector3::lengthSquared() const {
    return x * x + y * y + z * z;
}

double Vector3::distanceTo(const Vector3& p) const {
    const double dx = p.x - x;
    const double dy = p.y - y;
    const double dz = p.z - z;
    return std::sqrt(dx * dx + dy * dy + dz * dz);
}

double Vector3::manhattanDistanceTo(const Vector3& p) const {
    return std::fabs(p.x - x) + std::fabs(p.y - y) + std::fabs(p.z - z);
}

double Vector3::flatManhattanDistanceTo(const Vector3& p) const {
    return std::fabs(p.x - x) + std::fabs(p.z - z);
}

bool Vector3::isInsideBox(const Vector3& lo, const Vector3& hi) const {
    return lo.x <= x && x <= hi.x && lo.y <= y && y <= hi.y && lo.z <= z && z <= hi.z;
}

float Vector3::distanceToLine(const Vector3& a, const Vector3& b) const {
    const Vector3 d = b - a;
    const Vector3 w = *this - a;
    return static_cast<float>(d.cross(w).length() / d.length());
}

Vector3 Vector3::cross(const Vector3& v) const {
    return {y * v.z - z * v.y, z * v.x - x * v.z, x * v.y - y * v.x};
}

void Vector3::normalize() {
    const double len = length();
    if (len == 0.0) {
        set(0.0, 0.0, 0.0);
        return;
    }
    x /= len;
    y /= len;
    z /= len;
}

void Vector3::negate() {
    set(-x, -y, -z);
}

Vector3 Vector3::setLinearCombination(const Vector3& a, double s1, const Vector3& b, double s2) {
    *this = a * s1 + b * s2;
    return *this;
}

void Vector3::rotateX(double angle) {
    const double cosA = std::cos(angle);
    const double sinA = std::sin(angle);
    const double oldY = y;
    const double oldZ = z;
    y = oldY * cosA + oldZ * sinA;
    z = -oldY * sinA + oldZ * cosA;
}

void Vector3::rotateY(double angle) {
    const double cosA = std::cos(angle);
    const double sinA = std::sin(angle);
    const double oldX = x;
    const double oldZ = z;
    x = oldX * cosA - oldZ * sinA;
    z = oldX * sinA + oldZ * cosA;
}

void Vector3::rotateY(float sinA, float cosA) {
    const double oldX = x;
    const double oldZ = z;
    x = oldX * cosA - oldZ * sinA;
    z = oldX * sinA + oldZ * cosA;
}

void Vector3::rotateZ(double angle) {
    const double cosA = std::cos(angle);
    const double sinA = std::sin(angle);
    const double oldX = x;
    const double oldY = y;
    x = oldX * cosA + oldY * sinA;
    y = -oldX * sinA + oldY * cosA;
}

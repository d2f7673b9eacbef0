// math: vectors in world space, the floor every other room stands on.
#pragma once

// A point or direction in world space. y points up; the craft fly at 40.
struct Vector3 {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;

    Vector3() = default;
    Vector3(double x_, double y_, double z_) : x(x_), y(y_), z(z_) {}

    void set(double x_, double y_, double z_);

    double length() const;
    double lengthSquared() const;
    double distanceTo(const Vector3& p) const;
    double manhattanDistanceTo(const Vector3& p) const;
    double flatManhattanDistanceTo(const Vector3& p) const;
    bool isInsideBox(const Vector3& lo, const Vector3& hi) const;
    // Distance to the infinite line through a and b, rounded to single
    // precision: the progress code stores exactly that rounded value.
    float distanceToLine(const Vector3& a, const Vector3& b) const;

    bool operator==(const Vector3& v) const { return x == v.x && y == v.y && z == v.z; }
    bool operator!=(const Vector3& v) const { return !(*this == v); }

    Vector3 operator+(const Vector3& v) const { return {x + v.x, y + v.y, z + v.z}; }
    Vector3 operator-(const Vector3& v) const { return {x - v.x, y - v.y, z - v.z}; }
    Vector3 operator*(double s) const { return {x * s, y * s, z * s}; }
    Vector3 operator/(double s) const { return {x / s, y / s, z / s}; }
    Vector3 cross(const Vector3& v) const;

    void normalize();
    void negate();
    Vector3 setLinearCombination(const Vector3& a, double s1, const Vector3& b, double s2);
    void rotateX(double angle);
    void rotateY(double angle);
    void rotateY(float sinA, float cosA);
    void rotateZ(double angle);
};

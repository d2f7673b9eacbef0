#include "craft_model.h"

#include <cmath>

namespace assetgen {
namespace {

const double PI = 3.14159265358979323846;

// A cross-section of a body running along y: a rounded box whose upper half
// may be taller than its lower half. Higher squareness gives flatter sides.
struct Station {
    double y;
    double centreZ;
    double halfWidth;
    double top;
    double bottom;
};

Ring bodyRing(const Station& s, double centreX, int points, double squareness) {
    Ring ring;
    ring.centre = {centreX, s.y, s.centreZ};
    for (int k = 0; k < points; ++k) {
        double angle = 2 * PI * k / points;
        double c = std::cos(angle), sn = std::sin(angle);
        double cx = std::copysign(std::pow(std::fabs(c), 2.0 / squareness), c);
        double sz = std::copysign(std::pow(std::fabs(sn), 2.0 / squareness), sn);
        double height = sn >= 0 ? s.top : s.bottom;
        ring.points.push_back({centreX + s.halfWidth * cx, s.y, s.centreZ + height * sz});
    }
    return ring;
}

std::vector<Ring> bodyRings(const std::vector<Station>& stations, double centreX, int points,
                            double squareness) {
    std::vector<Ring> rings;
    for (const Station& s : stations) {
        rings.push_back(bodyRing(s, centreX, points, squareness));
    }
    return rings;
}

// A thin lens-shaped wing section lying in a plane of constant x (span along x),
// chord along y.
Ring wingSection(double x, double leadingY, double trailingY, double centreZ, double thickness) {
    Ring ring;
    double middle = (leadingY + trailingY) / 2, halfChord = (leadingY - trailingY) / 2;
    ring.centre = {x, middle, centreZ};
    const int points = 8;
    for (int k = 0; k < points; ++k) {
        double angle = 2 * PI * k / points;
        ring.points.push_back(
            {x, middle + halfChord * std::cos(angle), centreZ + thickness * std::sin(angle)});
    }
    return ring;
}

// The same for the fin, which stands upright: span along z, thin in x.
Ring finSection(double z, double leadingY, double trailingY, double thickness) {
    Ring ring;
    double middle = (leadingY + trailingY) / 2, halfChord = (leadingY - trailingY) / 2;
    ring.centre = {0, middle, z};
    const int points = 8;
    for (int k = 0; k < points; ++k) {
        double angle = 2 * PI * k / points;
        ring.points.push_back(
            {thickness * std::sin(angle), middle + halfChord * std::cos(angle), z});
    }
    return ring;
}

Mesh makeHull() {
    // Slim fuselage, widest just behind the cockpit, tapering to a low nose.
    std::vector<Station> stations = {
        {-235, -62, 26, 20, 16}, {-150, -60, 36, 32, 24}, {-40, -60, 42, 42, 28},
        {80, -62, 44, 40, 26},   {200, -66, 34, 28, 20},  {300, -70, 20, 16, 12},
        {370, -73, 8, 6, 5},
    };
    Mesh mesh;
    mesh.name = "Hull";
    mesh.material = 0;
    V3 nose = {0, 392, -74};
    addLoft(mesh, bodyRings(stations, 0, 12, 2.6), true, &nose, 1);
    return mesh;
}

Mesh makeCanopy() {
    std::vector<Station> stations = {
        {0, -26, 8, 5, 3},     {40, -26, 24, 20, 4}, {100, -26, 28, 26, 4},
        {160, -28, 22, 18, 4}, {205, -32, 10, 7, 3},
    };
    Mesh mesh;
    mesh.name = "Canopy";
    mesh.material = 1;
    // The bubble starts and ends in points, sunk into the hull's back.
    std::vector<Ring> rings = bodyRings(stations, 0, 10, 2.0);
    V3 front = {0, 228, -33};
    addLoft(mesh, rings, true, &front, 1);
    return mesh;
}

Mesh makePod(const std::string& name, int material, V3 nozzle) {
    // A round engine that ends exactly at its nozzle, where the glow is drawn.
    double z = nozzle.z;
    std::vector<Station> stations = {
        {nozzle.y, z, 22, 22, 22},       {nozzle.y + 18, z, 29, 29, 29},
        {nozzle.y + 150, z, 31, 31, 31}, {nozzle.y + 260, z, 28, 28, 28},
        {nozzle.y + 315, z, 17, 17, 17},
    };
    Mesh mesh;
    mesh.name = name;
    mesh.material = material;
    V3 intake = {nozzle.x, nozzle.y + 345, z};
    addLoft(mesh, bodyRings(stations, nozzle.x, 12, 2.0), true, &intake, 1);
    return mesh;
}

Mesh makeWings() {
    Mesh mesh;
    mesh.name = "Wings";
    mesh.material = 4;
    for (double side : {-1.0, 1.0}) {
        // Root buried in the hull, through the pod, out to a swept tip.
        std::vector<Ring> rings = {
            wingSection(side * 20, 60, -170, -72, 8),
            wingSection(side * 75, -30, -215, -78, 6),
            wingSection(side * 190, -160, -240, -86, 3),
        };
        addLoft(mesh, rings, true, nullptr, 1, Shading::FacetedAround);
    }
    return mesh;
}

Mesh makeFin() {
    Mesh mesh;
    mesh.name = "Fin";
    mesh.material = 5;
    std::vector<Ring> rings = {
        finSection(-40, -80, -225, 5),
        finSection(15, -170, -245, 4),
        finSection(50, -215, -258, 2.5),
    };
    addLoft(mesh, rings, true, nullptr, 1, Shading::FacetedAround);
    return mesh;
}

}  // namespace

CraftModel makeCraft() {
    CraftModel craft;
    craft.materials = {
        {"Hull", 0.86, 0.88, 0.92},       {"Canopy", 0.10, 0.22, 0.42},
        {"EngineLeft", 0.85, 0.32, 0.08}, {"EngineRight", 0.85, 0.32, 0.08},
        {"Wings", 0.20, 0.36, 0.78},      {"Fin", 0.90, 0.75, 0.10},
    };
    craft.parts.push_back(makeHull());
    craft.parts.push_back(makeCanopy());
    craft.parts.push_back(makePod("EngineLeft", 2, LEFT_NOZZLE));
    craft.parts.push_back(makePod("EngineRight", 3, RIGHT_NOZZLE));
    craft.parts.push_back(makeWings());
    craft.parts.push_back(makeFin());
    return craft;
}

}  // namespace assetgen

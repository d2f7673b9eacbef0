#include "track/circuit_map.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {
struct MapPoint {
    double x;
    double z;
};

// offset > 0: to the left of travel, as the road's corners are built.
MapPoint across(const Track& track, double t, double offset) {
    const double h = track.heading(t);
    return {track.centreX(t) + offset * std::cos(h), track.centreZ(t) - offset * std::sin(h)};
}

std::string pointList(const std::vector<MapPoint>& points) {
    std::string list;
    char buffer[64];
    for (const MapPoint& p : points) {
        std::snprintf(buffer, sizeof buffer, "%s%.1f,%.1f", list.empty() ? "" : " ", p.x, p.z);
        list += buffer;
    }
    return list;
}

std::vector<MapPoint> lapAt(const Track& track, double offset) {
    std::vector<MapPoint> points;
    for (int i = 0; i < MAP_POINTS; ++i) {
        points.push_back(across(track, TRACK_PERIOD * i / MAP_POINTS, offset));
    }
    return points;
}
}  // namespace

std::string circuitMapSvg(const Track& track) {
    const double edge = static_cast<double>(track.halfWidth);
    const std::vector<MapPoint> centre = lapAt(track, 0.0);
    double left = centre[0].x;
    double right = left;
    double top = centre[0].z;
    double bottom = top;
    for (const MapPoint& p : centre) {
        left = std::min(left, p.x);
        right = std::max(right, p.x);
        top = std::min(top, p.z);
        bottom = std::max(bottom, p.z);
    }
    // Lines stay visible however large the circuit is drawn.
    const double size = std::max(right - left, bottom - top);
    const double margin = size * 0.05;
    const double line = size / 400.0;
    // The start line reaches well past both edges so it shows at map scale.
    const MapPoint startLeft = across(track, 0.0, size / 40.0);
    const MapPoint startRight = across(track, 0.0, -size / 40.0);

    std::string svg;
    char buffer[512];
    std::snprintf(buffer, sizeof buffer,
                  "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                  "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"800\" height=\"%.0f\" "
                  "viewBox=\"%.1f %.1f %.1f %.1f\">\n"
                  "<title>Zentrix %s</title>\n"
                  "<rect x=\"%.1f\" y=\"%.1f\" width=\"%.1f\" height=\"%.1f\" fill=\"#f4f4f0\"/>\n",
                  800.0 * (bottom - top + 2 * margin) / (right - left + 2 * margin), left - margin,
                  top - margin, right - left + 2 * margin, bottom - top + 2 * margin,
                  circuitName(track.circuitNumber()).c_str(), left - margin, top - margin,
                  right - left + 2 * margin, bottom - top + 2 * margin);
    svg += buffer;
    std::snprintf(buffer, sizeof buffer,
                  "<polygon id=\"centre-line\" fill=\"none\" stroke=\"#505058\" "
                  "stroke-width=\"%.1f\" stroke-linejoin=\"round\" points=\"",
                  line * 3.0);
    svg += buffer + pointList(centre) + "\"/>\n";
    for (const char* side : {"left-edge", "right-edge"}) {
        const double offset = side[0] == 'l' ? edge : -edge;
        std::snprintf(buffer, sizeof buffer,
                      "<polygon id=\"%s\" fill=\"none\" stroke=\"#202020\" stroke-width=\"%.1f\" "
                      "points=\"",
                      side, line * 0.5);
        svg += buffer + pointList(lapAt(track, offset)) + "\"/>\n";
    }
    std::snprintf(buffer, sizeof buffer,
                  "<line id=\"start-line\" x1=\"%.1f\" y1=\"%.1f\" x2=\"%.1f\" y2=\"%.1f\" "
                  "stroke=\"#d02020\" stroke-width=\"%.1f\"/>\n"
                  "<text x=\"%.1f\" y=\"%.1f\" font-family=\"sans-serif\" font-size=\"%.1f\" "
                  "fill=\"#505058\">%s</text>\n</svg>\n",
                  startLeft.x, startLeft.z, startRight.x, startRight.z, line * 2.0, left,
                  top - margin * 0.3, margin * 0.6, circuitName(track.circuitNumber()).c_str());
    svg += buffer;
    return svg;
}

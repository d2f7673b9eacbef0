#include "hud/track_map.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "craft/opponent.h"
#include "craft/player.h"
#include "hud/overlay.h"
#include "track/track.h"

namespace {
// The shade's bottom left corner, this far in from the screen's; the outline
// keeps PADDING inside it.
constexpr float MAP_LEFT = 16.0f;
constexpr float MAP_BOTTOM_MARGIN = 16.0f;
constexpr float PADDING = 8.0f;
constexpr float LONGER_SIDE = 176.0f;
constexpr int OUTLINE_POINTS = 600;

// Dark enough that the light line stands out over a white sky.
constexpr float SHADE_OPACITY = 0.6f;
constexpr float LINE_WIDTH = 2.0f;
constexpr float OPPONENT_RADIUS = 3.0f;
constexpr float PLAYER_RADIUS = 5.0f;
constexpr float RIM = 1.5f;
constexpr int DOT_SEGMENTS = 12;

// The outline of one circuit and how the world maps onto it.
struct Outline {
    bool made = false;
    uint32_t circuit = CLASSIC_CIRCUIT;
    float bottom = 0.0f;  // the screen's height it was laid out for
    // The centre line as a band two units wide: a triangle strip of x, y
    // pairs in overlay units.
    std::vector<float> line;
    OverlayBox box;
    double scale = 1.0;  // overlay units per world unit
    double minX = 0.0;
    double minZ = 0.0;
    float left = 0.0f;  // where minX and minZ land
    float top = 0.0f;
};

Outline gOutline;
bool gMapShows = true;

// A band of the given width along a closed line of x, y pairs, as a triangle
// strip that comes back to where it began.
std::vector<float> bandAlong(const std::vector<float>& points, float width) {
    const size_t n = points.size() / 2;
    std::vector<float> strip;
    strip.reserve(4 * (n + 1));
    for (size_t i = 0; i <= n; ++i) {
        const size_t at = i % n;
        const size_t next = (at + 1) % n;
        const size_t before = (at + n - 1) % n;
        const float dx = points[2 * next] - points[2 * before];
        const float dy = points[2 * next + 1] - points[2 * before + 1];
        const float length = std::max(std::hypot(dx, dy), 1e-6f);
        const float across = 0.5f * width / length;
        strip.push_back(points[2 * at] - dy * across);
        strip.push_back(points[2 * at + 1] + dx * across);
        strip.push_back(points[2 * at] + dy * across);
        strip.push_back(points[2 * at + 1] - dx * across);
    }
    return strip;
}

void makeOutline(Outline& outline) {
    std::vector<double> xs(OUTLINE_POINTS);
    std::vector<double> zs(OUTLINE_POINTS);
    for (int i = 0; i < OUTLINE_POINTS; ++i) {
        const double t = TRACK_PERIOD * i / OUTLINE_POINTS;
        xs[static_cast<size_t>(i)] = gTrack.centreX(t);
        zs[static_cast<size_t>(i)] = gTrack.centreZ(t);
    }
    const auto [minX, maxX] = std::minmax_element(xs.begin(), xs.end());
    const auto [minZ, maxZ] = std::minmax_element(zs.begin(), zs.end());
    const double width = *maxX - *minX;
    const double depth = *maxZ - *minZ;
    outline.scale = LONGER_SIDE / std::max({width, depth, 1.0});
    outline.minX = *minX;
    outline.minZ = *minZ;

    const float mapWidth = static_cast<float>(width * outline.scale);
    const float mapDepth = static_cast<float>(depth * outline.scale);
    outline.bottom = overlayCanvas().height - MAP_BOTTOM_MARGIN;
    outline.box = {MAP_LEFT, outline.bottom - mapDepth - 2.0f * PADDING,
                   MAP_LEFT + mapWidth + 2.0f * PADDING, outline.bottom};
    outline.left = MAP_LEFT + PADDING;
    outline.top = outline.box.top + PADDING;

    std::vector<float> points;
    points.reserve(2 * OUTLINE_POINTS);
    for (size_t k = 0; k < xs.size(); ++k) {
        points.push_back(outline.left + static_cast<float>((xs[k] - *minX) * outline.scale));
        points.push_back(outline.top + static_cast<float>((zs[k] - *minZ) * outline.scale));
    }
    outline.line = bandAlong(points, LINE_WIDTH);
    outline.circuit = gTrack.circuitNumber();
    outline.made = true;
}

const Outline& currentOutline() {
    if (!gOutline.made || gOutline.circuit != gTrack.circuitNumber() ||
        gOutline.bottom != overlayCanvas().height - MAP_BOTTOM_MARGIN) {
        makeOutline(gOutline);
    }
    return gOutline;
}

// The overlay draws unlit: the colour alone counts.
void setColor(ColorCode code) {
    glColor4fv(lookupColor(code).data());
}

void drawOutline(const Outline& outline) {
    glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
    glEnableClientState(GL_VERTEX_ARRAY);
    setColor(TRACK_MAP_OUTLINE_COLOR);
    glVertexPointer(2, GL_FLOAT, 0, outline.line.data());
    glDrawArrays(GL_TRIANGLE_STRIP, 0, static_cast<GLsizei>(outline.line.size() / 2));
    glPopClientAttrib();
}

// A disc as triangles, inside glBegin(GL_TRIANGLES).
void disc(const OverlayPoint& centre, float radius, ColorCode color) {
    setColor(color);
    float x = centre.x + radius;
    float y = centre.y;
    for (int i = 1; i <= DOT_SEGMENTS; ++i) {
        const float angle = 6.283185f * static_cast<float>(i) / DOT_SEGMENTS;
        const float nextX = centre.x + radius * std::cos(angle);
        const float nextY = centre.y + radius * std::sin(angle);
        glVertex2f(centre.x, centre.y);
        glVertex2f(x, y);
        glVertex2f(nextX, nextY);
        x = nextX;
        y = nextY;
    }
}

OverlayPoint onMap(const Vector3& position) {
    return trackMapPoint(position.x, position.z);
}

// Each craft a dot in its colour inside a thin rim: light round the
// opponents, whose blue would sink into the shade, dark round the white
// player. Every rim goes down before the opponents' colours, so a pack of
// them shows every colour; the player comes last, over them all. The ghost,
// rimless, lies under everything.
void drawDots(const Vector3* ghost) {
    glBegin(GL_TRIANGLES);
    if (ghost != nullptr) {
        disc(onMap(*ghost), OPPONENT_RADIUS, TRACK_MAP_GHOST_COLOR);
    }
    for (int i = 0; i < OPPONENT_COUNT; ++i) {
        if (gOpponents[i].destroyed == 0) {
            disc(onMap(gOpponents[i].position), OPPONENT_RADIUS + RIM, TRACK_MAP_OUTLINE_COLOR);
        }
    }
    for (int i = 0; i < OPPONENT_COUNT; ++i) {
        if (gOpponents[i].destroyed == 0) {
            disc(onMap(gOpponents[i].position), OPPONENT_RADIUS, COLOR_BLUE + i);
        }
    }
    disc(onMap(gPlayer.position), PLAYER_RADIUS + RIM, COLOR_BLACK);
    disc(onMap(gPlayer.position), PLAYER_RADIUS, TRACK_MAP_PLAYER_COLOR);
    glEnd();
}
}  // namespace

OverlayBox trackMapBox() {
    return currentOutline().box;
}

OverlayPoint trackMapPoint(double x, double z) {
    const Outline& outline = currentOutline();
    const float mapX = outline.left + static_cast<float>((x - outline.minX) * outline.scale);
    const float mapY = outline.top + static_cast<float>((z - outline.minZ) * outline.scale);
    return {std::clamp(mapX, outline.box.left, outline.box.right),
            std::clamp(mapY, outline.box.top, outline.box.bottom)};
}

void trackMapTrackChanged() {
    gOutline.made = false;
}

void drawTrackMap(const Vector3* ghost) {
    if (!gMapShows) {
        return;
    }
    const Outline& outline = currentOutline();
    beginOverlay();
    const OverlayBox& box = outline.box;
    drawShade(box.left, box.top, box.right, box.bottom, SHADE_OPACITY);
    drawOutline(outline);
    drawDots(ghost);
    endOverlay();
}

void toggleTrackMap() {
    gMapShows = !gMapShows;
}

bool trackMapShows() {
    return gMapShows;
}

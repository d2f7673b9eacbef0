#include <GL/gl.h>

#include "models/palette.h"

namespace {
constexpr Rgba COLOR_TABLE[] = {
    {0.0f, 0.0f, 1.0f, 1.0f},     // COLOR_BLUE
    {1.0f, 0.0f, 0.0f, 1.0f},     // COLOR_RED
    {0.0f, 1.0f, 0.0f, 1.0f},     // COLOR_GREEN
    {1.0f, 1.0f, 0.0f, 1.0f},     // COLOR_YELLOW
    {1.0f, 0.0f, 1.0f, 1.0f},     // COLOR_MAGENTA
    {1.0f, 1.0f, 1.0f, 1.0f},     // COLOR_WHITE
    {0.6f, 0.5f, 0.2f, 1.0f},     // COLOR_BRONZE
    {0.5f, 0.5f, 0.5f, 1.0f},     // COLOR_GREY
    {0.25f, 0.25f, 0.25f, 1.0f},  // COLOR_DARK_GREY
    {0.75f, 0.75f, 0.75f, 1.0f},  // COLOR_LIGHT_GREY
    {0.0f, 0.0f, 0.0f, 1.0f},     // COLOR_BLACK
    {0.3f, 0.3f, 1.0f, 0.0f},     // COLOR_PALE_BLUE, the only see-through entry
    {0.6f, 0.85f, 1.0f, 1.0f},    // COLOR_SKY_BLUE
};

void setMaterial(const Rgba& diffuse) {
    // Every colour gets the same faint reddish ambient, with the colour's alpha.
    const GLfloat ambient[4] = {0.2f, 0.1f, 0.1f, diffuse[3]};
    glMaterialfv(GL_FRONT, GL_AMBIENT, ambient);
    glMaterialfv(GL_FRONT, GL_DIFFUSE, diffuse.data());
}
}  // namespace

Rgba lookupColor(ColorCode code) {
    if (code < COLOR_BLUE || code > COLOR_SKY_BLUE) {
        return COLOR_TABLE[0];
    }
    return COLOR_TABLE[code - COLOR_BLUE];
}

void applyColor(ColorCode code) {
    const Rgba color = lookupColor(code);
    glColor4fv(color.data());
    setMaterial(color);
}

void applyColorAlpha(ColorCode code, float alpha) {
    Rgba color = lookupColor(code);
    color[3] = alpha;
    glColor4fv(color.data());
    setMaterial(color);
}

void applyMaterialColor(float r, float g, float b, float a) {
    const GLfloat diffuse[4] = {r, g, b, a};
    glMaterialfv(GL_FRONT, GL_DIFFUSE, diffuse);
    const GLfloat ambient[4] = {0.2f, 0.1f, 0.1f, a};
    glMaterialfv(GL_FRONT, GL_AMBIENT, ambient);
}

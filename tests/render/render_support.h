#pragma once

#include <GL/gl.h>

#include <array>
#include <cstdint>
#include <vector>

namespace rendertest {

// The one game window of this test program, made on first use and kept for
// the whole run: display lists and textures live as long as its context.
void useGameWindow();

// A 4 x 4 texture of one colour, repeating, linear; returns its name.
GLuint solidTexture(uint8_t r, uint8_t g, uint8_t b);

// Replaces a texture's picture with one solid colour, keeping its name.
void paintTexture(GLuint name, uint8_t r, uint8_t g, uint8_t b);

struct Frame {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;  // bottom row first

    std::array<int, 3> at(int x, int yFromTop) const;
};

// What the buffer just drawn into holds (the front one after a swap).
Frame readFrame(GLenum buffer);

// Share of pixels that differ by more than tolerance in any channel between
// two frames, inside the rectangle (x0, y0)..(x1, y1) counted from the top left.
double changedShare(const Frame& a, const Frame& b, int x0, int y0, int x1, int y1,
                    int tolerance = 12);

bool isEnabled(GLenum cap);
GLint integer(GLenum name);
std::array<GLfloat, 4> floats4(GLenum name);

}  // namespace rendertest

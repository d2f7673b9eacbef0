#include "screen/picture_target.h"

#include <algorithm>
#include <cmath>

#include "hud/overlay_canvas.h"
#include "render/projection.h"
#include "screen/display.h"
#include "screen/framebuffer_calls.h"

namespace {
// The reduced picture's colour is a texture, scaled up into the window as one
// textured quad: the driver draws that far faster than it blits with filtering.
struct OffScreenPicture {
    GLuint framebuffer = 0;
    GLuint colour = 0;  // a texture
    GLuint depth = 0;
    int width = 0;
    int height = 0;
};

OffScreenPicture gOffScreen;
bool gDrawingOffScreen = false;
int gScalePercent = 100;
ScreenRect gWindowPicture{0, 0, SCREEN_WIDTH, SCREEN_HEIGHT};

GLuint makeRenderbuffer(const FramebufferCalls& gl, GLenum format, int width, int height) {
    GLuint buffer = 0;
    gl.genRenderbuffers(1, &buffer);
    gl.bindRenderbuffer(GL_RENDERBUFFER, buffer);
    gl.renderbufferStorage(GL_RENDERBUFFER, format, width, height);
    gl.bindRenderbuffer(GL_RENDERBUFFER, 0);
    return buffer;
}

void freeOffScreenPicture(const FramebufferCalls& gl) {
    gl.bindFramebuffer(GL_FRAMEBUFFER, 0);
    gl.deleteFramebuffers(1, &gOffScreen.framebuffer);
    glDeleteTextures(1, &gOffScreen.colour);
    gl.deleteRenderbuffers(1, &gOffScreen.depth);
    gOffScreen = OffScreenPicture();
}

// The same colour and depth precision as the window's own buffers.
bool makeOffScreenPicture(const FramebufferCalls& gl, int width, int height) {
    if (gOffScreen.framebuffer != 0) {
        if (gOffScreen.width == width && gOffScreen.height == height) {
            return true;
        }
        freeOffScreenPicture(gl);
    }
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    glGenTextures(1, &gOffScreen.colour);
    glBindTexture(GL_TEXTURE_2D, gOffScreen.colour);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(bound));
    gOffScreen.depth = makeRenderbuffer(gl, GL_DEPTH_COMPONENT24, width, height);
    gOffScreen.width = width;
    gOffScreen.height = height;
    gl.genFramebuffers(1, &gOffScreen.framebuffer);
    gl.bindFramebuffer(GL_FRAMEBUFFER, gOffScreen.framebuffer);
    gl.framebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, gOffScreen.colour,
                            0);
    gl.framebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER,
                               gOffScreen.depth);
    const bool complete = gl.checkFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    gl.bindFramebuffer(GL_FRAMEBUFFER, 0);
    if (!complete) {
        freeOffScreenPicture(gl);
    }
    return complete;
}

int scaled(int pixels) {
    return std::max(1, static_cast<int>(std::lround(pixels * gScalePercent / 100.0)));
}
}  // namespace

void setResolutionScale(int percent) {
    const bool offered = std::find(std::begin(RESOLUTION_SCALES), std::end(RESOLUTION_SCALES),
                                   percent) != std::end(RESOLUTION_SCALES);
    gScalePercent = offered ? percent : 100;
}

int resolutionScale() {
    return gScalePercent;
}

void layPictureOver(int drawableWidth, int drawableHeight) {
    const int width = std::max(drawableWidth, 1);
    const int height = std::max(drawableHeight, 1);
    setRaceViewShape(width, height);
    setOverlayScreen(width, height);
    resizeViewport(width, height);
}

void fitPictureToWindow(int drawableWidth, int drawableHeight) {
    gWindowPicture = ScreenRect{0, 0, std::max(drawableWidth, 1), std::max(drawableHeight, 1)};
    const FramebufferCalls* gl = framebufferCalls();
    // Without framebuffer objects the race is drawn at full resolution.
    gDrawingOffScreen =
        gScalePercent < 100 && gl != nullptr &&
        makeOffScreenPicture(*gl, scaled(gWindowPicture.width), scaled(gWindowPicture.height));
    if (!gDrawingOffScreen && gl != nullptr && gOffScreen.framebuffer != 0) {
        freeOffScreenPicture(*gl);
    }
    if (gl != nullptr) {
        gl->bindFramebuffer(GL_FRAMEBUFFER, 0);
    }
    layPictureOver(gWindowPicture.width, gWindowPicture.height);
}

bool pictureIsOffScreen() {
    return gDrawingOffScreen;
}

ScreenRect pictureInWindow() {
    return gWindowPicture;
}

ScreenRect racePictureSize() {
    if (gDrawingOffScreen) {
        return ScreenRect{0, 0, gOffScreen.width, gOffScreen.height};
    }
    return gWindowPicture;
}

void beginRacePicture() {
    const FramebufferCalls* gl = framebufferCalls();
    if (!gDrawingOffScreen || gl == nullptr) {
        return;
    }
    gl->bindFramebuffer(GL_FRAMEBUFFER, gOffScreen.framebuffer);
    glViewport(0, 0, gOffScreen.width, gOffScreen.height);
}

void endRacePicture() {
    const FramebufferCalls* gl = framebufferCalls();
    if (!gDrawingOffScreen || gl == nullptr) {
        return;
    }
    gl->bindFramebuffer(GL_FRAMEBUFFER, 0);
    glViewport(0, 0, gWindowPicture.width, gWindowPicture.height);
    // The quad covers every pixel, but a software driver reads back whatever
    // it draws over that was not cleared: a clear first costs next to nothing.
    glPushAttrib(GL_ENABLE_BIT | GL_TEXTURE_BIT | GL_CURRENT_BIT | GL_DEPTH_BUFFER_BIT);
    glDisable(GL_SCISSOR_TEST);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glDisable(GL_LIGHTING);
    glDisable(GL_FOG);
    glDepthMask(GL_FALSE);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, gOffScreen.colour);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 0.0f);
    glVertex2f(-1.0f, -1.0f);
    glTexCoord2f(1.0f, 0.0f);
    glVertex2f(1.0f, -1.0f);
    glTexCoord2f(1.0f, 1.0f);
    glVertex2f(1.0f, 1.0f);
    glTexCoord2f(0.0f, 1.0f);
    glVertex2f(-1.0f, 1.0f);
    glEnd();
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopAttrib();
}

void releasePicture() {
    const FramebufferCalls* gl = framebufferCalls();
    if (gl != nullptr && gOffScreen.framebuffer != 0) {
        freeOffScreenPicture(*gl);
    }
    gDrawingOffScreen = false;
    gWindowPicture = ScreenRect{0, 0, SCREEN_WIDTH, SCREEN_HEIGHT};
}

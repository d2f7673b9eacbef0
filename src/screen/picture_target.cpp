#include "screen/picture_target.h"

#include <algorithm>
#include <cmath>

#include "hud/overlay_canvas.h"
#include "render/projection.h"
#include "screen/display.h"
#include "screen/framebuffer_calls.h"

namespace {
struct OffScreenPicture {
    GLuint framebuffer = 0;
    GLuint colour = 0;
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
    gl.deleteRenderbuffers(1, &gOffScreen.colour);
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
    gOffScreen.colour = makeRenderbuffer(gl, GL_RGBA8, width, height);
    gOffScreen.depth = makeRenderbuffer(gl, GL_DEPTH_COMPONENT24, width, height);
    gOffScreen.width = width;
    gOffScreen.height = height;
    gl.genFramebuffers(1, &gOffScreen.framebuffer);
    gl.bindFramebuffer(GL_FRAMEBUFFER, gOffScreen.framebuffer);
    gl.framebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER,
                               gOffScreen.colour);
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
    gl->bindFramebuffer(GL_READ_FRAMEBUFFER, gOffScreen.framebuffer);
    gl->bindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    const GLboolean scissored = glIsEnabled(GL_SCISSOR_TEST);
    glDisable(GL_SCISSOR_TEST);  // the copy covers the whole window
    gl->blitFramebuffer(0, 0, gOffScreen.width, gOffScreen.height, 0, 0, gWindowPicture.width,
                        gWindowPicture.height, GL_COLOR_BUFFER_BIT, GL_LINEAR);
    if (scissored) {
        glEnable(GL_SCISSOR_TEST);
    }
    gl->bindFramebuffer(GL_FRAMEBUFFER, 0);
    glViewport(0, 0, gWindowPicture.width, gWindowPicture.height);
    // The HUD draws with the depth test off, but the digit's passes and the
    // panels expect a cleared depth buffer under them in the window too.
    glClear(GL_DEPTH_BUFFER_BIT);
}

void releasePicture() {
    const FramebufferCalls* gl = framebufferCalls();
    if (gl != nullptr && gOffScreen.framebuffer != 0) {
        freeOffScreenPicture(*gl);
    }
    gDrawingOffScreen = false;
    gWindowPicture = ScreenRect{0, 0, SCREEN_WIDTH, SCREEN_HEIGHT};
}

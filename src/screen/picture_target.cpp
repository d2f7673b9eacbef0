#include "screen/picture_target.h"

#include "screen/display.h"
#include "screen/framebuffer_calls.h"

namespace {
struct OffScreenPicture {
    GLuint framebuffer = 0;
    GLuint colour = 0;
    GLuint depth = 0;
};

OffScreenPicture gOffScreen;
bool gDrawingOffScreen = false;
ScreenRect gShownAt{0, 0, SCREEN_WIDTH, SCREEN_HEIGHT};

GLuint makeRenderbuffer(const FramebufferCalls& gl, GLenum format) {
    GLuint buffer = 0;
    gl.genRenderbuffers(1, &buffer);
    gl.bindRenderbuffer(GL_RENDERBUFFER, buffer);
    gl.renderbufferStorage(GL_RENDERBUFFER, format, SCREEN_WIDTH, SCREEN_HEIGHT);
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
bool makeOffScreenPicture(const FramebufferCalls& gl) {
    if (gOffScreen.framebuffer != 0) {
        return true;
    }
    gOffScreen.colour = makeRenderbuffer(gl, GL_RGBA8);
    gOffScreen.depth = makeRenderbuffer(gl, GL_DEPTH_COMPONENT24);
    gl.genFramebuffers(1, &gOffScreen.framebuffer);
    gl.bindFramebuffer(GL_FRAMEBUFFER, gOffScreen.framebuffer);
    gl.framebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER,
                               gOffScreen.colour);
    gl.framebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER,
                               gOffScreen.depth);
    if (gl.checkFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
        freeOffScreenPicture(gl);
        return false;
    }
    return true;
}

void clearWindowToBlack() {
    GLfloat clearColour[4];
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clearColour);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glClearColor(clearColour[0], clearColour[1], clearColour[2], clearColour[3]);
}
}  // namespace

void fitPictureToWindow(int windowWidth, int windowHeight) {
    gShownAt = letterboxPicture(windowWidth, windowHeight);
    const bool exactFit = windowWidth == SCREEN_WIDTH && windowHeight == SCREEN_HEIGHT;
    const FramebufferCalls* gl = framebufferCalls();
    gDrawingOffScreen = !exactFit && gl != nullptr && makeOffScreenPicture(*gl);
    if (gl != nullptr) {
        gl->bindFramebuffer(GL_FRAMEBUFFER, gDrawingOffScreen ? gOffScreen.framebuffer : 0);
    }
    resizeViewport(SCREEN_WIDTH, SCREEN_HEIGHT);
    if (!exactFit && !gDrawingOffScreen) {
        // Without framebuffer objects the picture is drawn straight into its
        // place; only the text keeps its pixel size.
        glViewport(gShownAt.x, gShownAt.y, gShownAt.width, gShownAt.height);
    }
}

bool pictureIsOffScreen() {
    return gDrawingOffScreen;
}

ScreenRect pictureInWindow() {
    return gShownAt;
}

void presentPicture() {
    const FramebufferCalls* gl = framebufferCalls();
    if (!gDrawingOffScreen || gl == nullptr) {
        return;
    }
    gl->bindFramebuffer(GL_READ_FRAMEBUFFER, gOffScreen.framebuffer);
    gl->bindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    const GLboolean scissored = glIsEnabled(GL_SCISSOR_TEST);
    glDisable(GL_SCISSOR_TEST);  // the bars and the copy cover the whole window
    clearWindowToBlack();
    gl->blitFramebuffer(0, 0, SCREEN_WIDTH, SCREEN_HEIGHT, gShownAt.x, gShownAt.y,
                        gShownAt.x + gShownAt.width, gShownAt.y + gShownAt.height,
                        GL_COLOR_BUFFER_BIT, GL_LINEAR);
    if (scissored) {
        glEnable(GL_SCISSOR_TEST);
    }
    gl->bindFramebuffer(GL_FRAMEBUFFER, gOffScreen.framebuffer);
}

void releasePicture() {
    const FramebufferCalls* gl = framebufferCalls();
    if (gl != nullptr && gOffScreen.framebuffer != 0) {
        freeOffScreenPicture(*gl);
    }
    gDrawingOffScreen = false;
    gShownAt = ScreenRect{0, 0, SCREEN_WIDTH, SCREEN_HEIGHT};
}

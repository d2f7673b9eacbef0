#include "support/screen_target.h"

#include "screen/display.h"
#include "screen/framebuffer_calls.h"
#include "screen/picture_target.h"

namespace testsupport {

ScreenTarget::ScreenTarget(int width, int height) : width_(width), height_(height) {
    const FramebufferCalls* gl = framebufferCalls();
    if (gl == nullptr) {
        return;
    }
    GLuint buffers[2] = {};
    gl->genRenderbuffers(2, buffers);
    colour_ = buffers[0];
    depth_ = buffers[1];
    gl->bindRenderbuffer(GL_RENDERBUFFER, colour_);
    gl->renderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
    gl->bindRenderbuffer(GL_RENDERBUFFER, depth_);
    gl->renderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, width, height);
    gl->bindRenderbuffer(GL_RENDERBUFFER, 0);
    GLuint framebuffer = 0;
    gl->genFramebuffers(1, &framebuffer);
    gl->bindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    gl->framebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colour_);
    gl->framebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, depth_);
    framebuffer_ = framebuffer;
    if (gl->checkFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
        gl->bindFramebuffer(GL_FRAMEBUFFER, 0);
        gl->deleteFramebuffers(1, &framebuffer);
        framebuffer_ = 0;
        return;
    }
    layPictureOver(width, height);
}

ScreenTarget::~ScreenTarget() {
    const FramebufferCalls* gl = framebufferCalls();
    if (gl == nullptr) {
        return;
    }
    gl->bindFramebuffer(GL_FRAMEBUFFER, 0);
    GLuint framebuffer = framebuffer_;
    if (framebuffer != 0) {
        gl->deleteFramebuffers(1, &framebuffer);
    }
    GLuint buffers[2] = {colour_, depth_};
    gl->deleteRenderbuffers(2, buffers);
    layPictureOver(SCREEN_WIDTH, SCREEN_HEIGHT);
}

}  // namespace testsupport

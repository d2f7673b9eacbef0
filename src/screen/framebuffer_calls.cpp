#include "screen/framebuffer_calls.h"

#include <SDL2/SDL.h>

#include <cstdlib>
#include <string>

namespace {
int glMajorVersion() {
    const auto* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    return version != nullptr ? std::atoi(version) : 0;
}

template <typename Call>
bool find(Call& call, const std::string& name, const char* suffix) {
    call = reinterpret_cast<Call>(SDL_GL_GetProcAddress((name + suffix).c_str()));
    return call != nullptr;
}

// GLX hands out an address for any name, so support is asked of the context first.
bool load(FramebufferCalls& calls, const char* suffix) {
    return find(calls.genFramebuffers, "glGenFramebuffers", suffix) &&
           find(calls.deleteFramebuffers, "glDeleteFramebuffers", suffix) &&
           find(calls.bindFramebuffer, "glBindFramebuffer", suffix) &&
           find(calls.checkFramebufferStatus, "glCheckFramebufferStatus", suffix) &&
           find(calls.framebufferRenderbuffer, "glFramebufferRenderbuffer", suffix) &&
           find(calls.framebufferTexture2D, "glFramebufferTexture2D", suffix) &&
           find(calls.genRenderbuffers, "glGenRenderbuffers", suffix) &&
           find(calls.deleteRenderbuffers, "glDeleteRenderbuffers", suffix) &&
           find(calls.bindRenderbuffer, "glBindRenderbuffer", suffix) &&
           find(calls.renderbufferStorage, "glRenderbufferStorage", suffix) &&
           find(calls.blitFramebuffer, "glBlitFramebuffer", suffix);
}

bool loadForCurrentContext(FramebufferCalls& calls) {
    if (glMajorVersion() >= 3 || SDL_GL_ExtensionSupported("GL_ARB_framebuffer_object")) {
        return load(calls, "");
    }
    if (SDL_GL_ExtensionSupported("GL_EXT_framebuffer_object") &&
        SDL_GL_ExtensionSupported("GL_EXT_framebuffer_blit")) {
        return load(calls, "EXT");
    }
    return false;
}
}  // namespace

const FramebufferCalls* framebufferCalls() {
    // Every context the game makes comes from the same driver, so the answer is kept.
    static bool asked = false;
    static bool found = false;
    static FramebufferCalls calls;
    if (!asked && SDL_GL_GetCurrentContext() != nullptr) {
        asked = true;
        found = loadForCurrentContext(calls);
    }
    return found ? &calls : nullptr;
}

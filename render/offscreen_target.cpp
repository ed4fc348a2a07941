#include "render/offscreen_target.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include <cstring>
#include <string>

#include "platform/gl_proc.h"  // a window-free seam of the platform layer
#include "render/renderer.h"

namespace {

// Entry points of framebuffer objects, the ARB (core) names or the older EXT ones.
struct FramebufferCalls {
    PFNGLGENFRAMEBUFFERSPROC genFramebuffers = nullptr;
    PFNGLDELETEFRAMEBUFFERSPROC deleteFramebuffers = nullptr;
    PFNGLBINDFRAMEBUFFERPROC bindFramebuffer = nullptr;
    PFNGLGENRENDERBUFFERSPROC genRenderbuffers = nullptr;
    PFNGLDELETERENDERBUFFERSPROC deleteRenderbuffers = nullptr;
    PFNGLBINDRENDERBUFFERPROC bindRenderbuffer = nullptr;
    PFNGLRENDERBUFFERSTORAGEPROC renderbufferStorage = nullptr;
    PFNGLFRAMEBUFFERRENDERBUFFERPROC framebufferRenderbuffer = nullptr;
    PFNGLCHECKFRAMEBUFFERSTATUSPROC checkFramebufferStatus = nullptr;
};

FramebufferCalls calls;

bool hasExtension(const char* name) {
    const char* all = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    if (all == nullptr) return false;
    const size_t length = std::strlen(name);
    for (const char* at = std::strstr(all, name); at != nullptr; at = std::strstr(at + 1, name)) {
        const bool startsWord = at == all || at[-1] == ' ';
        const bool endsWord = at[length] == ' ' || at[length] == '\0';
        if (startsWord && endsWord) return true;
    }
    return false;
}

template <typename T>
bool load(T& slot, const char* name, const char* suffix) {
    slot = reinterpret_cast<T>(PlatformGetGlProcAddress((std::string(name) + suffix).c_str()));
    return slot != nullptr;
}

bool loadFramebufferCalls() {
    const char* suffix = nullptr;
    if (hasExtension("GL_ARB_framebuffer_object")) {
        suffix = "";
    } else if (hasExtension("GL_EXT_framebuffer_object")) {
        suffix = "EXT";
    } else {
        return false;
    }
    return load(calls.genFramebuffers, "glGenFramebuffers", suffix) &&
           load(calls.deleteFramebuffers, "glDeleteFramebuffers", suffix) &&
           load(calls.bindFramebuffer, "glBindFramebuffer", suffix) &&
           load(calls.genRenderbuffers, "glGenRenderbuffers", suffix) &&
           load(calls.deleteRenderbuffers, "glDeleteRenderbuffers", suffix) &&
           load(calls.bindRenderbuffer, "glBindRenderbuffer", suffix) &&
           load(calls.renderbufferStorage, "glRenderbufferStorage", suffix) &&
           load(calls.framebufferRenderbuffer, "glFramebufferRenderbuffer", suffix) &&
           load(calls.checkFramebufferStatus, "glCheckFramebufferStatus", suffix);
}

}  // namespace

OffscreenViewport offscreenViewport(int32_t windowWidth, int32_t windowHeight) {
    const int64_t height = windowHeight > 0 ? windowHeight : 1;
    const int64_t width = static_cast<int64_t>(windowWidth) * kFeedbackSize / height;
    OffscreenViewport viewport;
    viewport.width = static_cast<int32_t>(width);
    viewport.copyX = static_cast<int32_t>((width - kFeedbackSize) / 2);
    return viewport;
}

void createOffscreenTarget(Renderer& renderer) {
    renderer.offscreenFramebuffer = 0;
    renderer.offscreenColour = 0;
    if (!loadFramebufferCalls()) return;

    GLint largest = 0;
    glGetIntegerv(GL_MAX_RENDERBUFFER_SIZE, &largest);
    if (kFeedbackSize > largest) return;

    GLuint framebuffer = 0;
    GLuint colour = 0;
    calls.genFramebuffers(1, &framebuffer);
    calls.genRenderbuffers(1, &colour);
    calls.bindRenderbuffer(GL_RENDERBUFFER, colour);
    calls.renderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, kFeedbackSize, kFeedbackSize);
    calls.bindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    calls.framebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colour);
    const GLenum status = calls.checkFramebufferStatus(GL_FRAMEBUFFER);
    // Cleared once: every offscreen pass clears the whole target behind its copy, so it is
    // clear again at the start of every frame.
    if (status == GL_FRAMEBUFFER_COMPLETE) glClear(GL_COLOR_BUFFER_BIT);
    calls.bindFramebuffer(GL_FRAMEBUFFER, 0);
    calls.bindRenderbuffer(GL_RENDERBUFFER, 0);
    if (status != GL_FRAMEBUFFER_COMPLETE) {
        calls.deleteFramebuffers(1, &framebuffer);
        calls.deleteRenderbuffers(1, &colour);
        return;
    }
    renderer.offscreenFramebuffer = framebuffer;
    renderer.offscreenColour = colour;
}

void destroyOffscreenTarget(Renderer& renderer) {
    if (renderer.offscreenFramebuffer == 0) return;
    GLuint framebuffer = renderer.offscreenFramebuffer;
    GLuint colour = renderer.offscreenColour;
    calls.deleteFramebuffers(1, &framebuffer);
    calls.deleteRenderbuffers(1, &colour);
    renderer.offscreenFramebuffer = 0;
    renderer.offscreenColour = 0;
}

void bindOffscreenTarget(const Renderer& renderer) {
    if (renderer.offscreenFramebuffer == 0) return;
    calls.bindFramebuffer(GL_FRAMEBUFFER, renderer.offscreenFramebuffer);
}

void unbindOffscreenTarget(const Renderer& renderer) {
    if (renderer.offscreenFramebuffer != 0) calls.bindFramebuffer(GL_FRAMEBUFFER, 0);
}

// In the target the pass viewport is placed so that its centred square is the whole
// target: a wide one reaches past both sides (the GL discards what falls outside), a
// narrow one sits in the middle.
int32_t useOffscreenViewport(const Renderer& renderer, const OffscreenViewport& viewport) {
    const int32_t left = renderer.offscreenFramebuffer != 0 ? -viewport.copyX : 0;
    glViewport(left, 0, viewport.width, kFeedbackSize);
    return left + viewport.copyX;
}

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
    PFNGLBLITFRAMEBUFFERPROC blitFramebuffer = nullptr;  // optional: copies between views
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
    if (suffix[0] == '\0' || hasExtension("GL_EXT_framebuffer_blit")) {
        load(calls.blitFramebuffer, "glBlitFramebuffer", suffix);
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

int32_t neededWidth(const Renderer& renderer) {
    const OffscreenViewport viewport = offscreenViewport(renderer.passWidth, renderer.passHeight);
    return viewport.width > kFeedbackSize ? viewport.width : kFeedbackSize;
}

// Offset of the pass viewport inside the target: a window narrower than tall has a
// viewport narrower than the square, centred in it. A target narrower than the viewport
// (the square one) has the viewport reach past both its sides, its copied square the
// whole target; the GL drops what falls outside.
int32_t viewportLeft(const OffscreenViewport& viewport, int32_t targetWidth) {
    if (viewport.width > targetWidth) return -viewport.copyX;
    return viewport.copyX < 0 ? -viewport.copyX : 0;
}

void makeTarget(Renderer& renderer, int32_t targetWidth) {
    renderer.offscreenFramebuffer = 0;
    renderer.offscreenColour = 0;
    if (!loadFramebufferCalls()) return;

    GLint largest = 0;
    glGetIntegerv(GL_MAX_RENDERBUFFER_SIZE, &largest);
    if (targetWidth > largest) return;

    GLuint framebuffer = 0;
    GLuint colour = 0;
    calls.genFramebuffers(1, &framebuffer);
    calls.genRenderbuffers(1, &colour);
    calls.bindRenderbuffer(GL_RENDERBUFFER, colour);
    calls.renderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, targetWidth, kFeedbackSize);
    calls.bindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    calls.framebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colour);
    const GLenum status = calls.checkFramebufferStatus(GL_FRAMEBUFFER);
    // Cleared once: every offscreen pass clears behind its copy, and nothing draws outside
    // the pass viewport, so the target is clear again at the start of every frame.
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
    renderer.offscreenWidth = targetWidth;
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

void createOffscreenTarget(Renderer& renderer) { makeTarget(renderer, neededWidth(renderer)); }


// A host that is resized again and again keeps its target while it is wide enough and not
// much wider. Past that the target becomes the square, which fits every shape and is never
// made again: Mesa's threaded software rasterizer holds on to framebuffers that were drawn
// while it was busy long after they are deleted, so every target made anew may stay
// resident. The first size keeps its exact target, and its frames their exact pixels.
void fitOffscreenTarget(Renderer& renderer) {
    const int32_t spare = renderer.offscreenWidth - neededWidth(renderer);
    const bool square = renderer.offscreenWidth == kFeedbackSize;
    if (renderer.offscreenFramebuffer != 0 && (square || (spare >= 0 && spare <= 2 * kFeedbackSize))) return;
    destroyOffscreenTarget(renderer);
    makeTarget(renderer, kFeedbackSize);
}

void destroyOffscreenTarget(Renderer& renderer) {
    if (renderer.offscreenFramebuffer == 0) return;
    GLuint framebuffer = renderer.offscreenFramebuffer;
    GLuint colour = renderer.offscreenColour;
    calls.deleteFramebuffers(1, &framebuffer);
    calls.deleteRenderbuffers(1, &colour);
    renderer.offscreenFramebuffer = 0;
    renderer.offscreenColour = 0;
    renderer.offscreenWidth = 0;
}

void bindOffscreenTarget(const Renderer& renderer) {
    if (renderer.offscreenFramebuffer == 0) return;
    calls.bindFramebuffer(GL_FRAMEBUFFER, renderer.offscreenFramebuffer);
}

void unbindOffscreenTarget(const Renderer& renderer) {
    if (renderer.offscreenFramebuffer != 0) calls.bindFramebuffer(GL_FRAMEBUFFER, 0);
}

int32_t useOffscreenViewport(const Renderer& renderer, const OffscreenViewport& viewport) {
    const int32_t left = renderer.offscreenFramebuffer != 0 ? viewportLeft(viewport, renderer.offscreenWidth) : 0;
    glViewport(left, 0, viewport.width, kFeedbackSize);
    return left + viewport.copyX;
}

bool copyWindowRect(int32_t fromX, int32_t fromY, int32_t toX, int32_t toY, int32_t width, int32_t height) {
    if (calls.blitFramebuffer == nullptr) return false;
    GLint readBuffer = GL_BACK;
    glGetIntegerv(GL_READ_BUFFER, &readBuffer);
    glReadBuffer(GL_BACK);
    calls.blitFramebuffer(fromX, fromY, fromX + width, fromY + height, toX, toY, toX + width, toY + height,
                          GL_COLOR_BUFFER_BIT, GL_NEAREST);
    glReadBuffer(static_cast<GLenum>(readBuffer));
    return true;
}

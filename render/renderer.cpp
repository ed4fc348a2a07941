// Set-up and teardown of the one Renderer of a run.
#include "render/renderer.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>
#include <cstdlib>
#include <new>

#include "render/calendar_seed.h"
#include "render/offscreen_target.h"
#include "scene/random.h"
#include "scene/scene.h"

Renderer* currentRenderer = nullptr;
uint32_t feedbackTextures[2] = {0, 0};
uint32_t seedSalt = 0;

// The generator keeps only its low bits' history in its low bits, so the salt is spread
// over all 32 first: window ids that differ anywhere give different faces.
uint32_t SaltedSeed(uint32_t seed, uint32_t salt) {
    if (salt == 0) return seed;
    uint32_t mixed = salt;
    mixed ^= mixed >> 16;
    mixed *= 0x85EBCA6Bu;
    mixed ^= mixed >> 13;
    mixed *= 0xC2B2AE35u;
    mixed ^= mixed >> 16;
    return seed ^ mixed;
}

namespace {

// Transparent black, never shown: every pass overwrites its texture before it is read.
void createFeedbackTextures() {
    glGenTextures(2, feedbackTextures);
    void* zeros = std::calloc(static_cast<size_t>(kFeedbackSize) * kFeedbackSize, 4);
    for (uint32_t name : feedbackTextures) {
        glBindTexture(GL_TEXTURE_2D, name);
        // Without the zero buffer the level is still defined, only its contents are not.
        glTexImage2D(GL_TEXTURE_2D, 0, 4, kFeedbackSize, kFeedbackSize, 0, GL_RGBA,
                     GL_UNSIGNED_BYTE, zeros);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    }
    std::free(zeros);
}

}  // namespace

// A landscape view sees 90 degrees from bottom to top; one taller than wide sees 90 from
// side to side, so that the whole circle fits either way.
void SetViewProjection(int32_t width, int32_t height) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    // A zero height cannot come from a real window; keep the aspect finite anyway.
    const double aspect = height > 0 && width > 0 ? static_cast<double>(width) / height : 1.0;
    const double fieldOfView = aspect >= 1.0 ? 90.0 : 2.0 * std::atan(1.0 / aspect) * 57.29577951308232;
    gluPerspective(fieldOfView, aspect, 1.0, 20.0);
    glMatrixMode(GL_MODELVIEW);
}

namespace {

void setProjection(int32_t width, int32_t height) {
    glViewport(0, 0, width, height);
    SetViewProjection(width, height);
}

}  // namespace

Renderer::Renderer(int32_t windowWidth, int32_t windowHeight) {
    currentRenderer = this;
    SeedRandom(SaltedSeed(CalendarSeed(), seedSalt));
    DrawRandom();

    passCount = 2;
    width = windowWidth;
    height = windowHeight;
    targetFps = 24;
    sleepMs = 74;
    mirrorsSuppressed = false;
    sectorsPerTurn = 10.0f;
    sectorAngle = 36.0f;
    setSectorAngle(36.0f);

    setProjection(width, height);
    setViews(nullptr, 0);

    mirrorsActive = true;
    // Started before the Scene: loading its images counts as elapsed time.
    startClock();

    scene = new (std::nothrow) Scene(this);
    if (scene != nullptr) scene->setup();

    glClearDepth(1.0);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);

    createFeedbackTextures();
    createOffscreenTarget(*this);
}

void Renderer::setViews(const RenderView* newViews, int32_t count) {
    views.clear();
    for (int32_t i = 0; i < count; ++i) {
        if (newViews[i].width > 0 && newViews[i].height > 0) views.push_back(newViews[i]);
    }
    if (views.empty()) views.push_back(RenderView{0, 0, width, height, 0, false});
    viewCount = static_cast<int32_t>(views.size());
    const int32_t wantedWidth = views[0].width > views[0].height ? views[0].width : views[0].height;
    const int32_t wantedHeight = views[0].height;
    if (wantedWidth == passWidth && wantedHeight == passHeight) return;
    passWidth = wantedWidth;
    passHeight = wantedHeight;
    // Set-up makes the first target itself, once the GL is ready for it.
    if (scene == nullptr && offscreenFramebuffer == 0) return;
    fitOffscreenTarget(*this);
}

// The projection follows the aspect, and the offscreen target the passes' shape.
void Renderer::resize(int32_t windowWidth, int32_t windowHeight) {
    if (windowWidth == width && windowHeight == height) return;
    width = windowWidth;
    height = windowHeight;
    setProjection(width, height);
    setViews(nullptr, 0);
}

// The feedback textures go with the context, which the saver window deletes next.
Renderer::~Renderer() {
    if (scene != nullptr) {
        delete scene;
        scene = nullptr;
    }
    destroyOffscreenTarget(*this);
    fpsOverlay.release();
}

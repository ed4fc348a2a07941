// Set-up and teardown of the one Renderer of a run.
#include "render/renderer.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cstdlib>
#include <new>

#include "render/calendar_seed.h"
#include "render/offscreen_target.h"
#include "scene/random.h"
#include "scene/scene.h"

Renderer* currentRenderer = nullptr;
uint32_t feedbackTextures[2] = {0, 0};

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

void setProjection(int32_t width, int32_t height) {
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    // A zero height cannot come from a real window; keep the aspect finite anyway.
    const double aspect = height > 0 ? static_cast<double>(width) / height : 1.0;
    gluPerspective(90.0, aspect, 1.0, 20.0);
    glMatrixMode(GL_MODELVIEW);
}

}  // namespace

Renderer::Renderer(int32_t windowWidth, int32_t windowHeight) {
    currentRenderer = this;
    SeedRandom(CalendarSeed());
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

// Only the projection follows the aspect: the offscreen target has one size for all.
void Renderer::resize(int32_t windowWidth, int32_t windowHeight) {
    if (windowWidth == width && windowHeight == height) return;
    width = windowWidth;
    height = windowHeight;
    setProjection(width, height);
}

// The feedback textures go with the context, which the saver window deletes next.
Renderer::~Renderer() {
    if (scene != nullptr) {
        delete scene;
        scene = nullptr;
    }
    destroyOffscreenTarget(*this);
}

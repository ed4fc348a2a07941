#pragma once

#include <cstdint>
#include <vector>

#include "render/fps_overlay.h"
#include "scene/vec3.h"

struct Scene;

// One monitor's part of the drawing: a GL viewport (bottom-left origin) on one of the
// window's surfaces. Each view shows a whole kaleidoscope centred on it.
struct RenderView {
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
    int32_t surface = 0;  // which surface of the window; views on one surface share it
    bool clear = false;   // the first view on a surface other than the frame's first one
};

// The one object that owns the saver window's GL state and the Scene.
struct Renderer {
    // Sector geometry, rebuilt every frame by setSectorAngle.
    float geometryAngle = 36.0f;
    int32_t sectorCount = 10;
    Vec3 outlineApex;
    Vec3 outlineStart;
    Vec3 outlineEnd;
    double startPlane[4] = {1.0, 0.0, 0.0, 0.0};
    double endPlane[4] = {};
    double partialStartPlane[4] = {};
    double partialEndPlane[4] = {};
    bool hasPartialSector = false;
    float partialAngle = 0.0f;

    Scene* scene = nullptr;
    int32_t width = 0;   // of the whole window
    int32_t height = 0;
    // The monitors the window covers, as many as there are; one view of the whole window
    // until told otherwise.
    std::vector<RenderView> views;
    int32_t viewCount = 0;
    // The measured frame rate in each view's lower left corner (a host's --fps).
    bool showFps = false;
    FpsOverlay fpsOverlay;
    // The view being drawn, whose shape places the logo.
    float viewAspect = 1.0f;
    bool mirrorsActive = true;

    // Frame clock, per run (render/frame_clock.cpp).
    float measuredFps = 50.0f;
    float elapsedSeconds = 0.0f;
    float fpsWindowStart = 0.0f;
    int32_t fpsFrameCount = 0;
    int32_t targetFps = 24;
    int32_t sleepMs = 74;

    bool mirrorsSuppressed = false;
    float sectorAngle = 36.0f;
    float sectorsPerTurn = 10.0f;
    int32_t passCount = 2;

    // Offscreen target for the feedback passes, so that their 512 x 512 copy is defined
    // in windows smaller than 512 pixels or narrower than tall. 0 when the GL has no
    // framebuffer objects; the passes then go to the back buffer.
    uint32_t offscreenFramebuffer = 0;
    uint32_t offscreenColour = 0;
    int32_t offscreenWidth = 0;  // of the target, at least as wide as the pass viewport
    // The shape the offscreen passes take: the first view's, never narrower than square,
    // since only the square in their middle is copied.
    int32_t passWidth = 0;
    int32_t passHeight = 0;

    // A record that is not set up: no GL, no Scene. Tests and tools fill what they need.
    Renderer() = default;
    // Set-up; the saver window's GL context must be current.
    Renderer(int32_t width, int32_t height);
    // Teardown; the GL context must still be current.
    ~Renderer();
    Renderer(const Renderer&) = delete;
    Renderer& operator=(const Renderer&) = delete;

    // The window's new size, in pixels; the context must be current. The views become one
    // of the whole window.
    void resize(int32_t windowWidth, int32_t windowHeight);
    // Empty views are dropped; none left means the whole window.
    void setViews(const RenderView* newViews, int32_t count);
    void setSectorAngle(float angle);
    // One frame in every view, on one surface.
    bool drawFrame(uint32_t flags);
    // The same in steps, for a window whose views lie on several surfaces: beginFrame draws
    // what the views share, drawView one view on the current surface.
    void beginFrame(uint32_t flags);
    void drawView(int32_t index);
    void endFrame();
    int32_t twinOf(int32_t index) const;
    void advance();
    void drawPass(bool finalPass, int32_t level);
    bool handleKey(uint32_t code);
    bool toggleMirrorSuppression();

    void startClock();
    void tickClock();
};

// The projection of a view of this size (GL_PROJECTION, left as the current matrix mode
// GL_MODELVIEW).
void SetViewProjection(int32_t width, int32_t height);

// Side of the feedback textures, and height of every offscreen pass.
constexpr int32_t kFeedbackSize = 512;

// Bit of drawFrame's flags that asks for the kaleidoscope.
constexpr uint32_t kMirrorFlag = 0x10000;

extern Renderer* currentRenderer;

// Mixed into the calendar seed when nonzero: what tells this copy from others that a host
// starts in the same second (its window), so that they do not show the same faces.
extern uint32_t seedSalt;
uint32_t SaltedSeed(uint32_t seed, uint32_t salt);
extern uint32_t feedbackTextures[2];

#pragma once

#include <cstdint>

#include "images/texture_image.h"
#include "scene/vec3.h"

struct Renderer;

constexpr int32_t kButtonCount = 60;

// One round photographic button lying in the plane z = 0.
struct Button {
    Vec3 position;
    Vec3 velocity;
    Vec3 force;
    float phase = 0.0f;      // 0..1 through the 16-second face cycle
    float birthTime = 0.0f;  // seconds on the Renderer's clock
    float size = 0.0f;       // half side of the square, radius in collisions
    float spinAngle = 0.0f;  // degrees
    int32_t face = 0;
    float faceS = 0.0f;
    float faceT = 0.0f;
    float cellWidth = 0.0f;
    float cellHeight = 0.0f;

    void spawn(int32_t index);
    void assignFace();
    void tickCycle();
    void draw() const;
};

// Record 0 the atlas, record 1 the logo, record 2 never filled.
struct SceneImages {
    TextureImage records[3];
};

struct Scene {
    Button* buttons = nullptr;
    Renderer* renderer = nullptr;
    float spinRate = 0.0f;  // radians per update
    float feedbackZoom = 2.4f;
    int32_t transitionTick = 0;
    int32_t transitionLength = 0;
    bool uniformFaces = false;
    int32_t currentFace = 0;
    int32_t faceCount = 128;
    int32_t targetSectorsPerTurn = 8;
    float sectorEasingSpeed = 0.0f;
    bool sectorEasing = true;
    SceneImages* images = nullptr;

    explicit Scene(Renderer* owner);
    ~Scene();
    Scene(const Scene&) = delete;
    Scene& operator=(const Scene&) = delete;

    void setup();
    void loadTextures();
    void spawnAll();

    void update();
    void tickTransition();
    void newTransition(float seconds);
    void handleKey(uint32_t code);

    void beginPass(bool finalPass, int32_t level);
    void drawButtons();
    void drawFeedback(uint32_t texture);
    void endPass();
};

extern Scene* currentScene;

// Where the logo's centre lies in the plane of the buttons for a view of this aspect
// (width / height): in its lower right corner, whole, whatever the shape.
Vec3 LogoCentre(float aspect);

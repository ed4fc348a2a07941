#include "scene/scene.h"

#include <GL/gl.h>

#include <cstdlib>
#include <new>

#include "images/jpeg_loaders.h"
#include "scene/random_draws.h"

Scene* currentScene = nullptr;

Scene::Scene(Renderer* owner) : renderer(owner) {
    currentScene = this;
    buttons = nullptr;
    transitionLength = 0;
    transitionTick = 0;
    feedbackZoom = 2.4f;
    uniformFaces = randomCoin();
    images = nullptr;
    faceCount = 128;
    currentFace = 0;
    targetSectorsPerTurn = 8;
    sectorEasing = true;
    spinRate = 0.0f;
    sectorEasingSpeed = 0.0f;
}

Scene::~Scene() {
    if (images != nullptr) {
        const GLuint names[2] = {images->records[0].texture, images->records[1].texture};
        glDeleteTextures(2, names);
        std::free(images);
        images = nullptr;
    }
    delete[] buttons;
    buttons = nullptr;
}

void Scene::setup() {
    // This first face is replaced by loadTextures; the draw still moves the sequence on.
    currentFace = randomIndex(faceCount);

    // Without memory the Scene runs with no buttons rather than not at all.
    buttons = new (std::nothrow) Button[kButtonCount];
    if (buttons != nullptr) {
        for (int32_t i = 0; i < kButtonCount; ++i) {
            buttons[i].position.clear();
            buttons[i].velocity.clear();
            buttons[i].force.clear();
        }
    }

    loadTextures();
    spawnAll();
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
}

void Scene::loadTextures() {
    currentFace = randomIndex(faceCount);

    // calloc: an empty record is all zeros, and a failed load leaves it so.
    images = static_cast<SceneImages*>(std::calloc(1, sizeof(SceneImages)));
    if (images != nullptr) {
        LoadMaskedTexture(images->records[0], "JPEG_ORBELINE_RGB", "JPEG_ORBELINE_MASK");
        LoadTexture(images->records[1], "LOGO_MASK");
    }
    glDisable(GL_LIGHTING);
}

void Scene::spawnAll() {
    if (buttons == nullptr) {
        return;
    }
    for (int32_t i = 0; i < kButtonCount; ++i) {
        buttons[i].spawn(i);
    }
}

#include "tests/scene/scene_harness.h"

#include <cstdlib>

SceneHarness::SceneHarness() {
    scene.buttons = new Button[kButtonCount];
    for (int32_t i = 0; i < kButtonCount; ++i) {
        Button& b = scene.buttons[i];
        b.position.set(-2.45f + 0.7f * static_cast<float>(i % 8),
                       -2.45f + 0.7f * static_cast<float>(i / 8), 0.0f);
        b.size = 0.2f;
        b.birthTime = renderer.elapsedSeconds;
    }
}

void SceneHarness::giveAtlas(uint32_t width, uint32_t height) {
    // The Scene frees its image block with free().
    scene.images = static_cast<SceneImages*>(std::calloc(1, sizeof(SceneImages)));
    if (scene.images == nullptr) std::abort();
    scene.images->records[0].width = width;
    scene.images->records[0].height = height;
}

void SceneHarness::updates(int32_t count) {
    for (int32_t i = 0; i < count; ++i) {
        scene.update();
    }
}

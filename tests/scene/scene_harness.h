#pragma once

#include <cstdint>

#include "render/renderer.h"
#include "scene/scene.h"

// A Scene built by hand, without set-up: 60 buttons of size 0.2 at rest on an 8 x 8
// grid with spacing 0.7 (slots 0..59), so that no two overlap and none reaches the
// wall; every cycle starts at the clock's current time, so none runs out on its own.
// Tests move the buttons they care about into the free space around the grid.
struct SceneHarness {
    Renderer renderer;
    Scene scene{&renderer};

    SceneHarness();
    Button& button(int32_t index) { return scene.buttons[index]; }
    // A 2048 x 1024 atlas record, as a successful load leaves it.
    void giveAtlas(uint32_t width = 2048, uint32_t height = 1024);
    void updates(int32_t count);
};

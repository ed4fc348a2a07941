// Cost of one Scene update and of whole frames on this machine's GL.
#include <GL/gl.h>
#include <benchmark/benchmark.h>

#include <cstdio>

#include "platform/offscreen_context.h"
#include "render/renderer.h"
#include "scene/scene.h"

namespace {

// Holds a set-up Renderer on an offscreen drawable of the window's size.
struct Stage {
    OffscreenContext context;
    Renderer* renderer = nullptr;

    bool open(int32_t width, int32_t height) {
        const char* error = nullptr;
        if (!context.open(width, height, &error)) {
            std::fprintf(stderr, "%s\n", error);
            return false;
        }
        renderer = new Renderer(width, height);
        return true;
    }
    ~Stage() {
        delete renderer;
        context.close();
    }
};

void BM_SceneUpdate(benchmark::State& state) {
    Stage stage;
    if (!stage.open(320, 240)) {
        state.SkipWithError("no GL context");
        return;
    }
    for (auto _ : state) stage.renderer->scene->update();
}
BENCHMARK(BM_SceneUpdate)->Unit(benchmark::kMicrosecond);

// Arguments: width, height, passes. Waits for the GL to finish, as the frame loop's
// swap does.
void BM_DrawFrame(benchmark::State& state) {
    Stage stage;
    const auto width = static_cast<int32_t>(state.range(0));
    const auto height = static_cast<int32_t>(state.range(1));
    if (!stage.open(width, height)) {
        state.SkipWithError("no GL context");
        return;
    }
    stage.renderer->passCount = static_cast<int32_t>(state.range(2));
    for (int i = 0; i < 3; ++i) stage.renderer->drawFrame(kMirrorFlag);  // warm caches
    for (auto _ : state) {
        stage.renderer->drawFrame(kMirrorFlag);
        glFinish();
    }
}
BENCHMARK(BM_DrawFrame)
    ->Args({1920, 1080, 2})
    ->Args({1920, 1080, 10})
    ->Args({152, 112, 2})
    ->Args({152, 112, 10})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace

BENCHMARK_MAIN();

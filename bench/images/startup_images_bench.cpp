// The whole start-up cost of the pictures: decoding the shipped streams and building their
// mipmapped textures on an offscreen GL context.
#include <benchmark/benchmark.h>

#include <cstdio>

#include <GL/gl.h>

#include "images/jpeg_loaders.h"
#include "platform/offscreen_context.h"

namespace {

void DeleteTexture(TextureImage& image) {
    GLuint name = image.texture;
    glDeleteTextures(1, &name);
}

void BM_StartupImages(benchmark::State& state) {
    for (auto _ : state) {
        TextureImage atlas{};
        TextureImage logo{};
        bool loaded = LoadMaskedTexture(atlas, "JPEG_ORBELINE_RGB", "JPEG_ORBELINE_MASK");
        loaded = LoadTexture(logo, "LOGO_MASK") && loaded;
        glFinish();
        if (!loaded) state.SkipWithError("a picture did not load");
        state.PauseTiming();
        DeleteTexture(atlas);
        DeleteTexture(logo);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartupImages)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_AtlasTexture(benchmark::State& state) {
    for (auto _ : state) {
        TextureImage atlas{};
        if (!LoadMaskedTexture(atlas, "JPEG_ORBELINE_RGB", "JPEG_ORBELINE_MASK")) state.SkipWithError("no atlas");
        glFinish();
        state.PauseTiming();
        DeleteTexture(atlas);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_AtlasTexture)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_LogoTexture(benchmark::State& state) {
    for (auto _ : state) {
        TextureImage logo{};
        if (!LoadTexture(logo, "LOGO_MASK")) state.SkipWithError("no logo");
        glFinish();
        state.PauseTiming();
        DeleteTexture(logo);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_LogoTexture)->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    OffscreenContext gl;
    const char* error = nullptr;
    if (!gl.open(64, 64, &error)) {
        std::fprintf(stderr, "no GL context: %s\n", error);
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    gl.close();
    return 0;
}

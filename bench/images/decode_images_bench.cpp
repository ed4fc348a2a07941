// Decoding alone: the loaders on the shipped streams, with a texture builder that only
// frees the buffer (discard_texture.cpp), so that the GL share of start-up can be told apart.
#include <benchmark/benchmark.h>

#include "images/jpeg_loaders.h"

namespace {

void BM_DecodeAtlas(benchmark::State& state) {
    for (auto _ : state) {
        TextureImage atlas{};
        if (!LoadMaskedTexture(atlas, "JPEG_ORBELINE_RGB", "JPEG_ORBELINE_MASK")) state.SkipWithError("no atlas");
    }
}
BENCHMARK(BM_DecodeAtlas)->Unit(benchmark::kMillisecond);

void BM_DecodeLogo(benchmark::State& state) {
    for (auto _ : state) {
        TextureImage logo{};
        if (!LoadTexture(logo, "LOGO_MASK")) state.SkipWithError("no logo");
    }
}
BENCHMARK(BM_DecodeLogo)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();

#pragma once

#include <cstdint>
#include <functional>
#include <vector>

// The Renderer as the shell's tests see it: records what the shell asks of it and takes
// the keys the real key hook takes, unless a test says otherwise.
struct FakeRendererLog {
    std::vector<uint32_t> keys;
    std::vector<uint32_t> frameFlags;
    int32_t constructedWidth = 0;
    int32_t constructedHeight = 0;
    uint32_t constructedSalt = 0;  // the seed's salt when the Renderer was made
    int32_t sleepMs = 74;
    std::function<bool(uint32_t)> takes;
    std::vector<int32_t> viewsDrawn;  // drawView's index, call by call
    int32_t viewUpdates = 0;
    // Runs inside each frame, after the frame is counted.
    std::function<void()> onFrame;
};

extern FakeRendererLog fakeRenderer;
void ResetFakeRenderer();

// The key hook's own table: space, arrows, digits, M and S.
bool RealHookTakes(uint32_t code);

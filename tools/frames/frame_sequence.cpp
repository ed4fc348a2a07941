#include "tools/frames/frame_sequence.h"

#include <cmath>
#include <cstddef>

#include "render/renderer.h"
#include "tools/frames/simulated_time.h"

bool DrawFrameSequence(const FrameOptions& options, const std::function<bool(int32_t frame)>& keep) {
    simulatedSeed = options.seed;
    simulatedCount = 0;
    Renderer renderer(options.width, options.height);
    renderer.passCount = options.passes;
    const uint32_t flags = options.mirrors ? kMirrorFlag : 0;
    size_t next = 0;
    const int32_t last = options.frames.back();
    for (int32_t frame = 0; frame <= last; ++frame) {
        // Whole microseconds from the frame number, so no rounding error builds up.
        simulatedCount = std::llround(static_cast<double>(frame + 1) * options.stepSeconds * 1e6);
        renderer.drawFrame(flags);
        if (frame != options.frames[next]) continue;
        if (!keep(frame)) return false;
        ++next;
    }
    return true;
}

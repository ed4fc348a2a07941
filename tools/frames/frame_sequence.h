#pragma once

#include <cstdint>
#include <functional>

#include "tools/frames/frame_options.h"

// Draws the options' frames from the first on the simulated clock and seed, with a GL
// context current, and hands each chosen frame to `keep` while it is in the back buffer.
// False as soon as `keep` fails.
bool DrawFrameSequence(const FrameOptions& options, const std::function<bool(int32_t frame)>& keep);

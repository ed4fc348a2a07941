#pragma once

#include <cstdint>

// Overlays drawn in window pixels, origin bottom left, over whatever matrices the frame
// left: PushPixelSpace keeps both matrices, PopPixelSpace puts them back and leaves the
// model-view current, as the frame expects.
void PushPixelSpace(int32_t width, int32_t height);
void PopPixelSpace();

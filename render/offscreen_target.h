#pragma once

#include <cstdint>

struct Renderer;

// Where an offscreen pass draws: a viewport 512 pixels high with the window's aspect,
// from which the 512 x 512 square centred in it is copied.
struct OffscreenViewport {
    int32_t width;  // width * 512 / height, truncated
    int32_t copyX;  // left edge of the copied square: (width' - 512) / 2, truncated
};

OffscreenViewport offscreenViewport(int32_t windowWidth, int32_t windowHeight);

// A framebuffer object holding just the copied square, so the copy is defined in any
// window; its size never follows the window's, so a resize makes nothing anew. Leaves the
// Renderer's fields 0 when the GL has none.
void createOffscreenTarget(Renderer& renderer);
void destroyOffscreenTarget(Renderer& renderer);

// Makes the offscreen target current for the frame's offscreen passes, or leaves the
// back buffer current where there is none; unbind returns to the window's buffers.
void bindOffscreenTarget(const Renderer& renderer);
void unbindOffscreenTarget(const Renderer& renderer);

// Sets the pass viewport and returns the x from which to copy the 512 x 512 square.
int32_t useOffscreenViewport(const Renderer& renderer, const OffscreenViewport& viewport);

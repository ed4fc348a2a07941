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

// A framebuffer object wide enough for the pass viewport and the copied square, so the
// copy is defined in any window. Leaves the Renderer's fields 0 when the GL has none.
void createOffscreenTarget(Renderer& renderer);
void destroyOffscreenTarget(Renderer& renderer);
// After the passes' shape changed: a target that still fits is kept; one that does not
// gives way to the square target, which fits every shape.
void fitOffscreenTarget(Renderer& renderer);

// Makes the offscreen target current for the frame's offscreen passes, or leaves the
// back buffer current where there is none; unbind returns to the window's buffers.
void bindOffscreenTarget(const Renderer& renderer);
void unbindOffscreenTarget(const Renderer& renderer);

// Sets the pass viewport and returns the x from which to copy the 512 x 512 square.
int32_t useOffscreenViewport(const Renderer& renderer, const OffscreenViewport& viewport);

// Copies a rectangle of the window's back buffer to another place in it, pixel for pixel;
// false where the GL cannot blit (the caller then draws). The rectangles must not overlap.
bool copyWindowRect(int32_t fromX, int32_t fromY, int32_t toX, int32_t toY, int32_t width, int32_t height);

#pragma once

#include <cstdint>

// The measured frame rate in small digits in a view's lower left corner, as hosts' users
// expect of --fps: "23.9 fps", from a tiny built-in font, no dependency.
struct FpsOverlay {
    uint32_t texture = 0;  // the font, made on first use with the context current

    // Draws `fps` over the view just drawn (width x height pixels). Leaves blending and
    // texturing off, culling on, and the matrices as it found them.
    void draw(float fps, int32_t width, int32_t height);
    // Deletes the font; the context must be current.
    void release();
};

// The text drawn for a rate: one decimal, at most "9999.9 fps".
int32_t FormatFps(float fps, char* text, int32_t capacity);

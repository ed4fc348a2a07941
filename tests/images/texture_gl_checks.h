#pragma once

#include <cstdint>

#include <GL/gl.h>

// Checks the state BuildTexture leaves: `texture` bound, `levels` mipmap levels halving
// from width x height down to 1 x 1 in `format`, trilinear filters, repeat in both
// directions, and the texture unit modulating.
void ExpectBuiltTexture(uint32_t texture, GLint width, GLint height, int levels, GLint format);

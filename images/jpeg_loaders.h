#pragma once

#include "images/texture_image.h"

// Decode the named JPEG streams and build the image's texture. True once the texture is
// built; false on any failure, with `texture` left 0 and no pixel buffer kept. Images over
// 4096 pixels on a side are refused before they are decoded.

// Colour stream (3 components) and a one-component mask of the same size, merged into
// one RGBA texture.
bool LoadMaskedTexture(TextureImage& image, const char* colourName, const char* maskName);

// One stream at its own component count: 1 gives an alpha texture, 3 an RGB one.
bool LoadTexture(TextureImage& image, const char* name);

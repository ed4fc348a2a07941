#pragma once

#include "images/texture_image.h"

// Uploads the image's pixels as a mipmapped, repeating texture, stores its name in
// `texture`, leaves it bound and frees the pixels. Needs a current GL context. False, with
// `texture` 0 and the pixels freed, when the GL refuses the image.
bool BuildTexture(TextureImage& image);

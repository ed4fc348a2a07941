#include "images/build_texture.h"

#include <cstdlib>
#include <type_traits>

#include <GL/gl.h>
#include <GL/glu.h>

static_assert(std::is_same<GLuint, uint32_t>::value, "texture names are stored in the record as is");

namespace {

// One-byte images carry coverage only, so they become alpha rather than luminance.
GLenum formatFor(int32_t bitsPerPixel) {
    if (bitsPerPixel == 8 || bitsPerPixel == 16) return GL_ALPHA;
    if (bitsPerPixel == 24) return GL_RGB;
    return GL_RGBA;
}

}  // namespace

bool BuildTexture(TextureImage& image) {
    // Errors left by earlier calls are not ours to report; the bound guards a context that
    // keeps answering with an error.
    for (int i = 0; i < 16 && glGetError() != GL_NO_ERROR; ++i) {
    }
    glGenTextures(1, &image.texture);
    glBindTexture(GL_TEXTURE_2D, image.texture);
    const GLenum format = formatFor(image.bitsPerPixel);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, static_cast<GLfloat>(GL_LINEAR_MIPMAP_LINEAR));
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, static_cast<GLfloat>(GL_LINEAR));
    const GLint built = gluBuild2DMipmaps(GL_TEXTURE_2D, static_cast<GLint>(format), static_cast<GLint>(image.width),
                                          static_cast<GLint>(image.height), format, GL_UNSIGNED_BYTE, image.pixels);
    glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, static_cast<GLfloat>(GL_MODULATE));
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    std::free(image.pixels);
    image.pixels = nullptr;
    // An image the GL cannot take (too large, out of memory) leaves no half-built texture.
    if (built != 0 || glGetError() != GL_NO_ERROR) {
        glBindTexture(GL_TEXTURE_2D, 0);
        glDeleteTextures(1, &image.texture);
        image.texture = 0;
        return false;
    }
    return true;
}

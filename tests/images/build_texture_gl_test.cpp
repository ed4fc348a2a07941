#include <cstdlib>
#include <cstring>

#include <GL/gl.h>

#include "images/build_texture.h"
#include "tests/images/texture_gl_checks.h"
#include "tests/support/gl_test_context.h"

namespace {

using BuildTextureTest = GlTest;

TextureImage MallocImage(uint32_t width, uint32_t height, int32_t bitsPerPixel) {
    TextureImage image{};
    image.width = width;
    image.height = height;
    image.bitsPerPixel = bitsPerPixel;
    const size_t size = size_t{width} * height * static_cast<size_t>(bitsPerPixel / 8);
    image.pixels = static_cast<unsigned char*>(std::calloc(size, 1));
    return image;
}

TEST_F(BuildTextureTest, FormatFollowsBitsPerPixel) {
    struct Case {
        int32_t bitsPerPixel;
        GLint format;
    };
    for (Case test : {Case{8, GL_ALPHA}, Case{16, GL_ALPHA}, Case{24, GL_RGB}, Case{32, GL_RGBA}}) {
        SCOPED_TRACE(test.bitsPerPixel);
        TextureImage image = MallocImage(8, 4, test.bitsPerPixel);
        ASSERT_TRUE(BuildTexture(image));
        ASSERT_NE(image.texture, 0u);
        ExpectBuiltTexture(image.texture, 8, 4, 4, test.format);
        GLuint name = image.texture;
        glDeleteTextures(1, &name);
    }
}

TEST_F(BuildTextureTest, AnImageTheGlRefusesFailsAndLeavesNoTexture) {
    TextureImage image = MallocImage(0, 4, 32);  // GLU refuses an empty image
    EXPECT_FALSE(BuildTexture(image));
    EXPECT_EQ(image.texture, 0u);
    EXPECT_EQ(image.pixels, nullptr);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(BuildTextureTest, TextureCoordinatesBeyondOneRepeatTheImage) {
    // Left half red, right half green.
    TextureImage image = MallocImage(4, 4, 32);
    for (uint32_t y = 0; y < 4; ++y) {
        for (uint32_t x = 0; x < 4; ++x) {
            const unsigned char texel[4] = {static_cast<unsigned char>(x < 2 ? 255 : 0),
                                            static_cast<unsigned char>(x < 2 ? 0 : 255), 0, 255};
            std::memcpy(image.pixels + 4 * (y * 4 + x), texel, 4);
        }
    }
    ASSERT_TRUE(BuildTexture(image));

    glViewport(0, 0, 64, 64);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glEnable(GL_TEXTURE_2D);
    glColor4f(1, 1, 1, 1);
    glClearColor(0, 0, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    // The image twice across the quad.
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0);
    glVertex2f(-1, -1);
    glTexCoord2f(2, 0);
    glVertex2f(1, -1);
    glTexCoord2f(2, 1);
    glVertex2f(1, 1);
    glTexCoord2f(0, 1);
    glVertex2f(-1, 1);
    glEnd();
    glFinish();

    unsigned char row[64 * 4];
    glReadPixels(0, 32, 64, 1, GL_RGBA, GL_UNSIGNED_BYTE, row);
    auto redAt = [&](int x) { return row[4 * x]; };
    auto greenAt = [&](int x) { return row[4 * x + 1]; };
    EXPECT_EQ(redAt(8), 255);    // s = 0.27
    EXPECT_EQ(greenAt(24), 255); // s = 0.77
    EXPECT_EQ(redAt(40), 255);   // s = 1.27: the left half again
    EXPECT_EQ(greenAt(40), 0);
    EXPECT_EQ(greenAt(56), 255); // s = 1.77
    GLuint name = image.texture;
    glDeleteTextures(1, &name);
}

}  // namespace

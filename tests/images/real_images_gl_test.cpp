#include <GL/gl.h>

#include "images/jpeg_loaders.h"
#include "tests/images/texture_gl_checks.h"
#include "tests/support/gl_test_context.h"

// The shipped pictures, through the saver's own lookup and texture builder.

namespace {

using RealImagesTest = GlTest;

TEST_F(RealImagesTest, AtlasBecomesAnRgbaTextureWithTwelveLevels) {
    GLint maxSize = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
    if (maxSize < 2048) GTEST_SKIP() << "textures of 2048 texels a side are not accepted here";
    TextureImage image{};

    ASSERT_TRUE(LoadMaskedTexture(image, "JPEG_ORBELINE_RGB", "JPEG_ORBELINE_MASK"));

    ASSERT_NE(image.texture, 0u);
    EXPECT_EQ(image.width, 2048u);
    EXPECT_EQ(image.height, 1024u);
    EXPECT_EQ(image.bitsPerPixel, 32);
    ExpectBuiltTexture(image.texture, 2048, 1024, 12, GL_RGBA);
    GLuint name = image.texture;
    glDeleteTextures(1, &name);
}

TEST_F(RealImagesTest, LogoBecomesAnAlphaTextureWithNineLevels) {
    TextureImage image{};

    ASSERT_TRUE(LoadTexture(image, "LOGO_MASK"));

    ASSERT_NE(image.texture, 0u);
    EXPECT_EQ(image.bitsPerPixel, 8);
    ExpectBuiltTexture(image.texture, 256, 64, 9, GL_ALPHA);
    GLuint name = image.texture;
    glDeleteTextures(1, &name);
}

}  // namespace

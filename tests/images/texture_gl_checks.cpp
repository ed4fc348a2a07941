#include "tests/images/texture_gl_checks.h"

#include <algorithm>

#include <gtest/gtest.h>

void ExpectBuiltTexture(uint32_t texture, GLint width, GLint height, int levels, GLint format) {
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(static_cast<uint32_t>(bound), texture);
    for (int level = 0; level <= levels; ++level) {
        SCOPED_TRACE(testing::Message() << "level " << level);
        GLint levelWidth = 0, levelHeight = 0, levelFormat = 0;
        glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_WIDTH, &levelWidth);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_HEIGHT, &levelHeight);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_INTERNAL_FORMAT, &levelFormat);
        if (level == levels) {
            EXPECT_EQ(levelWidth, 0);  // the chain ends at 1 x 1
            continue;
        }
        EXPECT_EQ(levelWidth, std::max(1, width >> level));
        EXPECT_EQ(levelHeight, std::max(1, height >> level));
        EXPECT_EQ(levelFormat, format);
    }
    GLint value = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &value);
    EXPECT_EQ(value, GL_LINEAR_MIPMAP_LINEAR);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &value);
    EXPECT_EQ(value, GL_LINEAR);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &value);
    EXPECT_EQ(value, GL_REPEAT);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, &value);
    EXPECT_EQ(value, GL_REPEAT);
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &value);
    EXPECT_EQ(value, GL_MODULATE);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

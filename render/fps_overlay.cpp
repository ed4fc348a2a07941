#include "render/fps_overlay.h"

#include <GL/gl.h>

#include <cstdio>
#include <cstring>

#include "render/pixel_space.h"

namespace {

// 5 x 7 glyphs, one row a byte, the leftmost column the 0x10 bit.
constexpr char kGlyphs[] = "0123456789. fps";
constexpr int32_t kGlyphCount = sizeof kGlyphs - 1;
constexpr uint8_t kRows[kGlyphCount][7] = {
    {0x0E, 0x11, 0x13, 0x15, 0x19, 0x11, 0x0E},  // 0
    {0x04, 0x0C, 0x04, 0x04, 0x04, 0x04, 0x0E},  // 1
    {0x0E, 0x11, 0x01, 0x02, 0x04, 0x08, 0x1F},  // 2
    {0x1F, 0x02, 0x04, 0x02, 0x01, 0x11, 0x0E},  // 3
    {0x02, 0x06, 0x0A, 0x12, 0x1F, 0x02, 0x02},  // 4
    {0x1F, 0x10, 0x1E, 0x01, 0x01, 0x11, 0x0E},  // 5
    {0x06, 0x08, 0x10, 0x1E, 0x11, 0x11, 0x0E},  // 6
    {0x1F, 0x01, 0x02, 0x04, 0x08, 0x08, 0x08},  // 7
    {0x0E, 0x11, 0x11, 0x0E, 0x11, 0x11, 0x0E},  // 8
    {0x0E, 0x11, 0x11, 0x0F, 0x01, 0x02, 0x0C},  // 9
    {0x00, 0x00, 0x00, 0x00, 0x00, 0x0C, 0x0C},  // .
    {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00},  // space
    {0x06, 0x09, 0x08, 0x1C, 0x08, 0x08, 0x08},  // f
    {0x00, 0x00, 0x1E, 0x11, 0x1E, 0x10, 0x10},  // p
    {0x00, 0x00, 0x0F, 0x10, 0x0E, 0x01, 0x1E},  // s
};

// Each glyph sits in a cell of 8 x 8 texels, top row first; the texture is 128 x 8, a
// power of two as OpenGL 1.1 needs.
constexpr int32_t kCell = 8;
constexpr int32_t kTextureWidth = 128;
constexpr int32_t kScale = 2;  // screen pixels per texel

uint32_t MakeFont() {
    uint8_t texels[kCell * kTextureWidth] = {};
    for (int32_t glyph = 0; glyph < kGlyphCount; ++glyph) {
        for (int32_t row = 0; row < 7; ++row) {
            for (int32_t column = 0; column < 5; ++column) {
                if ((kRows[glyph][row] & (0x10 >> column)) == 0) continue;
                texels[row * kTextureWidth + glyph * kCell + column] = 0xFF;
            }
        }
    }
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_ALPHA, kTextureWidth, kCell, 0, GL_ALPHA, GL_UNSIGNED_BYTE, texels);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    return name;
}

}  // namespace

int32_t FormatFps(float fps, char* text, int32_t capacity) {
    double shown = fps > 0.0f ? static_cast<double>(fps) : 0.0;
    if (shown > 9999.9) shown = 9999.9;
    const int written = std::snprintf(text, static_cast<size_t>(capacity), "%.1f fps", shown);
    return written < 0 ? 0 : written < capacity ? written : capacity - 1;
}

void FpsOverlay::draw(float fps, int32_t width, int32_t height) {
    if (width <= 0 || height <= 0) return;
    if (texture == 0) texture = MakeFont();
    char text[16];
    const int32_t length = FormatFps(fps, text, sizeof text);

    PushPixelSpace(width, height);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glColor4f(1.0f, 1.0f, 1.0f, 0.85f);

    const float cellS = static_cast<float>(kCell) / kTextureWidth;
    const float side = static_cast<float>(kCell * kScale);
    float x = 8.0f;
    const float y = 8.0f;
    glBegin(GL_QUADS);
    for (int32_t i = 0; i < length; ++i) {
        const char* found = std::strchr(kGlyphs, text[i]);
        if (found == nullptr || *found == '\0') continue;
        const float s = static_cast<float>(found - kGlyphs) * cellS;
        // Counter-clockwise, so culling keeps it; t = 0 is the glyph's top row.
        glTexCoord2f(s, 1.0f);
        glVertex2f(x, y);
        glTexCoord2f(s + cellS, 1.0f);
        glVertex2f(x + side, y);
        glTexCoord2f(s + cellS, 0.0f);
        glVertex2f(x + side, y + side);
        glTexCoord2f(s, 0.0f);
        glVertex2f(x, y + side);
        x += 6.0f * kScale;
    }
    glEnd();

    glDisable(GL_BLEND);
    glDisable(GL_TEXTURE_2D);
    PopPixelSpace();
}

void FpsOverlay::release() {
    if (texture == 0) return;
    GLuint name = texture;
    glDeleteTextures(1, &name);
    texture = 0;
}

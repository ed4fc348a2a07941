#include "render/lock_prompt.h"

#include <GL/gl.h>

#include <cmath>
#include <initializer_list>

#include "render/pixel_space.h"

namespace {

constexpr int32_t kRingSegments = 96;
constexpr float kTurn = 6.2831853f;
constexpr float kLitArc = kTurn / 6.0f;
constexpr float kGoldenAngle = 2.3999632f;  // successive presses land far apart

// "wrong" in 5 x 8 glyphs, one row a byte, the leftmost column the 0x10 bit; the last row
// is below the line, for the tail of the g.
constexpr uint8_t kWrong[5][8] = {
    {0x00, 0x00, 0x11, 0x11, 0x15, 0x15, 0x0A, 0x00},  // w
    {0x00, 0x00, 0x16, 0x19, 0x10, 0x10, 0x10, 0x00},  // r
    {0x00, 0x00, 0x0E, 0x11, 0x11, 0x11, 0x0E, 0x00},  // o
    {0x00, 0x00, 0x16, 0x19, 0x11, 0x11, 0x11, 0x00},  // n
    {0x00, 0x00, 0x0F, 0x11, 0x11, 0x0F, 0x01, 0x0E},  // g
};

// The band between two radii from angle `from` to `to`, as one strip.
void Band(float cx, float cy, float inner, float outer, float from, float to) {
    const int32_t steps = static_cast<int32_t>(std::ceil((to - from) / kTurn * kRingSegments));
    glBegin(GL_TRIANGLE_STRIP);
    for (int32_t i = 0; i <= steps; ++i) {
        const float a = from + (to - from) * static_cast<float>(i) / static_cast<float>(steps);
        glVertex2f(cx + inner * std::cos(a), cy + inner * std::sin(a));
        glVertex2f(cx + outer * std::cos(a), cy + outer * std::sin(a));
    }
    glEnd();
}

void Disc(float cx, float cy, float radius) {
    glBegin(GL_TRIANGLE_FAN);
    glVertex2f(cx, cy);
    for (int32_t i = 0; i <= kRingSegments; ++i) {
        const float a = kTurn * static_cast<float>(i) / kRingSegments;
        glVertex2f(cx + radius * std::cos(a), cy + radius * std::sin(a));
    }
    glEnd();
}

void Word(float cx, float cy, float pixel) {
    const float left = cx - 29.0f * pixel / 2.0f;  // five glyphs and four gaps
    const float top = cy + 8.0f * pixel / 2.0f;
    glBegin(GL_QUADS);
    for (int32_t glyph = 0; glyph < 5; ++glyph) {
        for (int32_t row = 0; row < 8; ++row) {
            for (int32_t column = 0; column < 5; ++column) {
                if ((kWrong[glyph][row] & (0x10 >> column)) == 0) continue;
                const float px = left + static_cast<float>(glyph * 6 + column) * pixel;
                const float py = top - static_cast<float>(row + 1) * pixel;
                glVertex2f(px, py);
                glVertex2f(px + pixel, py);
                glVertex2f(px + pixel, py + pixel);
                glVertex2f(px, py + pixel);
            }
        }
    }
    glEnd();
}

}  // namespace

void DrawLockPrompt(const LockPromptLook& look, int32_t x, int32_t y, int32_t width, int32_t height) {
    if (width <= 0 || height <= 0) return;
    glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_CURRENT_BIT | GL_VIEWPORT_BIT | GL_POLYGON_BIT);
    PushPixelSpace(width, height);
    glViewport(x, y, width, height);
    // Plain colour, whole: nothing of the kaleidoscope's state may reach the ring.
    for (GLenum capability : {GL_TEXTURE_2D, GL_LIGHTING, GL_DEPTH_TEST, GL_CULL_FACE, GL_CLIP_PLANE0,
                              GL_CLIP_PLANE1, GL_CLIP_PLANE2, GL_FOG, GL_ALPHA_TEST, GL_DITHER}) {
        glDisable(capability);
    }
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);

    const float cx = static_cast<float>(width) / 2.0f;
    const float cy = static_cast<float>(height) / 2.0f;
    const float shortest = static_cast<float>(width < height ? width : height);
    const float outer = std::fmax(40.0f, std::fmin(160.0f, shortest * 0.16f));
    const float inner = outer * 0.8f;

    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4f(0.0f, 0.0f, 0.0f, 0.6f);
    Disc(cx, cy, inner);
    glDisable(GL_BLEND);

    const uint8_t* colour = look.ring == LockRing::Wrong      ? kRingWrong
                            : look.ring == LockRing::Checking ? kRingChecking
                                                              : kRingTyping;
    glColor3ub(colour[0], colour[1], colour[2]);
    Band(cx, cy, inner, outer, 0.0f, kTurn);

    if (look.ring == LockRing::Checking) {
        const float from = std::fmod(look.seconds * kTurn, kTurn);
        glColor3ub(230, 220, 255);
        Band(cx, cy, inner, outer, from, from + kLitArc);
    } else if (look.ring == LockRing::Typing && look.keyPresses > 0) {
        const float from = std::fmod(static_cast<float>(look.keyPresses) * kGoldenAngle, kTurn);
        if (look.erased) {
            glColor3ub(240, 150, 40);
        } else {
            glColor3ub(200, 240, 255);
        }
        Band(cx, cy, inner, outer, from, from + kLitArc);
    } else if (look.ring == LockRing::Wrong) {
        glColor3ub(255, 235, 235);
        Word(cx, cy, std::fmax(2.0f, std::floor(inner * 1.5f / 29.0f)));
    }

    PopPixelSpace();
    glPopAttrib();
}

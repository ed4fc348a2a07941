#include "logo.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include <ft2build.h>
#include FT_FREETYPE_H

namespace {

constexpr int kOver = 4;  // lettering is set this much larger, then box-filtered down

struct Canvas {
    int w, h;
    std::vector<uint8_t> px;
};

// Sets the text on a canvas at the given pixel size; the pen starts at (penX, baseline).
Canvas setText(FT_Face face, const std::string& text, int pixelSize, int w, int h, int penX, int baseline) {
    Canvas c{w, h, std::vector<uint8_t>(static_cast<size_t>(w) * h, 0)};
    FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixelSize));
    FT_UInt prev = 0;
    long pen = penX * 64L;
    for (unsigned char ch : text) {
        FT_UInt glyph = FT_Get_Char_Index(face, ch);
        if (prev && FT_HAS_KERNING(face)) {
            FT_Vector k;
            FT_Get_Kerning(face, prev, glyph, FT_KERNING_DEFAULT, &k);
            pen += k.x;
        }
        if (FT_Load_Glyph(face, glyph, FT_LOAD_RENDER | FT_LOAD_NO_HINTING)) continue;
        FT_GlyphSlot g = face->glyph;
        int gx = static_cast<int>(pen / 64) + g->bitmap_left, gy = baseline - g->bitmap_top;
        for (unsigned int row = 0; row < g->bitmap.rows; ++row)
            for (unsigned int col = 0; col < g->bitmap.width; ++col) {
                int x = gx + static_cast<int>(col), y = gy + static_cast<int>(row);
                if (x < 0 || y < 0 || x >= w || y >= h) continue;
                uint8_t v = g->bitmap.buffer[row * g->bitmap.pitch + col];
                uint8_t& d = c.px[static_cast<size_t>(y) * w + x];
                d = std::max(d, v);
            }
        pen += g->advance.x;
        prev = glyph;
    }
    return c;
}

bool inkBox(const Canvas& c, int& x0, int& y0, int& x1, int& y1) {
    x0 = c.w;
    y0 = c.h;
    x1 = -1;
    y1 = -1;
    for (int y = 0; y < c.h; ++y)
        for (int x = 0; x < c.w; ++x)
            if (c.px[static_cast<size_t>(y) * c.w + x] > 0) {
                x0 = std::min(x0, x);
                x1 = std::max(x1, x);
                y0 = std::min(y0, y);
                y1 = std::max(y1, y);
            }
    return x1 >= 0;
}

}  // namespace

std::vector<uint8_t> renderLogo(const std::string& fontPath, const std::string& text, int width, int height,
                                int margin) {
    FT_Library lib;
    if (FT_Init_FreeType(&lib)) return {};
    FT_Face face;
    if (FT_New_Face(lib, fontPath.c_str(), 0, &face)) {
        std::fprintf(stderr, "cannot open font %s\n", fontPath.c_str());
        FT_Done_FreeType(lib);
        return {};
    }
    int W = width * kOver, H = height * kOver;

    // Measure at a trial size on a roomy canvas, then scale so the ink just fits inside the margins.
    int trial = H;
    Canvas probe = setText(face, text, trial, W * 4, H * 3, W / 2, H * 2);
    int x0, y0, x1, y1;
    std::vector<uint8_t> out;
    if (inkBox(probe, x0, y0, x1, y1)) {
        double fit = std::min(double(W - 2 * margin * kOver) / (x1 - x0 + 1),
                              double(H - 2 * margin * kOver) / (y1 - y0 + 1));
        int size = static_cast<int>(std::floor(trial * fit));
        Canvas sized = setText(face, text, size, W * 4, H * 3, W / 2, H * 2);
        inkBox(sized, x0, y0, x1, y1);
        int shiftX = (W - (x1 - x0 + 1)) / 2 - x0, shiftY = (H - (y1 - y0 + 1)) / 2 - y0;
        out.assign(static_cast<size_t>(width) * height, 0);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                int sum = 0;
                for (int sy = 0; sy < kOver; ++sy)
                    for (int sx = 0; sx < kOver; ++sx) {
                        int bx = x * kOver + sx - shiftX, by = y * kOver + sy - shiftY;
                        if (bx >= 0 && by >= 0 && bx < sized.w && by < sized.h)
                            sum += sized.px[static_cast<size_t>(by) * sized.w + bx];
                    }
                out[static_cast<size_t>(y) * width + x] = static_cast<uint8_t>((sum + kOver * kOver / 2) / (kOver * kOver));
            }
    }
    FT_Done_Face(face);
    FT_Done_FreeType(lib);
    return out;
}

#include "atlas.h"

#include <cmath>

#include "finish.h"

namespace {

// Disc geometry in pixels. The mask's rim ramps over kRimWidth around kDiscRadius; the colour
// runs a pixel further so that the mask, not the colour, draws the outline.
constexpr double kDiscRadius = 61.5;
constexpr double kRimWidth = 1.6;
constexpr double kColourRadius = 62.6;
constexpr int kSamples = 4;  // per axis, per pixel

uint8_t toByte(double v) { return static_cast<uint8_t>(std::lround(clamp01(v) * 255.0)); }

void renderCell(const Face& face, int cell, std::vector<uint8_t>& rgb, std::vector<uint8_t>& mask) {
    int ox = (cell % kColumns) * kCell, oy = (cell / kColumns) * kCell;
    double centre = kCell / 2.0;
    for (int py = 0; py < kCell; ++py)
        for (int px = 0; px < kCell; ++px) {
            double dc = std::hypot(px + 0.5 - centre, py + 0.5 - centre);
            double alpha = 1 - smoothstep(kDiscRadius - kRimWidth / 2, kDiscRadius + kRimWidth / 2, dc);
            Col sum{0, 0, 0};
            if (dc < kColourRadius + 1) {
                for (int sy = 0; sy < kSamples; ++sy)
                    for (int sx = 0; sx < kSamples; ++sx) {
                        double fx = px + (sx + 0.5) / kSamples - centre;
                        double fy = py + (sy + 0.5) / kSamples - centre;
                        if (std::hypot(fx, fy) > kColourRadius) continue;
                        double x = fx / kDiscRadius, y = -fy / kDiscRadius;
                        sum = sum + finishButton(clamp01(face.at(x, y)), x, y, face.gloss);
                    }
                sum = sum * (1.0 / (kSamples * kSamples));
            }
            size_t i = static_cast<size_t>(oy + py) * kAtlasWidth + (ox + px);
            rgb[i * 3 + 0] = toByte(sum.r);
            rgb[i * 3 + 1] = toByte(sum.g);
            rgb[i * 3 + 2] = toByte(sum.b);
            mask[i] = toByte(alpha);
        }
}

}  // namespace

void renderAtlas(const std::vector<Face>& faces, std::vector<uint8_t>& rgb, std::vector<uint8_t>& mask,
                 const std::function<bool(int)>& cellFilter) {
    rgb.assign(static_cast<size_t>(kAtlasWidth) * kAtlasHeight * 3, 0);
    mask.assign(static_cast<size_t>(kAtlasWidth) * kAtlasHeight, 0);
    for (int cell = 0; cell < kColumns * kRows && cell < static_cast<int>(faces.size()); ++cell) {
        if (cellFilter && !cellFilter(cell)) continue;
        renderCell(faces[cell], cell, rgb, mask);
    }
}

// Struck and engraved metal: guilloche rosettes and coins with reeded rims.
#include <cmath>

#include "faces.h"
#include "light.h"
#include "noise.h"

namespace {

enum class Motif { Guilloche, Star, Sunburst, Waves, Compass, Flower };

// Height of the relief at (x, y); its slope lights the metal.
double relief(Motif m, double x, double y, int petals) {
    double r = std::hypot(x, y), th = std::atan2(y, x);
    double rim = smoothstep(0.80, 0.84, r) - smoothstep(0.95, 0.99, r);
    double h = 0.5 * rim;
    if (r > 0.84) h += 0.04 * std::sin(th * 180) * rim;  // reeding
    if (r > 0.80) return h;
    switch (m) {
        case Motif::Guilloche: {
            double v = 0;
            for (int k = 0; k < 3; ++k) v += std::sin(r * 60 + (k + 1) * 0.6 * std::sin(th * petals + k));
            return h + 0.03 * v;
        }
        case Motif::Star: {
            double a = std::fabs(std::fmod(th * petals / (2 * kPi) + 100.5, 1.0) - 0.5) * 2;
            double star = 0.55 * (1 - a) + 0.25 - r;
            return h + 0.25 * smoothstep(0.0, 0.08, star) + 0.2 * clamp01(star * 2) + 0.01 * std::sin(r * 120);
        }
        case Motif::Sunburst:
            return h + 0.03 * std::fabs(std::sin(th * petals * 4)) * smoothstep(0.1, 0.2, r) + 0.3 * smoothstep(0.2, 0.15, r);
        case Motif::Waves:
            return h + 0.05 * std::sin((x + 0.15 * std::sin(y * 8)) * 40) * smoothstep(0.78, 0.7, r);
        case Motif::Compass: {
            double a = std::fabs(std::fmod(th * 4 / (2 * kPi) + 100.5, 1.0) - 0.5) * 2;
            double b = std::fabs(std::fmod(th * 4 / (2 * kPi) + 100.0, 1.0) - 0.5) * 2;
            double big = 0.72 * (1 - a) - r, small = 0.42 * (1 - b) - r;
            double ringLine = 0.05 * smoothstep(0.012, 0.0, std::fabs(r - 0.6));
            return h + 0.3 * smoothstep(0.0, 0.05, std::max(big, small)) + 0.1 * clamp01(std::max(big, small) * 3) + ringLine;
        }
        case Motif::Flower: {
            double petal = 0.6 * std::pow(std::fabs(std::cos(th * petals / 2)), 0.8) - r;
            return h + 0.3 * smoothstep(0.0, 0.1, petal) + 0.02 * std::sin(r * 90) * (petal < 0 ? 1 : 0) + 0.3 * smoothstep(0.16, 0.12, r);
        }
    }
    return h;
}

Face makeMetal(const char* name, Motif motif, Col metal, int petals, double patina, Rng& rng) {
    V3 off{rng.range(-30, 30), rng.range(-30, 30), rng.range(-30, 30)};
    Face f;
    f.name = name;
    f.gloss = 0.6;
    f.at = [=](double x, double y) {
        double e = 0.004;
        double h0 = relief(motif, x, y, petals);
        double hx = relief(motif, x + e, y, petals) - h0, hy = relief(motif, x, y + e, petals) - h0;
        V3 n = normalize(V3{-hx / e * 0.6, -hy / e * 0.6, 1});
        // Brushed metal reflects a blurred studio; the key light makes bright edges.
        V3 refl{2 * n.x * n.z, 2 * n.y * n.z, 2 * n.z * n.z - 1};
        double env = luma(studioEnvironment(V3{-refl.x, -refl.y, -refl.z}));
        double key = std::pow(std::max(0.0, dot(refl * -1.0, kLight)), 12);
        double grain = 0.9 + 0.1 * noise3(x * 200, y * 4, 0);
        Col c = metal * (0.25 + 0.9 * env) * grain + metal * (1.2 * key) + Col{1, 1, 1} * (0.3 * key * key);
        // Dirt settles in the low parts.
        double low = smoothstep(0.1, -0.05, h0) * std::hypot(x, y) < 0.8 ? 1.0 : 0.0;
        double dirt = patina * (0.5 + 0.5 * fbm(V3{x * 6, y * 6, 0} + off, 4)) * low;
        c = mix(c, Col{0.15, 0.35, 0.28} * (0.8 + 0.4 * env), clamp01(dirt * 0.6));
        return c;
    };
    return f;
}

}  // namespace

void addMetal(std::vector<Face>& out, Rng& rng) {
    out.push_back(makeMetal("silver guilloche", Motif::Guilloche, {0.85, 0.86, 0.88}, 12, 0.0, rng));
    out.push_back(makeMetal("gold star medal", Motif::Star, {0.95, 0.72, 0.30}, 5, 0.0, rng));
    out.push_back(makeMetal("copper sunburst", Motif::Sunburst, {0.90, 0.50, 0.30}, 18, 0.3, rng));
    out.push_back(makeMetal("steel waves", Motif::Waves, {0.65, 0.70, 0.78}, 0, 0.0, rng));
    out.push_back(makeMetal("bronze compass rose", Motif::Compass, {0.75, 0.52, 0.28}, 8, 0.7, rng));
    out.push_back(makeMetal("gold rosette", Motif::Flower, {0.98, 0.80, 0.40}, 8, 0.0, rng));
}

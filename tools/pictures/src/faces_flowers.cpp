// Flowers seen from straight above: rings of veined petals around a seeded or stamened centre.
#include <cmath>

#include "faces.h"
#include "light.h"
#include "noise.h"

namespace {

enum class Centre { Seeds, Stamens, Bud };

struct FlowerStyle {
    int petals;
    int layers;
    double width;      // petal width as a share of its angular slot (above 1 overlaps)
    double tipShape;   // 0 round, 1 pointed, negative notched
    Col base, tip, centre;
    Centre kind;
    double centreRadius;
    Col leaves;
};

// Sunflower-style florets: the nearest point of a golden-angle spiral.
double seedPattern(double x, double y, double radius, double& ring) {
    const double golden = kPi * (3 - std::sqrt(5.0));
    double scale = radius / std::sqrt(600.0);
    double r = std::hypot(x, y);
    int guess = static_cast<int>((r / scale) * (r / scale));
    double best = 1e9;
    for (int k = std::max(0, guess - 45); k < guess + 45; ++k) {
        double rr = scale * std::sqrt(k + 0.5), a = k * golden;
        double d = std::hypot(x - rr * std::cos(a), y - rr * std::sin(a));
        if (d < best) best = d;
    }
    ring = r / radius;
    return best / scale;
}

Face makeFlower(const char* name, const FlowerStyle& s, Rng& rng) {
    double rot = rng.range(0, 6.28), radius = rng.range(0.86, 0.98);
    V3 off{rng.range(-30, 30), rng.range(-30, 30), 0};
    uint32_t seed = static_cast<uint32_t>(rng.next());
    Face f;
    f.name = name;
    f.gloss = 0.55;
    f.at = [=](double x, double y) {
        double r = std::hypot(x, y), th = std::atan2(y, x) + rot;
        // Blurred foliage behind the flower, with the flower's own shadow.
        V3 lp{x * 2.5, y * 2.5, 0};
        lp = lp + off;
        Col c = s.leaves * (0.45 + 0.6 * (0.5 + 0.5 * fbm(lp, 4))) * (1 - 0.6 * smoothstep(radius * 1.05, radius * 0.6, std::hypot(x - 0.06, y + 0.08)));
        if (r < s.centreRadius) {
            Col cc;
            if (s.kind == Centre::Seeds) {
                double ring;
                double d = seedPattern(x, y, s.centreRadius, ring);
                double bump = smoothstep(0.9, 0.2, d);
                cc = mix(s.centre * 0.35, s.centre, bump) * (0.8 + 0.4 * smoothstep(0.6, 1.0, ring));
                cc = cc + Col{1, 0.9, 0.6} * (0.25 * std::pow(bump, 6.0) * smoothstep(0.5, 1.0, ring));
            } else if (s.kind == Centre::Stamens) {
                CellHit h = cells2(x * 40, y * 40, seed, 1.0);
                double dot = smoothstep(0.45, 0.15, h.d1);
                cc = mix(s.centre * 0.5, s.centre * 1.3, dot);
            } else {
                double swirl = std::sin(th * 3 + r * 60);
                cc = mix(s.base * 0.5, s.tip, 0.5 + 0.5 * swirl) * 0.8;
            }
            double dome = std::sqrt(std::max(0.0, 1 - std::pow(r / s.centreRadius, 2)));
            return cc * (0.6 + 0.4 * dome + 0.3 * (-x * 0.6 + y * 0.6) / s.centreRadius * dome);
        }
        // Inner layers lie on top; each is shorter and turned half a slot.
        for (int layer = 0; layer < s.layers; ++layer) {
            double len = radius * (s.layers == 1 ? 1.0 : 0.55 + 0.45 * layer / (s.layers - 1));
            double slot = (th / (2 * kPi)) * s.petals + layer * 0.5 + 0.13 * layer * layer;
            double a = slot - std::floor(slot) - 0.5;
            double u = (r - s.centreRadius * 0.8) / (len - s.centreRadius * 0.8);
            if (u < 0 || u > 1) continue;
            double jag = 0.03 * noise3(th * 9, layer, seed % 101);
            double half = 0.5 * s.width * std::pow(std::sin(kPi * std::pow(u, 0.65)), s.tipShape > 0 ? 0.6 + s.tipShape : 0.6) + jag;
            if (s.tipShape < 0) half *= 1 - 0.5 * smoothstep(0.85, 1.0, u) * smoothstep(0.15, 0.0, std::fabs(a));
            if (std::fabs(a) > half) continue;
            double across = a / std::max(half, 1e-6);
            Col pc = mix(s.base, s.tip, smoothstep(0.0, 0.9, u));
            double veins = 0.5 + 0.5 * std::cos(across * kPi * 9 + 2 * noise3(u * 4, a * 8, seed % 57));
            pc = pc * (0.88 + 0.12 * veins - 0.12 * std::exp(-across * across / 0.01));
            // A petal curls up along its middle and is shaded near its base by the petals above.
            double curl = std::cos(across * kPi * 0.5);
            double side = -across * std::sin(th) * 0.3;
            pc = pc * (0.6 + 0.35 * curl + side + 0.1 * u) * (0.55 + 0.45 * smoothstep(0.0, 0.35, u));
            pc = pc * (0.92 + 0.12 * fbm(V3{x * 20, y * 20, 1.0 * layer} + off, 3));
            return pc * (1.0 - 0.12 * layer / std::max(1, s.layers - 1));
        }
        return c;
    };
    return f;
}

}  // namespace

void addFlowers(std::vector<Face>& out, Rng& rng) {
    Col leaf{0.08, 0.22, 0.06}, dark{0.05, 0.10, 0.05}, pond{0.03, 0.12, 0.16};
    out.push_back(makeFlower("sunflower", {34, 2, 0.85, 0.6, {0.95, 0.70, 0.05}, {1.0, 0.82, 0.15}, {0.35, 0.20, 0.08}, Centre::Seeds, 0.42, leaf}, rng));
    out.push_back(makeFlower("daisy", {26, 1, 0.75, 0.0, {0.92, 0.90, 0.85}, {1.0, 1.0, 0.98}, {0.95, 0.75, 0.08}, Centre::Stamens, 0.22, leaf}, rng));
    out.push_back(makeFlower("pink cosmos", {8, 1, 0.92, -1.0, {0.85, 0.25, 0.55}, {0.98, 0.65, 0.82}, {0.95, 0.75, 0.10}, Centre::Stamens, 0.16, dark}, rng));
    out.push_back(makeFlower("red rose", {5, 6, 1.35, 0.0, {0.45, 0.02, 0.06}, {0.85, 0.08, 0.15}, {0.5, 0.02, 0.06}, Centre::Bud, 0.08, dark}, rng));
    out.push_back(makeFlower("cornflower", {12, 2, 0.8, -1.0, {0.20, 0.25, 0.80}, {0.35, 0.50, 1.0}, {0.25, 0.10, 0.45}, Centre::Stamens, 0.14, leaf}, rng));
    out.push_back(makeFlower("purple aster", {40, 2, 0.65, 0.8, {0.45, 0.20, 0.70}, {0.70, 0.50, 0.95}, {0.95, 0.80, 0.15}, Centre::Stamens, 0.2, dark}, rng));
    out.push_back(makeFlower("orange dahlia", {13, 6, 1.05, 1.0, {0.85, 0.25, 0.02}, {1.0, 0.65, 0.20}, {0.9, 0.5, 0.05}, Centre::Bud, 0.07, leaf}, rng));
    out.push_back(makeFlower("water lily", {10, 3, 0.9, 1.2, {0.98, 0.85, 0.90}, {0.95, 0.45, 0.65}, {1.0, 0.80, 0.15}, Centre::Stamens, 0.15, pond}, rng));
    out.push_back(makeFlower("red gerbera", {30, 2, 0.8, 0.2, {0.70, 0.02, 0.05}, {0.98, 0.20, 0.15}, {0.15, 0.10, 0.05}, Centre::Seeds, 0.3, leaf}, rng));
    out.push_back(makeFlower("yellow buttercup", {5, 1, 1.0, 0.0, {0.95, 0.70, 0.02}, {1.0, 0.92, 0.25}, {0.75, 0.70, 0.10}, Centre::Stamens, 0.24, dark}, rng));
}

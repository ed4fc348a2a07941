// Fruit cut across: citrus wheels, kiwi, pomegranate, dragon fruit, watermelon and fig.
#include <cmath>

#include "faces.h"
#include "light.h"
#include "noise.h"

namespace {

struct Citrus {
    Col rind, pith, flesh, fleshDeep;
    int segments;
    double pithWidth;
    bool seeds;
};

Face makeCitrus(const char* name, const Citrus& s, Rng& rng) {
    double rot = rng.range(0, 6.28);
    uint32_t seed = static_cast<uint32_t>(rng.next());
    Face f;
    f.name = name;
    f.gloss = 0.6;
    f.at = [=](double x, double y) {
        double r = std::hypot(x, y) / 0.97, th = std::atan2(y, x) + rot;
        V3 p{x * 30, y * 30, 0};
        if (r > 0.93) {
            // Zest with its oil glands.
            double pores = noise3(p * 1.5);
            return s.rind * (0.8 + 0.25 * pores) * (1 - 0.4 * smoothstep(0.97, 1.03, r));
        }
        double pithOuter = 0.93 - s.pithWidth;
        if (r > pithOuter) return mix(s.pith, s.rind, smoothstep(0.92, 0.93, r) + 0.15 * smoothstep(pithOuter, 0.93, r)) * (0.9 + 0.1 * noise3(p));
        if (r < 0.07) return s.pith * (0.9 + 0.1 * noise3(p * 2));
        double slot = th / (2 * kPi) * s.segments;
        slot += 0.06 * noise3(r * 4, slot * 0.3, seed % 31);
        double a = slot - std::floor(slot);
        double membrane = std::min(a, 1 - a) * 2 * kPi / s.segments * r;
        double wall = smoothstep(0.018, 0.006, membrane) + smoothstep(0.03, 0.005, pithOuter - r);
        // Juice vesicles: cells stretched along the radius.
        double u = r * 9, v = (a - 0.5) * r * 2 * kPi / s.segments * 22;
        CellHit c = cells2(u * 1.0, v, seed + static_cast<uint32_t>(std::floor(slot)) * 7, 0.9);
        double vesicle = smoothstep(0.0, 0.25, c.d2 - c.d1);
        double inner = std::sin(clamp01((a - 0.05) / 0.9) * kPi);
        Col flesh = mix(s.fleshDeep, s.flesh, 0.35 + 0.65 * inner * smoothstep(0.05, 0.5, r));
        flesh = flesh * (0.7 + 0.35 * vesicle) + Col{1, 1, 0.9} * (0.25 * std::pow(1 - c.d1, 8.0));
        Col out = mix(flesh, s.pith, clamp01(wall));
        if (s.seeds) {
            double sa = (std::floor(slot) + 0.5) / s.segments * 2 * kPi - rot;
            double sx = 0.3 * std::cos(sa), sy = 0.3 * std::sin(sa);
            double dx = x - sx, dy = y - sy;
            double along = (dx * std::cos(sa) + dy * std::sin(sa)) / 0.08, across = (-dx * std::sin(sa) + dy * std::cos(sa)) / 0.035;
            bool has = hashU(static_cast<int>(std::floor(slot)), 0, 0, seed) % 3 == 0;
            if (has && along * along + across * across < 1) out = Col{0.92, 0.88, 0.70} * (0.8 + 0.2 * (1 - across * across));
        }
        return out;
    };
    return f;
}

Face makeKiwi(const char* name, Col flesh, Col core, Rng& rng) {
    double rot = rng.range(0, 3.14);
    uint32_t seed = static_cast<uint32_t>(rng.next());
    Face f;
    f.name = name;
    f.gloss = 0.6;
    f.at = [=](double x, double y) {
        double u = x * std::cos(rot) - y * std::sin(rot), v = x * std::sin(rot) + y * std::cos(rot);
        double e = std::hypot(u / 0.97, v / 0.9);
        double th = std::atan2(v, u);
        if (e > 0.97) return Col{0.35, 0.24, 0.12} * (0.7 + 0.3 * noise3(x * 60, y * 60, 1));
        double coreE = std::hypot(u / 0.26, v / 0.16);
        double rays = 0.5 + 0.5 * noise3(std::cos(th) * 30, std::sin(th) * 30, e * 2);
        Col c = mix(flesh * 1.15, flesh * 0.75, smoothstep(0.3, 0.95, e)) * (0.85 + 0.25 * rays);
        c = mix(c, Col{0.55, 0.60, 0.25}, smoothstep(0.9, 0.97, e));
        // Seeds: a ring of little black teardrops pointing outward.
        double ringR = 0.42;
        double slot = th / (2 * kPi) * 70;
        int k = static_cast<int>(std::floor(slot));
        double jitterR = 0.06 * (hash01(k, 0, 0, seed) - 0.5);
        double along = (e - ringR - jitterR) / 0.06, across = (slot - k - 0.5) * 2 * kPi / 70 * e / 0.014;
        if (hash01(k, 1, 0, seed) < 0.8 && along * along + across * across < 1) c = Col{0.04, 0.03, 0.02} + Col{0.3, 0.3, 0.25} * std::max(0.0, -along - across) * 0.3;
        c = mix(c, core, smoothstep(1.0, 0.8, coreE));
        return c * (0.85 + 0.15 * std::sqrt(std::max(0.0, 1 - e * e)));
    };
    return f;
}

Face makePomegranate(const char* name, Rng& rng) {
    uint32_t seed = static_cast<uint32_t>(rng.next());
    Face f;
    f.name = name;
    f.gloss = 0.7;
    f.at = [=](double x, double y) {
        double r = std::hypot(x, y);
        if (r > 0.92) return Col{0.55, 0.08, 0.08} * (0.7 + 0.3 * noise3(x * 20, y * 20, 3)) * (1 - 0.3 * smoothstep(0.95, 1.0, r));
        if (r > 0.86) return Col{0.95, 0.85, 0.70};
        // Arils: glassy red cells, each with its own highlight and a pale seed inside.
        CellHit c = cells2(x * 11 + 50, y * 11 + 50, seed, 0.85);
        double membrane = smoothstep(0.06, 0.01, c.d2 - c.d1) + smoothstep(0.04, 0.0, std::fabs(std::sin(std::atan2(y, x) * 3)) * r - 0.01);
        double px = x * 11 + 50 - c.point.x, py = y * 11 + 50 - c.point.y;
        double dome = std::sqrt(std::max(0.0, 1 - (px * px + py * py) / 0.36));
        Col aril = Col{0.65, 0.02, 0.08} * (0.5 + 0.6 * dome) + Col{0.6, 0.1, 0.15} * (0.3 * (1 - dome));
        aril = aril + Col{1, 0.9, 0.9} * std::pow(std::max(0.0, 1 - std::hypot(px + 0.15, py - 0.18) / 0.15), 2.0);
        double seedIn = smoothstep(0.14, 0.1, std::hypot(px - 0.05, py + 0.08));
        aril = mix(aril, Col{0.95, 0.80, 0.75}, seedIn * 0.6);
        return mix(aril, Col{0.98, 0.90, 0.70}, clamp01(membrane));
    };
    return f;
}

Face makeSpeckled(const char* name, Col flesh, Col skin, Col seedColour, double seedDensity, Rng& rng) {
    uint32_t seed = static_cast<uint32_t>(rng.next());
    Face f;
    f.name = name;
    f.gloss = 0.6;
    f.at = [=](double x, double y) {
        double r = std::hypot(x, y);
        if (r > 0.9) return skin * (0.75 + 0.3 * noise3(x * 25, y * 25, 2)) * (1 - 0.35 * smoothstep(0.95, 1.0, r));
        Col c = flesh * (0.85 + 0.2 * fbm(V3{x * 8, y * 8, 0.5}, 4));
        c = mix(c, skin * 1.2, smoothstep(0.82, 0.9, r) * 0.7);
        CellHit s = cells2(x * 28 + 9, y * 28 + 9, seed, 1.0);
        if ((s.id & 255) < seedDensity * 255) c = mix(c, seedColour, smoothstep(0.2, 0.12, s.d1));
        return c;
    };
    return f;
}

Face makeWatermelon(const char* name, Rng& rng) {
    uint32_t seed = static_cast<uint32_t>(rng.next());
    Face f;
    f.name = name;
    f.gloss = 0.6;
    f.at = [=](double x, double y) {
        double r = std::hypot(x, y), th = std::atan2(y, x);
        if (r > 0.93) return Col{0.08, 0.30, 0.10} * (0.8 + 0.3 * std::sin(th * 20 + noise3(x * 5, y * 5, 0) * 3));
        if (r > 0.84) return mix(Col{0.92, 0.95, 0.80}, Col{0.45, 0.75, 0.35}, smoothstep(0.86, 0.93, r));
        Col c = mix(Col{0.95, 0.15, 0.22}, Col{0.98, 0.45, 0.45}, smoothstep(0.6, 0.84, r));
        CellHit g = cells2(x * 30, y * 30, seed, 1.0);
        c = c * (0.85 + 0.2 * smoothstep(0.0, 0.3, g.d2 - g.d1));
        // Seeds on a ring, pointing to the centre.
        double slot = th / (2 * kPi) * 13;
        int k = static_cast<int>(std::floor(slot));
        double ang = (k + 0.5) * 2 * kPi / 13, sr = 0.5 + 0.06 * (hash01(k, 0, 0, seed) - 0.5);
        double dx = x - sr * std::cos(ang), dy = y - sr * std::sin(ang);
        double along = (dx * std::cos(ang) + dy * std::sin(ang)) / 0.075, across = (-dx * std::sin(ang) + dy * std::cos(ang)) / (0.04 * (1.2 - 0.5 * along));
        if (along * along + across * across < 1) c = Col{0.05, 0.03, 0.02} + Col{0.4, 0.35, 0.3} * std::max(0.0, 0.6 - std::hypot(along + 0.4, across - 0.3));
        return c;
    };
    return f;
}

Face makeFig(const char* name, Rng& rng) {
    uint32_t seed = static_cast<uint32_t>(rng.next());
    Face f;
    f.name = name;
    f.gloss = 0.6;
    f.at = [=](double x, double y) {
        double u = x, v = y * 1.05 + 0.05 * x * x;
        double r = std::hypot(u, v), th = std::atan2(v, u);
        if (r > 0.92) return Col{0.28, 0.08, 0.25} * (0.8 + 0.2 * noise3(x * 30, y * 30, 0));
        if (r > 0.78) return mix(Col{0.95, 0.90, 0.75}, Col{0.55, 0.30, 0.40}, smoothstep(0.86, 0.92, r));
        double strands = std::pow(0.5 + 0.5 * noise3(std::cos(th) * 25, std::sin(th) * 25, r * 3), 2.0);
        Col c = mix(Col{0.85, 0.20, 0.20}, Col{0.95, 0.65, 0.55}, smoothstep(0.2, 0.78, r) * 0.7 + strands * 0.3);
        CellHit s = cells2(x * 22, y * 22, seed, 1.0);
        if (r < 0.72) c = mix(c, Col{0.98, 0.85, 0.55}, smoothstep(0.16, 0.08, s.d1) * 0.9);
        c = mix(c, Col{0.98, 0.92, 0.82}, smoothstep(0.2, 0.05, r) * 0.6);
        return c;
    };
    return f;
}

}  // namespace

void addFruit(std::vector<Face>& out, Rng& rng) {
    out.push_back(makeCitrus("orange slice", {{0.95, 0.50, 0.05}, {0.98, 0.92, 0.75}, {1.0, 0.62, 0.10}, {0.90, 0.40, 0.02}, 10, 0.05, true}, rng));
    out.push_back(makeCitrus("lemon slice", {{0.98, 0.85, 0.10}, {0.98, 0.97, 0.85}, {0.98, 0.92, 0.45}, {0.90, 0.80, 0.25}, 9, 0.06, true}, rng));
    out.push_back(makeCitrus("lime slice", {{0.25, 0.55, 0.10}, {0.88, 0.95, 0.75}, {0.70, 0.88, 0.35}, {0.45, 0.70, 0.15}, 10, 0.03, false}, rng));
    out.push_back(makeCitrus("grapefruit slice", {{0.98, 0.65, 0.35}, {0.98, 0.90, 0.82}, {0.98, 0.45, 0.40}, {0.85, 0.25, 0.25}, 12, 0.08, false}, rng));
    out.push_back(makeCitrus("blood orange slice", {{0.85, 0.35, 0.08}, {0.98, 0.88, 0.75}, {0.75, 0.08, 0.12}, {0.45, 0.02, 0.08}, 11, 0.05, false}, rng));
    out.push_back(makeCitrus("mandarin slice", {{0.98, 0.45, 0.02}, {0.98, 0.85, 0.55}, {1.0, 0.55, 0.05}, {0.95, 0.45, 0.05}, 8, 0.02, true}, rng));
    out.push_back(makeKiwi("kiwi slice", {0.45, 0.70, 0.12}, {0.95, 0.95, 0.80}, rng));
    out.push_back(makeKiwi("golden kiwi slice", {0.92, 0.80, 0.20}, {0.98, 0.95, 0.75}, rng));
    out.push_back(makePomegranate("pomegranate", rng));
    out.push_back(makeSpeckled("dragon fruit", {0.95, 0.25, 0.55}, {0.85, 0.15, 0.45}, {0.05, 0.03, 0.03}, 0.55, rng));
    out.push_back(makeWatermelon("watermelon", rng));
    out.push_back(makeFig("fig", rng));
}

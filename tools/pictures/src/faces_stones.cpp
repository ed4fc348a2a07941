// Minerals and hot and cold matter: banded agate slices, cooling lava, cracked ice.
#include <cmath>

#include "faces.h"
#include "light.h"
#include "noise.h"

namespace {

Face makeAgate(const char* name, Ramp bands, Col druse, Rng& rng) {
    V3 off{rng.range(-30, 30), rng.range(-30, 30), rng.range(-30, 30)};
    double freq = rng.range(14, 22), cx = rng.range(-0.15, 0.15), cy = rng.range(-0.15, 0.15);
    uint32_t seed = static_cast<uint32_t>(rng.next());
    Face f;
    f.name = name;
    f.gloss = 1.0;
    f.at = [=](double x, double y) {
        // Bands follow a lumpy distance from a hollow centre lined with crystals.
        V3 p{x * 1.3, y * 1.3, 0};
        p = p + off;
        double lump = 0.22 * fbm(p, 5) + 0.05 * fbm(p * 4, 3);
        double d = std::hypot(x - cx, (y - cy) * 1.2) + lump;
        double hollow = 0.18 + 0.04 * noise3(p * 3);
        if (d < hollow) {
            CellHit c = cells2(x * 38, y * 38, seed, 1.0);
            double facet = hash01(static_cast<int>(c.id & 4095), 0, 0, seed);
            return druse * (0.35 + 0.9 * facet) + Col{1, 1, 1} * (0.4 * std::pow(facet, 12.0));
        }
        double band = (d - hollow) * freq + 0.6 * fbm(p * 6, 3);
        double fine = 0.5 + 0.5 * std::sin(band * 2 * kPi * 3.0);
        double t = 0.5 + 0.5 * std::sin(band * 2 * kPi * 0.5 + 0.7 * std::sin(band * 1.3));
        Col c = bands.at(t) * (0.85 + 0.2 * fine);
        // Translucent quartz glows where light passes through thin bands.
        c = c + bands.at(1.0) * (0.15 * std::pow(fine, 6.0));
        c = mix(c, Col{0.85, 0.8, 0.75} * 0.9, smoothstep(0.9, 1.0, std::hypot(x, y)) * 0.7);
        return c;
    };
    return f;
}

Face makeLava(const char* name, Col hot, Col crust, double crackWidth, Rng& rng) {
    V3 off{rng.range(-30, 30), rng.range(-30, 30), rng.range(-30, 30)};
    uint32_t seed = static_cast<uint32_t>(rng.next());
    Face f;
    f.name = name;
    f.gloss = 0.7;
    f.at = [=](double x, double y) {
        V3 p{x * 2, y * 2, 0};
        p = p + off;
        V3 w{fbm(p, 3), fbm(p + V3{3, 8, 1}, 3), 0};
        CellHit c = cells2(x * 4 + w.x * 0.8 + 20, y * 4 + w.y * 0.8 + 20, seed, 1.0);
        double gap = c.d2 - c.d1;
        double crack = smoothstep(crackWidth, 0.0, gap);
        double heat = crack + 0.4 * smoothstep(crackWidth * 3, 0.0, gap);
        double rough = fbm(p * 5, 5);
        Col plate = crust * (0.6 + 0.5 * (0.5 + 0.5 * rough));
        double lit = clamp01(0.6 + 0.5 * (rough - fbm(p * 5 + V3{0.03, -0.03, 0}, 5)) * 12);
        plate = plate * lit + Col{0.5, 0.3, 0.25} * (0.08 * std::pow(0.5 + 0.5 * noise3(p * 30), 4.0));
        Col glow = mix(hot, Col{1.0, 0.95, 0.6}, crack * 0.8);
        return mix(plate, glow, clamp01(heat)) + hot * (0.15 * smoothstep(0.5, 0.0, gap));
    };
    return f;
}

Face makeIce(const char* name, Col deep, Col surface, bool bubbles, Rng& rng) {
    V3 off{rng.range(-30, 30), rng.range(-30, 30), rng.range(-30, 30)};
    uint32_t seed = static_cast<uint32_t>(rng.next());
    Face f;
    f.name = name;
    f.gloss = 1.0;
    f.at = [=](double x, double y) {
        V3 p{x * 2, y * 2, 0};
        p = p + off;
        Col c = mix(deep, surface, 0.5 + 0.5 * fbm(p, 5));
        // Cracks at two scales, white where they catch the light.
        CellHit big = cells2(x * 3 + 7, y * 3 + 7, seed, 1.0);
        double crack = smoothstep(0.035, 0.0, big.d2 - big.d1 + 0.02 * noise3(p * 8));
        double hair = std::pow(ridged(p * 3, 4), 14.0);
        c = c + Col{0.9, 0.95, 1.0} * (0.7 * crack + 0.35 * hair);
        // Frost feathers from the rim.
        double frost = smoothstep(0.55, 1.0, std::hypot(x, y) + 0.25 * fbm(p * 4, 4)) * std::pow(ridged(p * 6, 5), 3.0);
        c = mix(c, Col{0.95, 0.98, 1.0}, clamp01(frost * 1.2));
        if (bubbles) {
            CellHit b = cells2(x * 12, y * 12, seed + 3, 1.0);
            if ((b.id & 7) == 0) {
                double br = 0.12 + 0.1 * ((b.id >> 3) & 15) / 15.0;
                double ring = smoothstep(br, br * 0.7, b.d1) * (1 - smoothstep(br * 0.7, br * 0.3, b.d1));
                c = c + Col{0.8, 0.9, 1.0} * (0.6 * ring);
            }
        }
        return c;
    };
    return f;
}

}  // namespace

void addStones(std::vector<Face>& out, Rng& rng) {
    out.push_back(makeAgate("blue lace agate", Ramp().add(0, {0.30, 0.45, 0.70}).add(0.5, {0.75, 0.82, 0.92}).add(1, {0.95, 0.96, 0.98}), {0.75, 0.80, 0.95}, rng));
    out.push_back(makeAgate("fire agate", Ramp().add(0, {0.50, 0.10, 0.05}).add(0.4, {0.85, 0.40, 0.12}).add(0.75, {0.95, 0.80, 0.55}).add(1, {1.0, 0.95, 0.85}), {0.95, 0.85, 0.70}, rng));
    out.push_back(makeAgate("purple agate", Ramp().add(0, {0.25, 0.08, 0.35}).add(0.5, {0.70, 0.40, 0.80}).add(1, {0.95, 0.88, 0.98}), {0.75, 0.55, 0.90}, rng));
    out.push_back(makeAgate("moss agate", Ramp().add(0, {0.10, 0.30, 0.20}).add(0.5, {0.55, 0.75, 0.55}).add(1, {0.92, 0.95, 0.88}), {0.85, 0.95, 0.85}, rng));
    out.push_back(makeAgate("onyx", Ramp().add(0, {0.05, 0.04, 0.04}).add(0.45, {0.25, 0.22, 0.20}).add(0.6, {0.95, 0.93, 0.90}).add(1, {0.65, 0.60, 0.55}), {0.90, 0.90, 0.92}, rng));
    out.push_back(makeLava("lava crust", {1.0, 0.35, 0.02}, {0.12, 0.10, 0.10}, 0.06, rng));
    out.push_back(makeLava("molten field", {1.0, 0.55, 0.08}, {0.20, 0.08, 0.05}, 0.14, rng));
    out.push_back(makeIce("lake ice", {0.02, 0.10, 0.25}, {0.30, 0.55, 0.75}, true, rng));
    out.push_back(makeIce("glacier ice", {0.05, 0.35, 0.50}, {0.55, 0.85, 0.90}, false, rng));
}

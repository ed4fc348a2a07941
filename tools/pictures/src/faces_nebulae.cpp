// Deep-sky views: glowing gas clouds with dust lanes, and spiral galaxies.
#include <cmath>

#include "faces.h"
#include "noise.h"

namespace {

constexpr double kPixel = 1.0 / 61.5;

// A few bright stars with the four-point spikes of a telescope's vanes.
Col brightStars(double x, double y, uint32_t seed, int count) {
    Col sum{0, 0, 0};
    for (int i = 0; i < count; ++i) {
        double sx = hash01(i, 0, 1, seed) * 1.7 - 0.85, sy = hash01(i, 0, 2, seed) * 1.7 - 0.85;
        double mag = 0.4 + 0.6 * hash01(i, 0, 3, seed);
        double dx = (x - sx) / kPixel, dy = (y - sy) / kPixel;
        double d2 = dx * dx + dy * dy;
        double core = std::exp(-d2 / (2.2 * mag));
        double glow = 0.25 * std::exp(-std::sqrt(d2) / (3.5 * mag));
        double spikes = 0.5 * mag * (std::exp(-std::fabs(dy) * 1.6) * std::exp(-std::fabs(dx) / (9 * mag)) +
                                     std::exp(-std::fabs(dx) * 1.6) * std::exp(-std::fabs(dy) / (9 * mag)));
        Col tint = hsv(0.55 + 0.5 * hash01(i, 0, 4, seed), 0.25, 1.0);
        sum = sum + tint * (core + glow + spikes) * mag;
    }
    return sum;
}

Face makeNebula(const char* name, Col a, Col b, Col dustTint, Rng& rng) {
    V3 off{rng.range(-30, 30), rng.range(-30, 30), rng.range(-30, 30)};
    double zoom = rng.range(1.1, 1.8), rot = rng.range(0, 6.28);
    double filamentWeight = rng.range(0.3, 0.9);
    uint32_t seed = static_cast<uint32_t>(rng.next());
    Face f;
    f.name = name;
    f.gloss = 0.9;
    f.at = [=](double x, double y) {
        double u = (x * std::cos(rot) - y * std::sin(rot)) * zoom, v = (x * std::sin(rot) + y * std::cos(rot)) * zoom;
        V3 p{u, v, 0};
        p = p + off;
        V3 w{fbm(p, 4), fbm(p + V3{5.2, 1.3, 2.8}, 4), 0};
        V3 q = p + w * 1.2;
        double gas = fbm(q, 7);
        double glowA = std::pow(clamp01(0.55 + gas), 2.5);
        double glowB = std::pow(clamp01(0.5 + fbm(q * 1.7 + V3{3, 3, 3}, 6)), 3.0);
        double fil = std::pow(ridged(q * 2.2, 5), 4.0) * filamentWeight;
        double dust = smoothstep(0.0, 0.45, fbm(q * 1.3 + V3{9, 1, 4}, 6));
        Col c = a * (glowA * 0.9) + b * (glowB * 0.8 + fil * 0.7);
        c = c * (1 - 0.85 * dust) + dustTint * (dust * glowA * 0.15);
        c = c + starField(x, y, seed, 0.22, kPixel) * (0.8 - 0.6 * dust);
        c = c + brightStars(x, y, seed, 3);
        return c;
    };
    return f;
}

Face makeGalaxy(const char* name, Col arms, Col core, Rng& rng) {
    int armCount = 2 + rng.below(2);
    double pitch = rng.range(0.25, 0.4), rot = rng.range(0, 6.28), incline = rng.range(0.0, 0.9);
    V3 off{rng.range(-30, 30), rng.range(-30, 30), 0};
    uint32_t seed = static_cast<uint32_t>(rng.next());
    Face f;
    f.name = name;
    f.gloss = 0.9;
    f.at = [=](double x, double y) {
        double u = x * std::cos(rot) - y * std::sin(rot), v = (x * std::sin(rot) + y * std::cos(rot)) / std::cos(incline * 0.9);
        double r = std::hypot(u, v) + 1e-6, th = std::atan2(v, u);
        double spiral = std::cos(armCount * (th - std::log(r) / std::tan(pitch)));
        V3 p{u * 4, v * 4, 0};
        p = p + off;
        double clump = 0.6 + 0.6 * fbm(p, 5);
        double armMask = std::pow(0.5 + 0.5 * spiral, 2.5);
        double disc = std::exp(-r / 0.28);
        double lane = std::pow(0.5 + 0.5 * std::cos(armCount * (th - std::log(r) / std::tan(pitch)) - 0.7), 8.0);
        Col c = arms * (disc * (0.25 + 1.6 * armMask * clump));
        c = c * (1 - 0.6 * lane * smoothstep(0.05, 0.2, r));
        double knots = std::pow(clamp01(noise3(p * 4.0) * 1.5), 4.0) * armMask * disc * 6;
        c = c + Col{1.0, 0.35, 0.55} * knots;
        c = c + core * (1.4 * std::exp(-r * r / 0.008) + 0.5 * std::exp(-r / 0.08));
        c = c + starField(x, y, seed, 0.2, kPixel) * 0.8 + brightStars(x, y, seed, 2);
        return c;
    };
    return f;
}

}  // namespace

void addNebulae(std::vector<Face>& out, Rng& rng) {
    out.push_back(makeNebula("rose and teal nebula", {0.95, 0.25, 0.45}, {0.15, 0.75, 0.85}, {0.4, 0.2, 0.1}, rng));
    out.push_back(makeNebula("ember nebula", {1.0, 0.45, 0.10}, {0.25, 0.40, 1.0}, {0.3, 0.1, 0.05}, rng));
    out.push_back(makeNebula("emerald nebula", {0.15, 0.85, 0.45}, {0.65, 0.25, 0.95}, {0.1, 0.2, 0.1}, rng));
    out.push_back(makeNebula("crimson nebula", {0.85, 0.08, 0.12}, {1.0, 0.80, 0.35}, {0.2, 0.05, 0.05}, rng));
    out.push_back(makeNebula("violet nebula", {0.55, 0.20, 0.95}, {0.95, 0.55, 0.75}, {0.1, 0.05, 0.2}, rng));
    out.push_back(makeNebula("blue reflection nebula", {0.25, 0.45, 1.0}, {0.80, 0.90, 1.0}, {0.1, 0.1, 0.2}, rng));
    out.push_back(makeGalaxy("spiral galaxy", {0.65, 0.78, 1.0}, {1.0, 0.85, 0.60}, rng));
    out.push_back(makeGalaxy("golden spiral galaxy", {1.0, 0.80, 0.55}, {1.0, 0.95, 0.80}, rng));
}

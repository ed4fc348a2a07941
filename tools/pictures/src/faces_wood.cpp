// End grain of sawn logs: growth rings, rays, drying cracks and bark.
#include <cmath>

#include "faces.h"
#include "noise.h"

namespace {

Face makeLog(const char* name, Col early, Col late, Col bark, double rings, Rng& rng) {
    double cx = rng.range(-0.2, 0.2), cy = rng.range(-0.2, 0.2);
    V3 off{rng.range(-30, 30), rng.range(-30, 30), rng.range(-30, 30)};
    int checks = 1 + rng.below(3);
    double checkAngle = rng.range(0, 6.28);
    Face f;
    f.name = name;
    f.gloss = 0.6;
    f.at = [=](double x, double y) {
        double r = std::hypot(x, y);
        V3 p{x * 2, y * 2, 0};
        p = p + off;
        if (r > 0.88 + 0.03 * noise3(p * 4)) {
            double furrow = ridged(V3{std::atan2(y, x) * 6, r * 3, 0} + off, 4);
            return bark * (0.35 + 0.8 * furrow);
        }
        double d = std::hypot(x - cx * (1 - r), y - cy * (1 - r)) + 0.04 * fbm(p * 1.5, 4);
        // Good and poor years: ring spacing wanders.
        double ring = d * rings + 1.2 * fbm(V3{d * 3, 0.5, 0.5} + off, 3) + 0.15 * noise3(p * 2);
        double t = ring - std::floor(ring);
        double latewood = smoothstep(0.55, 0.9, t) * (1 - smoothstep(0.92, 1.0, t));
        Col c = mix(early, late, latewood * (0.7 + 0.3 * noise3(p * 3)));
        double th = std::atan2(y - cy, x - cx);
        double rays = std::pow(0.5 + 0.5 * noise3(std::cos(th) * 60, std::sin(th) * 60, d * 2), 6.0);
        c = c * (1 - 0.15 * rays) * (0.9 + 0.15 * fbm(p * 20, 3));
        // Sapwood is paler; heartwood deepens toward the pith.
        c = mix(c, c * Col{1.15, 1.1, 1.0}, smoothstep(0.6, 0.85, r));
        c = c * (0.85 + 0.15 * smoothstep(0.0, 0.3, d));
        for (int i = 0; i < checks; ++i) {
            double a = checkAngle + i * 2.1;
            double along = x * std::cos(a) + y * std::sin(a), across = -x * std::sin(a) + y * std::cos(a);
            double wob = 0.01 * noise3(along * 20, i, 0);
            double width = 0.012 * smoothstep(0.85, 0.3, along) * smoothstep(0.15, 0.4, along);
            if (std::fabs(across + wob) < width) c = c * 0.25;
        }
        return c;
    };
    return f;
}

}  // namespace

void addWood(std::vector<Face>& out, Rng& rng) {
    out.push_back(makeLog("oak log", {0.78, 0.60, 0.38}, {0.52, 0.35, 0.18}, {0.30, 0.25, 0.20}, 14, rng));
    out.push_back(makeLog("cherry log", {0.82, 0.50, 0.32}, {0.58, 0.26, 0.14}, {0.35, 0.18, 0.15}, 18, rng));
    out.push_back(makeLog("walnut log", {0.48, 0.33, 0.22}, {0.25, 0.15, 0.09}, {0.22, 0.18, 0.15}, 12, rng));
    out.push_back(makeLog("pine log", {0.95, 0.82, 0.58}, {0.75, 0.48, 0.22}, {0.45, 0.30, 0.20}, 9, rng));
    out.push_back(makeLog("birch log", {0.96, 0.90, 0.78}, {0.82, 0.72, 0.56}, {0.92, 0.90, 0.86}, 22, rng));
}

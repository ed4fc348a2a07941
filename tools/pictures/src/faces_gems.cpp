// Cut gemstones seen from above, and an opal cabochon, in metal settings.
#include <cmath>

#include "faces.h"
#include "light.h"
#include "noise.h"

namespace {

enum class Cut { Brilliant, Step, Cabochon };

constexpr double kGirdle = 0.86;

// Metal bezel around the stone.
Col bezel(double r, double x, double y, Col metal) {
    double t = (r - kGirdle) / (1 - kGirdle);
    double facing = (x * kLight.x + y * kLight.y) / std::max(r, 1e-6);
    double bulge = std::sin(clamp01(t) * kPi);
    double light = 0.55 + 0.45 * facing * std::cos(clamp01(t) * kPi) + 0.5 * std::pow(bulge, 8) * (0.6 + 0.4 * facing);
    return metal * light;
}

Face makeGem(const char* name, Cut cut, Col tint, Col metal, bool fire, Rng& rng) {
    double rot = rng.range(0, 1);
    uint32_t seed = static_cast<uint32_t>(rng.next());
    Face f;
    f.name = name;
    f.gloss = 0.45;
    f.at = [=](double x, double y) {
        double r = std::hypot(x, y);
        if (r > kGirdle) return bezel(r, x, y, metal);
        double th = std::atan2(y, x) + rot;
        double q = r / kGirdle;
        int facet = 0;
        V3 n{0, 0, 1};
        double edge = 1;
        if (cut == Cut::Brilliant) {
            // Octagonal table, then rings of triangular star, kite and girdle facets that zigzag into each other.
            double sideAngle = std::fmod(th + 8 * kPi, kPi / 4) - kPi / 8;
            double oct = q * std::cos(sideAngle) / std::cos(kPi / 8);
            if (oct < 0.48) {
                // Through the table: the pavilion's facets, mirrored into an eight-pointed star.
                double sec = (th + 8 * kPi) / (2 * kPi) * 16;
                double u = sec - std::floor(sec);
                bool arm = q / 0.48 > std::fabs(2 * u - 1);
                facet = 300 + (static_cast<int>(std::floor(sec)) % 16) * 2 + (arm ? 1 : 0);
                n = {0, 0, 1};
                edge = smoothstep(0.0, 0.015, 0.48 - oct) * smoothstep(0.0, 0.012, std::fabs(q / 0.48 - std::fabs(2 * u - 1)) * 0.2);
            } else {
                double bounds[4] = {0.48, 0.7, 0.88, 1.0};
                int ring = q < 0.7 ? 1 : (q < 0.88 ? 2 : 3);
                double inner = ring == 1 ? 0.48 : bounds[ring - 1], outer = bounds[ring];
                double v = clamp01(((ring == 1 ? oct : q) - inner) / (outer - inner));
                int sectors = ring == 3 ? 16 : 8;
                double sec = (th + 8 * kPi) / (2 * kPi) * sectors + (ring == 2 ? 0.5 : 0.0);
                double u = sec - std::floor(sec);
                int s = static_cast<int>(std::floor(sec)) % sectors;
                double zig = std::fabs(2 * u - 1);
                bool upper = (ring == 2) ? v > 1 - zig : v > zig;
                facet = ring * 64 + s * 2 + (upper ? 1 : 0);
                double mid = (std::floor(sec) + (upper ? 0.5 : (u < 0.5 ? 0.0 : 1.0))) * 2 * kPi / sectors - rot;
                double slope = 0.3 + 0.2 * ring + (upper ? 0.1 : 0.0);
                n = normalize(V3{std::cos(mid) * slope, std::sin(mid) * slope, 1});
                double dLine = std::fabs(v - ((ring == 2) ? 1 - zig : zig)) * 0.45;
                double dRing = std::min(v, 1 - v) * (outer - inner);
                edge = smoothstep(0.0, 0.014, std::min(dLine * (outer - inner) * 2.2, dRing));
            }
        } else if (cut == Cut::Step) {
            // Octagonal steps, each side of each step its own facet.
            double ax = std::fabs(x) / 0.95, ay = std::fabs(y) / 0.7;
            double corner = (ax + ay) / 1.35;
            double d = std::max({ax, ay, corner}) / kGirdle * 1.25;
            if (d > 1.0) return bezel(std::max(r, kGirdle + 0.001), x, y, metal) * 0.6;
            int step = d < 0.55 ? 0 : static_cast<int>((d - 0.55) / 0.15) + 1;
            int side = ax >= ay && ax >= corner ? 0 : (ay >= corner ? 1 : 2);
            int quadrant = (x > 0 ? 1 : 0) + (y > 0 ? 2 : 0);
            facet = step * 16 + side * 4 + quadrant;
            V3 dir = side == 0 ? V3{x > 0 ? 1.0 : -1.0, 0, 0} : (side == 1 ? V3{0, y > 0 ? 1.0 : -1.0, 0} : normalize(V3{x > 0 ? 1.0 : -1.0, y > 0 ? 1.0 : -1.0, 0}));
            double slope = step == 0 ? 0 : 0.25 * step;
            n = normalize(V3{dir.x * slope, dir.y * slope, 1});
            double frac = step == 0 ? 0.55 - d : std::fmod(d - 0.55, 0.15);
            edge = smoothstep(0.0, 0.02, std::min(frac, step == 0 ? 1.0 : 0.15 - frac));
        } else {
            // Opal: a smooth dome with patches of spectral colour that shift across the stone.
            double z = std::sqrt(std::max(0.0, 1 - q * q));
            n = normalize(V3{x / kGirdle, y / kGirdle, z});
            V3 p{x * 3, y * 3, 1.7};
            V3 w{fbm(p, 3), fbm(p + V3{4, 1, 3}, 3), 0};
            CellHit c = cells2(x * 5 + w.x * 1.5 + 10, y * 5 + w.y * 1.5 + 10, seed, 1.0);
            double hue = (c.id & 1023) / 1023.0 + 0.35 * (x - y) + 0.3 * fbm(p * 2, 3);
            double flash = std::pow(clamp01(0.5 + 0.9 * fbm(p * 2.5 + w, 4)), 2.0) * smoothstep(0.0, 0.25, c.d2 - c.d1 + 0.1);
            Col play = hsv(hue, 0.85, 1.0) * flash;
            Col body = tint * 0.08 + play * 1.1;
            Col c2 = body * (0.55 + 0.5 * z);
            double fr = fresnel(n, 0.04);
            c2 = c2 * (1 - fr) + studioEnvironment(V3{2 * n.x * n.z, 2 * n.y * n.z, 2 * n.z * n.z - 1}) * fr;
            return c2 + Col{1, 1, 1} * (1.3 * specular(n, kLight, 250));
        }
        // Each facet sends back light from somewhere else in the stone: a hashed brightness.
        double h = hash01(facet, 0, 0, seed);
        double bright = std::pow(h, 1.6);
        Col body = tint * (0.10 + 1.25 * bright) + Col{1, 1, 1} * (0.25 * std::pow(h, 8.0));
        V3 refl{2 * n.x * n.z, 2 * n.y * n.z, 2 * n.z * n.z - 1};
        double sparkle = std::pow(std::max(0.0, dot(refl * -1.0, kLight)), 40) + (hash01(facet, 1, 0, seed) > 0.9 ? 0.6 : 0);
        Col glint = fire ? hsv(hash01(facet, 2, 0, seed), 0.7, 1.0) : Col{1, 1, 1};
        Col c = body + glint * (sparkle * 0.8);
        c = c + tint * (0.3 * smoothstep(0.3, 0.0, q) * (cut == Cut::Step ? 1 : 0));
        return c * (0.35 + 0.65 * edge);
    };
    return f;
}

}  // namespace

void addGems(std::vector<Face>& out, Rng& rng) {
    Col gold{0.95, 0.75, 0.35}, silver{0.85, 0.86, 0.88}, rose{0.95, 0.65, 0.55};
    out.push_back(makeGem("ruby", Cut::Brilliant, {0.95, 0.06, 0.15}, gold, false, rng));
    out.push_back(makeGem("sapphire", Cut::Brilliant, {0.10, 0.25, 0.95}, silver, false, rng));
    out.push_back(makeGem("diamond", Cut::Brilliant, {0.88, 0.90, 0.95}, silver, true, rng));
    out.push_back(makeGem("amethyst", Cut::Brilliant, {0.65, 0.25, 0.90}, gold, false, rng));
    out.push_back(makeGem("citrine", Cut::Brilliant, {1.0, 0.65, 0.10}, rose, false, rng));
    out.push_back(makeGem("emerald", Cut::Step, {0.05, 0.75, 0.35}, gold, false, rng));
    out.push_back(makeGem("aquamarine", Cut::Step, {0.45, 0.85, 0.95}, silver, false, rng));
    out.push_back(makeGem("black opal", Cut::Cabochon, {0.15, 0.2, 0.3}, gold, false, rng));
}

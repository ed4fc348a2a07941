// Rocky planets and gas giants against a starry sky.
#include <cmath>

#include "faces.h"
#include "light.h"
#include "noise.h"

namespace {

constexpr double kPixel = 1.0 / 61.5;  // one atlas pixel in face units

struct World {
    Col deep, shallow, lowland, highland, dry, snow, atmosphere;
    double sea;           // noise level of the shoreline
    double clouds;        // 0 none, 1 overcast
    double snowLine;      // latitude where ice caps start
    bool emissiveSea;     // lava seas glow instead of reflecting
    bool cityLights;
};

Col sky(double x, double y, uint32_t seed) {
    Col c = starField(x, y, seed, 0.14, kPixel) * 0.9;
    double haze = 0.5 + 0.5 * fbm(V3{x * 1.5, y * 1.5, seed * 0.01}, 4);
    return c + Col{0.012, 0.010, 0.025} * haze;
}

// Soft glow of an atmosphere beyond the limb, brighter on the sunlit side.
double limbGlow(double x, double y, double cx, double cy, double radius, V3 light, double width) {
    double dx = x - cx, dy = y - cy, d = std::hypot(dx, dy) / radius;
    if (d <= 1) return 0;
    double side = (dx * light.x + dy * light.y) / (d * radius);
    double lit = smoothstep(-0.5, 0.6, side + light.z * 0.8);
    return std::exp(-(d - 1) / width) * lit;
}

Face makeWorld(const char* name, const World& w, Rng& rng) {
    double radius = rng.range(0.74, 0.86), cx = rng.range(-0.06, 0.06), cy = rng.range(-0.06, 0.06);
    double tilt = rng.range(-0.6, 0.6), turn = rng.range(0, 6.28);
    V3 off{rng.range(-50, 50), rng.range(-50, 50), rng.range(-50, 50)};
    V3 cloudOff{rng.range(-50, 50), rng.range(-50, 50), rng.range(-50, 50)};
    double side = rng.chance(0.5) ? -1 : 1;
    V3 light = normalize(V3{side * rng.range(0.6, 0.95), rng.range(0.1, 0.5), rng.range(0.15, 0.55)});
    uint32_t seed = static_cast<uint32_t>(rng.next());
    Face f;
    f.name = name;
    f.gloss = 0.8;
    f.at = [=](double x, double y) {
        V3 n;
        if (!sphereNormal(x, y, cx, cy, radius, n)) {
            return sky(x, y, seed) + w.atmosphere * (0.9 * limbGlow(x, y, cx, cy, radius, light, 0.035));
        }
        V3 p = tipTurn(n, tilt, turn);
        V3 warp{fbm(p * 1.5 + off, 3), fbm(p * 1.5 + off + V3{5, 1, 2}, 3), 0};
        double h = fbm(p * 1.8 + off + warp * 0.35, 7) + 0.15 * ridged(p * 4 + off, 4);
        double moist = fbm(p * 2.5 + off * 1.3, 4);
        double lat = std::fabs(p.y);
        bool water = h < w.sea;
        Col surf;
        if (water) {
            surf = mix(w.shallow, w.deep, smoothstep(0.0, 0.25, w.sea - h));
        } else {
            double t = clamp01((h - w.sea) / 0.6);
            surf = mix(w.lowland, w.highland, smoothstep(0.05, 0.7, t));
            surf = mix(surf, w.dry, smoothstep(-0.1, 0.4, -moist + (0.45 - lat) * 0.6) * 0.8);
            surf = surf * (0.85 + 0.3 * fbm(p * 14 + off, 3));
        }
        double ice = smoothstep(w.snowLine, w.snowLine + 0.06, lat + 0.08 * fbm(p * 6 + off, 3) + (water ? 0 : (h - w.sea) * 0.08));
        surf = mix(surf, w.snow, ice);

        double diffuse = wrapLight(n, light, 0.06);
        Col c = surf * diffuse;
        if (water && w.emissiveSea) c = surf * (0.55 + 0.45 * fbm(p * 9 + off, 3) + 0.3 * diffuse);
        if (water && !w.emissiveSea) c = c + Col{1, 0.95, 0.85} * (0.55 * specular(n, light, 70) * (1 - ice));
        if (w.cityLights && !water) {
            double dark = 1 - smoothstep(-0.12, 0.05, dot(n, light));
            double towns = std::pow(clamp01(noise3(p * 60 + off) * 1.6), 3.0) * smoothstep(-0.1, 0.2, moist);
            c = c + Col{1.0, 0.7, 0.35} * (dark * towns * 1.5 * (1 - ice));
        }
        if (w.clouds > 0) {
            V3 q = p * 2.6 + cloudOff;
            V3 swirl{fbm(q, 4), fbm(q + V3{3, 7, 1}, 4), fbm(q + V3{9, 2, 6}, 4)};
            double cl = fbm(q + swirl * 0.9, 6);
            double cover = smoothstep(0.35 - w.clouds * 0.7, 0.75 - w.clouds * 0.6, cl);
            c = c * (1 - 0.35 * cover);
            c = mix(c, Col{0.97, 0.97, 1.0} * wrapLight(n, light, 0.1), cover * 0.92);
        }
        // Light scattered by the air brightens the limb on the day side.
        double rim = std::pow(1 - n.z, 2.5);
        c = c + w.atmosphere * (rim * (0.15 + 1.2 * wrapLight(n, light, 0.3)));
        return c;
    };
    return f;
}

struct Giant {
    Ramp bands;
    Col storm;
    double bandFreq;
    bool rings;
    Col ringTint;
};

// Rotates v about unit axis k by angle a.
V3 rotateAbout(V3 v, V3 k, double a) {
    double c = std::cos(a), s = std::sin(a);
    return v * c + cross(k, v) * s + k * (dot(k, v) * (1 - c));
}

Face makeGiant(const char* name, const Giant& g, Rng& rng) {
    double radius = g.rings ? rng.range(0.44, 0.48) : rng.range(0.78, 0.86);
    double tilt = rng.range(-0.35, 0.35), turn = rng.range(0, 6.28), roll = rng.range(-0.45, 0.45);
    V3 off{rng.range(-50, 50), rng.range(-50, 50), rng.range(-50, 50)};
    V3 stormAxis = normalize(V3{rng.range(-0.5, 0.5), rng.range(-0.4, 0.1), 1});
    double stormSize = rng.range(0.14, 0.24);
    double side = rng.chance(0.5) ? -1 : 1;
    V3 light = normalize(V3{side * rng.range(0.4, 0.8), rng.range(0.2, 0.5), rng.range(0.45, 0.8)});
    double elevation = rng.range(0.22, 0.42);
    V3 ringNormal{-std::sin(roll) * std::cos(elevation), std::cos(roll) * std::cos(elevation), std::sin(elevation)};
    uint32_t seed = static_cast<uint32_t>(rng.next());
    double ringIn = 1.3, ringOut = 2.05;
    auto ringDensity = [=](double rho) {
        if (rho < ringIn || rho > ringOut) return 0.0;
        double t = (rho - ringIn) / (ringOut - ringIn);
        double d = 0.55 + 0.35 * noise3(rho * 40, 0.5, seed % 97) + 0.2 * noise3(rho * 140, 1.5, 0);
        d *= 1 - 0.9 * std::exp(-std::pow((t - 0.62) / 0.025, 2));  // the big gap
        d *= smoothstep(0.0, 0.08, t) * (1 - smoothstep(0.9, 1.0, t)) * (t < 0.3 ? 0.45 : 1.0);
        return clamp01(d);
    };
    Face f;
    f.name = name;
    f.gloss = 0.8;
    f.at = [=](double x, double y) {
        V3 n;
        bool hit = sphereNormal(x, y, 0, 0, radius, n);
        Col c = sky(x, y, seed);
        if (hit) {
            V3 p = tipTurn(n, tilt, turn);
            // Rotate with the planet's roll so the bands follow the rings.
            p = V3{p.x * std::cos(roll) + p.y * std::sin(roll), -p.x * std::sin(roll) + p.y * std::cos(roll), p.z};
            V3 s = stormAxis;
            double d = std::acos(std::min(1.0, std::max(-1.0, dot(p, s))));
            double inStorm = 0;
            if (d < stormSize * 1.8) {
                double k = 1 - d / (stormSize * 1.8);
                p = rotateAbout(p, s, 4.5 * k * k);
                inStorm = smoothstep(stormSize, stormSize * 0.6, d);
            }
            double turb = fbm(V3{p.x * 2.5, p.y * 9, p.z * 2.5} + off, 6);
            double band = p.y * g.bandFreq + 0.35 * turb + 0.08 * fbm(p * 12 + off, 3);
            double t = 0.5 + 0.5 * std::sin(band * kPi);
            Col surf = g.bands.at(clamp01(0.5 + 0.5 * std::sin(band * 2.1) * 0.6 + (t - 0.5) * 0.8));
            surf = mix(surf, g.storm * (0.85 + 0.3 * fbm(p * 20 + off, 3)), inStorm * 0.85);
            double diffuse = wrapLight(n, light, 0.1);
            c = surf * (diffuse * (0.55 + 0.45 * std::pow(n.z, 0.35)));
            c = c + g.bands.at(0.8) * (0.25 * std::pow(1 - n.z, 3) * diffuse);
            if (g.rings) {
                // Shadow of the rings on the cloud tops.
                V3 sp = n * radius;
                double denom = dot(ringNormal, light);
                if (std::fabs(denom) > 1e-4) {
                    double t2 = -dot(ringNormal, sp) / denom;
                    if (t2 > 0) c = c * (1 - 0.75 * ringDensity(length(sp + light * t2) / radius));
                }
            }
        } else {
            c = c + g.bands.at(0.7) * (0.35 * limbGlow(x, y, 0, 0, radius, light, 0.02));
        }
        if (g.rings) {
            double z = -(ringNormal.x * x + ringNormal.y * y) / ringNormal.z;
            V3 P{x, y, z};
            double dens = ringDensity(length(P) / radius);
            bool front = !hit || z > n.z * radius;
            if (dens > 0 && front) {
                // Planet's shadow across the rings.
                double along = dot(P, light);
                double across = length(P - light * along);
                double lit = (along < 0 && across < radius) ? 0.08 : 1.0;
                double sun = 0.35 + 0.65 * std::fabs(dot(ringNormal, light));
                Col rc = g.ringTint * (0.75 + 0.35 * noise3(length(P) / radius * 90, 3.3, 0));
                c = mix(c, rc * (sun * lit), dens * 0.9);
            }
        }
        return c;
    };
    return f;
}

}  // namespace

void addPlanets(std::vector<Face>& out, Rng& rng) {
    World earth{{0.01, 0.05, 0.20}, {0.04, 0.30, 0.45}, {0.16, 0.36, 0.10}, {0.42, 0.36, 0.22},
                {0.78, 0.62, 0.38}, {0.95, 0.96, 1.0},  {0.30, 0.55, 1.0},  0.02, 0.55, 0.78, false, true};
    out.push_back(makeWorld("blue planet", earth, rng));
    World mars{{0.35, 0.12, 0.06}, {0.55, 0.22, 0.10}, {0.62, 0.28, 0.12}, {0.80, 0.50, 0.30},
               {0.70, 0.38, 0.18}, {0.95, 0.92, 0.90}, {0.60, 0.40, 0.35}, -0.25, 0.1, 0.80, false, false};
    out.push_back(makeWorld("rust planet", mars, rng));
    World ice{{0.02, 0.08, 0.22}, {0.20, 0.45, 0.60}, {0.70, 0.80, 0.88}, {0.92, 0.95, 1.0},
              {0.55, 0.65, 0.75}, {1.0, 1.0, 1.0},    {0.55, 0.80, 1.0},  -0.05, 0.35, 0.68, false, false};
    out.push_back(makeWorld("ice planet", ice, rng));
    World lava{{1.0, 0.35, 0.02}, {1.0, 0.75, 0.15}, {0.10, 0.08, 0.07}, {0.25, 0.20, 0.18},
               {0.16, 0.12, 0.10}, {0.35, 0.30, 0.28}, {1.0, 0.40, 0.10}, -0.05, 0.15, 2.0, true, false};
    out.push_back(makeWorld("lava planet", lava, rng));
    World alien{{0.02, 0.15, 0.18}, {0.05, 0.45, 0.45}, {0.45, 0.12, 0.45}, {0.75, 0.45, 0.65},
                {0.85, 0.70, 0.55}, {0.95, 0.92, 1.0},  {0.40, 1.0, 0.60},  0.05, 0.45, 0.85, false, false};
    out.push_back(makeWorld("violet jungle planet", alien, rng));
    World water{{0.01, 0.06, 0.25}, {0.05, 0.40, 0.55}, {0.20, 0.50, 0.18}, {0.60, 0.55, 0.35},
                {0.80, 0.72, 0.50}, {0.95, 0.97, 1.0},  {0.35, 0.65, 1.0},  0.35, 0.75, 0.9, false, false};
    out.push_back(makeWorld("ocean planet", water, rng));
    World dune{{0.50, 0.32, 0.16}, {0.70, 0.48, 0.25}, {0.85, 0.62, 0.35}, {0.62, 0.40, 0.22},
               {0.95, 0.78, 0.52}, {0.98, 0.95, 0.90}, {1.0, 0.70, 0.40},  -0.2, 0.08, 0.92, false, false};
    out.push_back(makeWorld("desert planet", dune, rng));
    World green{{0.00, 0.10, 0.12}, {0.10, 0.40, 0.35}, {0.08, 0.30, 0.12}, {0.30, 0.45, 0.20},
                {0.55, 0.55, 0.30}, {0.92, 0.95, 0.95}, {0.50, 0.85, 0.95}, -0.05, 0.6, 0.7, false, true};
    out.push_back(makeWorld("green planet", green, rng));
}

void addGasGiants(std::vector<Face>& out, Rng& rng) {
    Giant jupiter{Ramp()
                      .add(0, {0.55, 0.35, 0.22})
                      .add(0.3, {0.80, 0.62, 0.45})
                      .add(0.55, {0.95, 0.90, 0.82})
                      .add(0.8, {0.75, 0.50, 0.32})
                      .add(1, {0.92, 0.80, 0.65}),
                  {0.80, 0.35, 0.20}, 7, false, {}};
    out.push_back(makeGiant("banded giant", jupiter, rng));
    Giant saturn{Ramp().add(0, {0.70, 0.58, 0.38}).add(0.5, {0.93, 0.85, 0.62}).add(1, {0.85, 0.72, 0.50}),
                 {0.95, 0.90, 0.75}, 6, true, {0.90, 0.82, 0.65}};
    out.push_back(makeGiant("ringed giant", saturn, rng));
    Giant neptune{Ramp().add(0, {0.08, 0.20, 0.60}).add(0.5, {0.20, 0.42, 0.90}).add(1, {0.55, 0.75, 1.0}),
                  {0.05, 0.08, 0.35}, 5, false, {}};
    out.push_back(makeGiant("blue giant", neptune, rng));
    Giant uranus{Ramp().add(0, {0.45, 0.78, 0.80}).add(0.6, {0.62, 0.90, 0.90}).add(1, {0.80, 0.97, 0.96}),
                 {0.90, 1.0, 1.0}, 3, true, {0.55, 0.65, 0.70}};
    out.push_back(makeGiant("cyan ringed giant", uranus, rng));
    Giant rose{Ramp()
                   .add(0, {0.45, 0.12, 0.35})
                   .add(0.35, {0.85, 0.40, 0.55})
                   .add(0.7, {1.0, 0.80, 0.70})
                   .add(1, {0.60, 0.25, 0.55}),
               {1.0, 0.95, 0.85}, 8, false, {}};
    out.push_back(makeGiant("rose giant", rose, rng));
    Giant jade{Ramp()
                   .add(0, {0.10, 0.30, 0.22})
                   .add(0.4, {0.40, 0.70, 0.45})
                   .add(0.75, {0.85, 0.92, 0.70})
                   .add(1, {0.25, 0.50, 0.40}),
               {0.95, 0.80, 0.40}, 9, true, {0.80, 0.75, 0.60}};
    out.push_back(makeGiant("jade ringed giant", jade, rng));
}

// Airless moons: craters, maria, cracked ice and sulphur plains under a low sun.
#include <cmath>

#include "faces.h"
#include "light.h"
#include "noise.h"

namespace {

struct Moon {
    Ramp ground;       // by albedo noise
    double craters;    // crater relief strength
    double cracks;     // strength of dark lineae
    Col crackColour;
    double spots;      // volcanic spots
    Col spotColour;
};

double crater(double q) {
    // Bowl, raised rim, gentle ejecta apron.
    if (q < 1) return (q * q - 1) * 0.9 + 0.25 * std::exp(-std::pow((q - 1) / 0.18, 2));
    return 0.25 * std::exp(-std::pow((q - 1) / 0.28, 2));
}

double height(const Moon& m, V3 p, uint32_t seed) {
    double h = 0.04 * fbm(p * 6, 4);
    if (m.craters > 0) {
        double scale = 3.0, amp = 0.22;
        for (int i = 0; i < 4; ++i) {
            CellHit c = cells3(p * scale, seed + i * 11, 0.9);
            double size = 0.18 + 0.3 * ((c.id & 1023) / 1023.0);
            if ((c.id >> 10) % 3 != 0) h += amp * crater(c.d1 / size) * m.craters;
            scale *= 2.1;
            amp *= 0.5;
        }
    }
    return h;
}

Face makeMoon(const char* name, const Moon& m, Rng& rng) {
    double radius = rng.range(0.80, 0.88);
    double tilt = rng.range(-1, 1), turn = rng.range(0, 6.28);
    double side = rng.chance(0.5) ? -1 : 1;
    V3 light = normalize(V3{side * rng.range(0.7, 0.95), rng.range(0.1, 0.45), rng.range(0.25, 0.5)});
    V3 off{rng.range(-40, 40), rng.range(-40, 40), rng.range(-40, 40)};
    uint32_t seed = static_cast<uint32_t>(rng.next());
    Face f;
    f.name = name;
    f.gloss = 0.8;
    f.at = [=](double x, double y) {
        V3 n;
        if (!sphereNormal(x, y, 0, 0, radius, n)) return starField(x, y, seed, 0.12, 1 / 61.5) * 0.8;
        // Bump the normal from the height field along two tangents.
        V3 t1 = normalize(cross(V3{0, 1, 0}, n));
        if (length(cross(V3{0, 1, 0}, n)) < 1e-6) t1 = {1, 0, 0};
        V3 t2 = cross(n, t1);
        double e = 0.004;
        auto H = [&](V3 v) { return height(m, tipTurn(normalize(v), tilt, turn) + off * 0.0, seed); };
        double h0 = H(n), h1 = H(n + t1 * e), h2 = H(n + t2 * e);
        V3 bumped = normalize(n - t1 * ((h1 - h0) / e * 0.18) - t2 * ((h2 - h0) / e * 0.18));
        V3 p = tipTurn(n, tilt, turn) + off;
        double albedo = 0.5 + 0.5 * fbm(p * 1.6, 6);
        Col c = m.ground.at(clamp01(albedo + 0.6 * (h0 - 0.0)));
        if (m.cracks > 0) {
            double lines = std::pow(ridged(p * 2.2, 5), 6.0);
            c = mix(c, m.crackColour, clamp01(lines * m.cracks));
        }
        if (m.spots > 0) {
            CellHit s = cells3(p * 4, seed + 99, 1.0);
            double spot = (s.id % 4 == 0) ? smoothstep(0.28, 0.12, s.d1) : 0;
            double halo = (s.id % 4 == 0) ? smoothstep(0.5, 0.2, s.d1) * 0.5 : 0;
            c = mix(c, m.spotColour * 1.4, halo * m.spots);
            c = mix(c, Col{0.08, 0.05, 0.04}, spot * m.spots);
        }
        double lit = std::max(0.0, dot(bumped, light)) * smoothstep(-0.05, 0.15, dot(n, light));
        return c * (lit * 1.25) + c * 0.02;
    };
    return f;
}

}  // namespace

void addMoons(std::vector<Face>& out, Rng& rng) {
    out.push_back(makeMoon("grey cratered moon",
                           {Ramp().add(0.2, {0.28, 0.28, 0.29}).add(0.55, {0.62, 0.61, 0.58}).add(0.9, {0.85, 0.84, 0.80}),
                            1.0, 0, {}, 0, {}},
                           rng));
    out.push_back(makeMoon("scorched moon",
                           {Ramp().add(0.2, {0.30, 0.25, 0.20}).add(0.6, {0.62, 0.52, 0.42}).add(1, {0.80, 0.72, 0.62}),
                            1.2, 0, {}, 0, {}},
                           rng));
    out.push_back(makeMoon("cracked ice moon",
                           {Ramp().add(0.2, {0.78, 0.80, 0.82}).add(0.7, {0.95, 0.93, 0.88}).add(1, {1.0, 1.0, 1.0}),
                            0.15, 1.0, {0.55, 0.30, 0.18}, 0, {}},
                           rng));
    out.push_back(makeMoon("sulphur moon",
                           {Ramp().add(0.2, {0.80, 0.60, 0.15}).add(0.5, {0.95, 0.88, 0.45}).add(0.8, {0.90, 0.70, 0.35}).add(1, {0.98, 0.95, 0.80}),
                            0.1, 0, {}, 1.0, {0.95, 0.45, 0.10}},
                           rng));
    out.push_back(makeMoon("dark old moon",
                           {Ramp().add(0.2, {0.14, 0.13, 0.12}).add(0.7, {0.32, 0.30, 0.27}).add(1, {0.80, 0.80, 0.78}),
                            1.4, 0, {}, 0, {}},
                           rng));
    out.push_back(makeMoon("rose frost moon",
                           {Ramp().add(0.2, {0.55, 0.38, 0.36}).add(0.6, {0.85, 0.72, 0.66}).add(1, {0.98, 0.94, 0.92}),
                            0.7, 0.4, {0.40, 0.22, 0.18}, 0, {}},
                           rng));
}

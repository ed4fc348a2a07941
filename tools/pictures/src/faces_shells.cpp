// Spiral shells: ammonites with their suture lines, a cut nautilus and a nacre ammolite.
#include <cmath>

#include "faces.h"
#include "light.h"
#include "noise.h"

namespace {

enum class Shell { Ammonite, Nautilus, Ammolite };

Face makeShell(const char* name, Shell kind, Col a, Col b, Rng& rng) {
    double growth = rng.range(0.17, 0.22), rot = rng.range(0, 6.28);
    V3 off{rng.range(-30, 30), rng.range(-30, 30), rng.range(-30, 30)};
    Face f;
    f.name = name;
    f.gloss = 0.8;
    f.at = [=](double x, double y) {
        double r = std::hypot(x, y) + 1e-9, th = std::atan2(y, x) + rot;
        // Logarithmic spiral: whorl number w, position across the whorl s.
        double outer = 0.9;
        double turns = std::log(outer / r) / (2 * kPi * growth) + th / (2 * kPi);
        double w = std::floor(turns), s = turns - w;
        V3 p{x * 3, y * 3, 0};
        p = p + off;
        Col matrix = Col{0.35, 0.30, 0.25} * (0.7 + 0.3 * fbm(p * 3, 4));
        double edgeR = outer * std::exp(-2 * kPi * growth * (w - th / (2 * kPi)));
        if (w < 0 || r > outer * 1.02 || edgeR < 0.02) return matrix * (1 - 0.4 * smoothstep(0.6, 1.0, r));
        // Along the whorl: angle unwrapped through the turns.
        double along = th + 2 * kPi * w;
        double round = std::sin(kPi * s);
        Col c;
        if (kind == Shell::Ammonite) {
            double ribs = 0.5 + 0.5 * std::cos(along * 14 / (1 + 0.3 * w) + 2 * s);
            c = mix(a, b, 0.4 * ribs + 0.3 * fbm(p * 2, 3)) * (0.5 + 0.55 * round) * (0.85 + 0.3 * ribs * round);
            double suture = std::fabs(std::sin(along * 5 + 0.6 * std::sin(s * 18) + 0.3 * std::sin(s * 41)));
            c = c * (1 - 0.5 * smoothstep(0.08, 0.0, suture));
        } else if (kind == Shell::Nautilus) {
            double chamber = std::fabs(std::sin(along * 3.0 - s * 1.2));
            double septum = smoothstep(0.07, 0.0, chamber);
            double wall = smoothstep(0.1, 0.0, std::min(s, 1 - s));
            Col inside = mix(b * 0.5, b, s) * (0.7 + 0.3 * std::cos(along * 3.0 - s * 1.2));
            c = mix(inside, Col{0.97, 0.93, 0.88}, clamp01(septum + wall));
            c = c + Col{0.4, 0.5, 0.6} * (0.25 * std::pow(round, 3.0) * (0.5 + 0.5 * std::sin(along * 2 + s * 8)));
            // The living chamber, the outermost turn, has no septa.
            if (w == 0) c = mix(inside, Col{0.97, 0.93, 0.88}, wall) + Col{0.4, 0.5, 0.6} * (0.25 * std::pow(round, 3.0));
        } else {
            CellHit cell = cells2(x * 9 + 30, y * 9 + 30, 5, 1.0);
            double hue = 0.25 + 0.3 * std::sin(along * 0.7 + s * 3) + 0.2 * ((cell.id & 255) / 255.0);
            c = hsv(hue, 0.85, 0.9) * (0.45 + 0.6 * round) * (0.7 + 0.3 * smoothstep(0.0, 0.1, cell.d2 - cell.d1));
            double suture = std::fabs(std::sin(along * 5 + 0.6 * std::sin(s * 18)));
            c = c * (1 - 0.35 * smoothstep(0.06, 0.0, suture));
        }
        // The whorl bulges: light from the upper left across the tube.
        double tilt = std::cos(kPi * s) * ((x * kLight.x + y * kLight.y) / r);
        return c * (0.85 + 0.3 * tilt) * (1 - 0.6 * smoothstep(0.85, 1.0, std::max(s, 1 - s)) * 0.5);
    };
    return f;
}

}  // namespace

void addShells(std::vector<Face>& out, Rng& rng) {
    out.push_back(makeShell("ammonite", Shell::Ammonite, {0.62, 0.50, 0.38}, {0.85, 0.75, 0.60}, rng));
    out.push_back(makeShell("pyrite ammonite", Shell::Ammonite, {0.70, 0.58, 0.30}, {0.95, 0.85, 0.55}, rng));
    out.push_back(makeShell("dark ammonite", Shell::Ammonite, {0.25, 0.22, 0.20}, {0.55, 0.48, 0.42}, rng));
    out.push_back(makeShell("cut nautilus", Shell::Nautilus, {0.80, 0.50, 0.30}, {0.90, 0.80, 0.70}, rng));
    out.push_back(makeShell("ammolite", Shell::Ammolite, {0.5, 0.5, 0.5}, {0.5, 0.5, 0.5}, rng));
}

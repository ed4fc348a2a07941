// Close-ups of eyes: iris fibres, crypts, pupil shapes, wet cornea with a window catchlight.
#include <cmath>

#include "faces.h"
#include "light.h"
#include "noise.h"

namespace {

enum class Pupil { Round, Slit, Bar };

struct EyeStyle {
    Col inner, outer, limbal;
    double irisRadius;  // below 1: white of the eye shows around it
    double pupilRadius;
    Pupil pupil;
    double spots;       // reptile-like blotches over the iris
};

Face makeEye(const char* name, const EyeStyle& e, Rng& rng) {
    double gazeX = rng.range(-0.06, 0.06), gazeY = rng.range(-0.05, 0.04);
    V3 off{rng.range(-30, 30), rng.range(-30, 30), rng.range(-30, 30)};
    uint32_t seed = static_cast<uint32_t>(rng.next());
    Face f;
    f.name = name;
    f.gloss = 0.35;
    f.at = [=](double x, double y) {
        double ix = x - gazeX, iy = y - gazeY;
        double r = std::hypot(ix, iy), th = std::atan2(iy, ix);
        double t = r / e.irisRadius;
        Col c;
        if (t > 1.0) {
            // White of the eye: veins, curvature and the shadow of the upper lid.
            V3 p{x * 3, y * 3, 0};
            p = p + off;
            double veins = std::pow(ridged(p * 1.5, 5), 9.0) * smoothstep(0.0, 0.6, t - 1.0);
            c = mix(Col{0.93, 0.90, 0.86}, Col{0.95, 0.78, 0.74}, smoothstep(1.0, 2.3, t));
            c = mix(c, Col{0.72, 0.12, 0.12}, clamp01(veins * 1.5));
            double lid = smoothstep(0.25, 1.0, y) * 0.55;
            c = c * (1 - lid) * (1 - 0.45 * smoothstep(0.5, 1.0, std::hypot(x, y)));
        } else {
            // Iris fibres run radially: noise sampled on a wide circle varies fast around and slowly outward.
            double ca = std::cos(th), sa = std::sin(th);
            double fib = fbm(V3{ca * 22, sa * 22, t * 2.5} + off, 4);
            double fine = noise3(V3{ca * 70, sa * 70, t * 4} + off);
            Col base = mix(e.inner, e.outer, smoothstep(0.2, 0.85, t + 0.15 * fib));
            base = base * (0.75 + 0.35 * fib + 0.15 * fine);
            // Collarette: a bright ragged ring a little out from the pupil.
            double col = 0.42 + 0.05 * noise3(V3{ca * 6, sa * 6, 1} + off);
            base = base + e.inner * (0.45 * std::exp(-std::pow((t - col) / 0.05, 2)));
            CellHit crypt = cells2(ca * t * 9 + 40, sa * t * 9 + 40, seed, 0.9);
            base = base * (1 - 0.4 * smoothstep(0.22, 0.08, crypt.d1) * smoothstep(0.45, 0.6, t));
            if (e.spots > 0) {
                CellHit s = cells2(x * 8 + 3, y * 8 + 3, seed + 5, 1.0);
                base = base * (1 - e.spots * smoothstep(0.12, 0.05, s.d2 - s.d1));
            }
            base = mix(base, e.limbal, smoothstep(0.82, 1.0, t));
            c = base;
            // Pupil.
            double pd;
            if (e.pupil == Pupil::Round) pd = r / e.pupilRadius;
            else if (e.pupil == Pupil::Slit) pd = std::hypot(ix / (e.pupilRadius * 0.22), iy / (e.pupilRadius * 1.9));
            else pd = std::pow(std::pow(std::fabs(ix / (e.pupilRadius * 1.6)), 3) + std::pow(std::fabs(iy / (e.pupilRadius * 0.45)), 3), 1.0 / 3);
            c = mix(c, Col{0.015, 0.012, 0.012}, smoothstep(1.08, 0.95, pd));
            // The iris sits in the shade of the cornea's rim at the top.
            c = c * (1 - 0.35 * smoothstep(0.3, 1.0, iy / e.irisRadius) * smoothstep(0.5, 1.0, t));
        }
        // Wet cornea: a window catchlight and a soft sky reflection.
        double wx = (ix / e.irisRadius + 0.30) / 0.10, wy = (iy / e.irisRadius - 0.34) / 0.085;
        wx += 0.15 * wy * wy;  // the window bends on the curved cornea
        double window = smoothstep(1.0, 0.6, std::max(std::fabs(wx), std::fabs(wy)));
        double bars = 1 - 0.6 * smoothstep(0.14, 0.05, std::fabs(wx)) - 0.6 * smoothstep(0.14, 0.05, std::fabs(wy));
        c = screen(c, Col{1, 1, 1} * (window * clamp01(bars) * 0.85));
        double sky = std::exp(-std::pow(std::hypot(ix / e.irisRadius - 0.25, iy / e.irisRadius + 0.45) / 0.35, 2));
        c = screen(c, Col{0.6, 0.7, 0.8} * (0.18 * sky * (t < 1 ? 1 : 0.4)));
        return c;
    };
    return f;
}

}  // namespace

void addEyes(std::vector<Face>& out, Rng& rng) {
    out.push_back(makeEye("brown eye", {{0.55, 0.32, 0.10}, {0.28, 0.14, 0.05}, {0.08, 0.04, 0.02}, 0.62, 0.20, Pupil::Round, 0}, rng));
    out.push_back(makeEye("blue eye", {{0.55, 0.70, 0.75}, {0.20, 0.40, 0.72}, {0.05, 0.08, 0.18}, 0.64, 0.17, Pupil::Round, 0}, rng));
    out.push_back(makeEye("green eye", {{0.75, 0.60, 0.20}, {0.20, 0.50, 0.30}, {0.05, 0.12, 0.08}, 0.60, 0.18, Pupil::Round, 0}, rng));
    out.push_back(makeEye("grey eye", {{0.70, 0.68, 0.55}, {0.45, 0.52, 0.58}, {0.12, 0.14, 0.16}, 0.66, 0.22, Pupil::Round, 0}, rng));
    out.push_back(makeEye("husky eye", {{0.85, 0.95, 1.0}, {0.45, 0.70, 0.95}, {0.10, 0.20, 0.35}, 0.70, 0.16, Pupil::Round, 0}, rng));
    out.push_back(makeEye("cat eye", {{0.85, 0.85, 0.20}, {0.40, 0.65, 0.15}, {0.15, 0.20, 0.05}, 0.98, 0.30, Pupil::Slit, 0}, rng));
    out.push_back(makeEye("goat eye", {{0.95, 0.70, 0.25}, {0.75, 0.45, 0.12}, {0.25, 0.12, 0.04}, 0.98, 0.28, Pupil::Bar, 0}, rng));
    out.push_back(makeEye("owl eye", {{1.0, 0.75, 0.10}, {0.95, 0.45, 0.05}, {0.20, 0.08, 0.02}, 0.98, 0.48, Pupil::Round, 0}, rng));
    out.push_back(makeEye("gecko eye", {{0.75, 0.70, 0.55}, {0.55, 0.48, 0.35}, {0.20, 0.15, 0.10}, 0.98, 0.26, Pupil::Slit, 0.7}, rng));
    out.push_back(makeEye("amber wolf eye", {{1.0, 0.85, 0.35}, {0.80, 0.50, 0.10}, {0.05, 0.03, 0.01}, 0.80, 0.24, Pupil::Round, 0}, rng));
}

// Mandelbrot and Julia close-ups with smooth escape colouring.
#include <cmath>
#include <complex>

#include "faces.h"
#include "noise.h"

namespace {

struct View {
    double cx, cy, width, turn;
};

Face makeFractal(const char* name, bool julia, double jr, double ji, View v, CosPalette pal, double cycles, Col inside, int maxIter) {
    Face f;
    f.name = name;
    f.gloss = 0.9;
    f.at = [=](double x, double y) {
        double u = x * std::cos(v.turn) - y * std::sin(v.turn), w = x * std::sin(v.turn) + y * std::cos(v.turn);
        double px = v.cx + u * v.width * 0.5, py = v.cy + w * v.width * 0.5;
        double zr = julia ? px : 0, zi = julia ? py : 0, cr = julia ? jr : px, ci = julia ? ji : py;
        double trap = 1e9;
        int i = 0;
        for (; i < maxIter; ++i) {
            double zr2 = zr * zr, zi2 = zi * zi;
            if (zr2 + zi2 > 256) break;
            zi = 2 * zr * zi + ci;
            zr = zr2 - zi2 + cr;
            trap = std::min(trap, std::fabs(zr * zi));
        }
        if (i == maxIter) return inside * (0.6 + 0.4 * std::exp(-trap * 20));
        double mu = i + 1 - std::log(std::log(std::sqrt(zr * zr + zi * zi))) / std::log(2.0);
        double t = std::sqrt(mu) * cycles;
        Col c = pal.at(t) * (0.35 + 0.65 * smoothstep(1.0, 12.0, mu));
        // Filaments glow where the orbit passed close to the axes.
        c = c + Col{1, 1, 1} * (0.15 * std::exp(-trap * 60));
        return c;
    };
    return f;
}

}  // namespace

void addFractals(std::vector<Face>& out, Rng& rng) {
    (void)rng;
    // Few, slow colour cycles read as depth; many fast ones read as noise.
    CosPalette ember{{0.55, 0.35, 0.25}, {0.45, 0.35, 0.25}, {1, 1, 1}, {0.0, 0.08, 0.18}};
    CosPalette ocean{{0.35, 0.50, 0.65}, {0.35, 0.40, 0.35}, {1, 1, 1}, {0.55, 0.50, 0.45}};
    CosPalette candy{{0.65, 0.50, 0.60}, {0.35, 0.35, 0.35}, {1, 1, 1}, {0.00, 0.15, 0.30}};
    CosPalette gold{{0.55, 0.42, 0.25}, {0.45, 0.38, 0.28}, {1, 1, 1}, {0.0, 0.05, 0.12}};
    CosPalette ice{{0.65, 0.75, 0.85}, {0.35, 0.30, 0.25}, {1, 1, 1}, {0.50, 0.52, 0.55}};
    CosPalette forest{{0.40, 0.50, 0.30}, {0.40, 0.40, 0.30}, {1, 1, 1}, {0.15, 0.10, 0.30}};
    CosPalette violet{{0.50, 0.35, 0.65}, {0.45, 0.35, 0.35}, {1, 1, 1}, {0.70, 0.85, 0.95}};
    CosPalette rose{{0.70, 0.45, 0.50}, {0.30, 0.35, 0.30}, {1, 1, 1}, {0.0, 0.2, 0.35}};
    CosPalette teal{{0.30, 0.55, 0.55}, {0.30, 0.40, 0.35}, {1, 1, 1}, {0.60, 0.35, 0.40}};
    CosPalette sunset{{0.60, 0.35, 0.40}, {0.40, 0.35, 0.30}, {1, 1, 1}, {0.0, 0.25, 0.50}};
    Col black{0.01, 0.01, 0.02}, navy{0.02, 0.03, 0.12}, wine{0.15, 0.01, 0.05};
    out.push_back(makeFractal("seahorse valley", false, 0, 0, {-0.7436, 0.1318, 0.012, 0.3}, ember, 0.55, black, 600));
    out.push_back(makeFractal("elephant valley", false, 0, 0, {0.2955, 0.0205, 0.012, 0.6}, ocean, 0.6, navy, 600));
    out.push_back(makeFractal("mandelbrot spiral", false, 0, 0, {-0.7453, 0.1127, 0.0045, 0.0}, candy, 0.6, black, 900));
    out.push_back(makeFractal("mandelbrot bulb", false, 0, 0, {-0.55, 0.0, 2.9, 0.0}, gold, 0.45, wine, 300));
    out.push_back(makeFractal("mandelbrot minibrot", false, 0, 0, {-1.7549, 0.0, 0.045, 1.5708}, ice, 0.55, navy, 800));
    out.push_back(makeFractal("mandelbrot tendrils", false, 0, 0, {-0.1592, 1.0317, 0.06, 0.8}, violet, 0.55, black, 600));
    out.push_back(makeFractal("julia dendrite", true, -0.8, 0.156, {0, 0, 3.0, 0.4}, teal, 0.6, black, 500));
    out.push_back(makeFractal("julia rabbit", true, -0.123, 0.745, {0, 0, 2.9, 0.0}, rose, 0.5, wine, 500));
    out.push_back(makeFractal("julia spirals", true, 0.285, 0.01, {0, 0, 2.6, 0.0}, ember, 0.6, black, 600));
    out.push_back(makeFractal("julia lace", true, -0.70176, -0.3842, {0, 0, 2.8, 0.9}, forest, 0.6, navy, 600));
    out.push_back(makeFractal("julia galaxy", true, -0.835, -0.2321, {0, 0, 2.8, 0.2}, violet, 0.6, black, 600));
    out.push_back(makeFractal("julia snowflake", true, -0.4, 0.6, {0, 0, 2.7, 0.0}, ice, 0.55, navy, 500));
    out.push_back(makeFractal("julia coral", true, 0.355, 0.355, {0, 0, 2.6, 0.5}, sunset, 0.6, black, 500));
    out.push_back(makeFractal("julia fireworks", true, -0.54, 0.54, {0, 0, 2.7, 0.7}, candy, 0.55, navy, 500));
}

#include "finish.h"

#include "light.h"

Col finishButton(Col c, double x, double y, double gloss) {
    double r = std::min(1.0, std::hypot(x, y));
    double ux = r > 1e-9 ? x / r : 0, uy = r > 1e-9 ? y / r : 0;

    // The dome curves away from the viewer toward the rim, so it darkens a little there.
    c = c * (1 - 0.30 * std::pow(r, 4));

    // Bevel ring: its outward slope catches the light on the upper left and falls into shade opposite.
    double bevel = smoothstep(0.90, 0.955, r);
    double facing = ux * kLight.x + uy * kLight.y;
    double slope = bevel * (1 - smoothstep(0.975, 1.0, r));
    c = c * (1 + 0.55 * facing * slope);
    c = screen(c, Col{1, 1, 1} * std::max(0.0, facing) * slope * 0.30);
    // Thin groove where the bevel meets the face, and a dark lip at the very edge.
    double groove = std::exp(-std::pow((r - 0.905) / 0.010, 2));
    c = c * (1 - 0.30 * groove);
    c = c * (1 - 0.60 * smoothstep(0.972, 1.0, r));

    // Dome reflections: a soft window near the top left and a faint sky crescent at the lower right.
    double hx = x + 0.36, hy = y - 0.42;
    double win = std::exp(-(hx * hx / 0.045 + hy * hy / 0.020));
    double core = std::exp(-(hx * hx / 0.010 + hy * hy / 0.0045));
    double crescent = smoothstep(0.62, 0.88, r) * (1 - smoothstep(0.88, 0.93, r)) * std::max(0.0, -facing);
    double h = gloss * (0.28 * win + 0.45 * core + 0.22 * crescent);
    c = screen(c, Col{1.0, 0.99, 0.97} * h);
    return clamp01(c);
}

// Glass: marbles with swirled cores, clear balls on patterned cloth, and soap bubbles.
#include <cmath>

#include "faces.h"
#include "light.h"
#include "noise.h"

namespace {

V3 reflectView(V3 n) { return V3{0, 0, -1} - n * (2 * dot(V3{0, 0, -1}, n)); }

V3 refract(V3 d, V3 n, double eta) {
    double c = -dot(d, n), k = 1 - eta * eta * (1 - c * c);
    if (k < 0) return d;
    return normalize(d * eta + n * (eta * c - std::sqrt(k)));
}

// Cloth or table under a ball: a soft shadow to the lower right and light focused inside it.
Col underBall(Col ground, double x, double y, double cx, double cy, double radius) {
    double sx = x - (cx + radius * 0.35), sy = y - (cy - radius * 0.4);
    double d = std::hypot(sx / 1.25, sy) / radius;
    double shadow = 1 - 0.7 * smoothstep(1.05, 0.45, d);
    double caustic = std::exp(-std::pow(d / 0.28, 2)) * 0.9;
    return ground * shadow + ground * caustic + Col{1, 1, 1} * (caustic * 0.2);
}

enum class Core { Vanes, Swirl, Clouds };

struct MarbleStyle {
    Core core;
    Col glass;       // tint of the clear glass
    Col colours[3];  // of the core
    Col ground;
};

Face makeMarble(const char* name, const MarbleStyle& s, Rng& rng) {
    double radius = rng.range(0.74, 0.82), cx = rng.range(-0.05, 0.0), cy = rng.range(0.0, 0.06);
    double tilt = rng.range(-1.2, 1.2), turn = rng.range(0, 6.28), twist = rng.range(1.5, 3.5);
    int vanes = 3 + rng.below(3);
    V3 off{rng.range(-20, 20), rng.range(-20, 20), rng.range(-20, 20)};
    uint32_t seed = static_cast<uint32_t>(rng.next());
    Face f;
    f.name = name;
    f.gloss = 0.5;
    auto density = [=](V3 q, Col& colour) {
        q = tipTurn(q, tilt, turn);
        double r = length(q);
        switch (s.core) {
            case Core::Vanes: {
                double phi = std::atan2(q.z, q.x) + twist * q.y;
                double best = 1e9;
                int which = 0;
                for (int i = 0; i < vanes; ++i) {
                    double a = phi - i * kPi / vanes;
                    double dist = std::fabs(std::sin(a)) * std::hypot(q.x, q.z);
                    if (dist < best) {
                        best = dist;
                        which = i;
                    }
                }
                colour = s.colours[which % 3];
                double width = 0.05 + 0.03 * noise3(q * 6 + off);
                return std::exp(-best * best / (width * width)) * smoothstep(0.62, 0.45, r) * 9.0;
            }
            case Core::Swirl: {
                V3 w{fbm(q * 1.5 + off, 3), fbm(q * 1.5 + off + V3{4, 2, 7}, 3), 0};
                double band = std::sin((q.y + w.x * 0.8) * 9 + std::atan2(q.z, q.x) * 2);
                double t = 0.5 + 0.5 * fbm(q * 2 + w + off, 4);
                colour = t < 0.45 ? s.colours[0] : (t < 0.6 ? s.colours[1] : s.colours[2]);
                return smoothstep(0.55, 0.95, band) * smoothstep(0.85, 0.6, r) * 9.0;
            }
            case Core::Clouds: {
                double n = fbm(q * 2.2 + off, 6);
                double t = 0.5 + 0.5 * noise3(q * 3 + off * 2);
                colour = mix(s.colours[0], t > 0.5 ? s.colours[1] : s.colours[2], smoothstep(0.3, 0.7, t));
                return smoothstep(-0.05, 0.35, n) * smoothstep(0.92, 0.7, r) * 6.0;
            }
        }
        return 0.0;
    };
    f.at = [=](double x, double y) {
        double vign = 1 - 0.5 * smoothstep(0.3, 1.1, std::hypot(x + 0.2, y - 0.2));
        Col ground = s.ground * (vign * (0.85 + 0.15 * fbm(V3{x * 9, y * 9, seed * 1e-3}, 3)));
        V3 n;
        if (!sphereNormal(x, y, cx, cy, radius, n)) return underBall(ground, x, y, cx, cy, radius);
        V3 d = refract(V3{0, 0, -1}, n, 1 / 1.5);
        V3 start = n;
        double exitT = -2 * dot(start, d);
        const int steps = 24;
        double dt = exitT / steps;
        Col acc{0, 0, 0};
        double alpha = 0;
        for (int i = 0; i < steps && alpha < 0.98; ++i) {
            V3 q = start + d * ((i + 0.5) * dt);
            Col cc{0, 0, 0};
            double dens = density(q, cc);
            double a = 1 - std::exp(-dens * dt);
            // Core lit softly from the key light's side.
            double shade = 0.55 + 0.45 * clamp01(0.5 + 0.5 * dot(normalize(q), kLight));
            acc = acc + cc * (shade * a * (1 - alpha));
            alpha += a * (1 - alpha);
        }
        V3 exitP = start + d * exitT;
        Col behind = s.glass * (0.25 + 0.9 * clamp01(0.6 - exitP.y * 0.6 + exitP.x * 0.2));
        // Light that the ball focuses gathers on its far lower side.
        behind = behind + s.glass * (1.2 * std::exp(-std::pow(length(exitP - V3{0.45, -0.55, -0.5}) / 0.45, 2)));
        Col c = acc + behind * (1 - alpha);
        double fr = fresnel(n, 0.04);
        c = c * (1 - fr) + studioEnvironment(reflectView(n)) * fr;
        c = c + Col{1, 1, 1} * (1.4 * specular(n, kLight, 300));
        return c;
    };
    return f;
}

enum class Pattern { Checker, Stripes, Dots, Tiles, Rings, Leaves };

Col pattern(Pattern p, double x, double y, Col a, Col b) {
    switch (p) {
        case Pattern::Checker: {
            double v = std::sin(x * 14) * std::sin(y * 14);
            return mix(a, b, smoothstep(-0.08, 0.08, v));
        }
        case Pattern::Stripes:
            return mix(a, b, smoothstep(-0.1, 0.1, std::sin((x + y) * 16)));
        case Pattern::Dots: {
            double gx = x * 5 - std::floor(x * 5) - 0.5, gy = y * 5 - std::floor(y * 5) - 0.5;
            return mix(a, b, smoothstep(0.28, 0.22, std::hypot(gx, gy)));
        }
        case Pattern::Tiles: {
            CellHit c = cells2(x * 5, y * 5, 77, 0.8);
            Col t = mix(a, b, (c.id & 255) / 255.0);
            return t * smoothstep(0.02, 0.08, c.d2 - c.d1);
        }
        case Pattern::Rings:
            return mix(a, b, smoothstep(-0.15, 0.15, std::sin(std::hypot(x + 0.3, y + 0.2) * 30)));
        case Pattern::Leaves: {
            double v = fbm(V3{x * 4, y * 4, 3}, 5);
            return mix(a, b, smoothstep(-0.2, 0.3, v)) * (0.7 + 0.4 * ridged(V3{x * 9, y * 9, 1}, 3));
        }
    }
    return a;
}

Face makeGlassBall(const char* name, Pattern pat, Col a, Col b, Col tint, Rng& rng) {
    double radius = rng.range(0.56, 0.66), cx = rng.range(-0.1, 0.05), cy = rng.range(-0.02, 0.1);
    double rot = rng.range(0, 3.14);
    Face f;
    f.name = name;
    f.gloss = 0.6;
    auto ground = [=](double x, double y) {
        double u = x * std::cos(rot) - y * std::sin(rot), v = x * std::sin(rot) + y * std::cos(rot);
        return pattern(pat, u, v, a, b) * (1 - 0.35 * smoothstep(0.4, 1.2, std::hypot(x + 0.3, y - 0.3)));
    };
    f.at = [=](double x, double y) {
        V3 n;
        if (!sphereNormal(x, y, cx, cy, radius, n)) return underBall(ground(x, y), x, y, cx, cy, radius);
        // A solid ball shows the cloth behind it upside down and shrunk, bent harder toward its rim.
        double dx = x - cx, dy = y - cy;
        double k = -0.55 - 0.5 * (1 - n.z);
        Col seen = ground(cx + dx * k, cy + dy * k) * tint;
        double fr = fresnel(n, 0.05);
        Col c = seen * (1 - fr) + studioEnvironment(reflectView(n)) * fr;
        double edge = std::pow(1 - n.z, 6);
        c = c * (1 - 0.5 * edge);
        c = c + Col{1, 1, 1} * (1.5 * specular(n, kLight, 400));
        // Light focused through the ball brightens its lower right inside.
        c = c + tint * (0.35 * std::exp(-std::pow(std::hypot(dx / radius - 0.45, dy / radius + 0.5) / 0.3, 2)));
        return c;
    };
    return f;
}

Face makeBubble(const char* name, Col back1, Col back2, double thickness, Rng& rng) {
    double radius = rng.range(0.72, 0.84), cx = rng.range(-0.05, 0.05), cy = rng.range(-0.05, 0.05);
    V3 off{rng.range(-20, 20), rng.range(-20, 20), rng.range(-20, 20)};
    uint32_t seed = static_cast<uint32_t>(rng.next());
    Face f;
    f.name = name;
    f.gloss = 0.5;
    auto backdrop = [=](double x, double y) {
        Col c = mix(back1, back2, smoothstep(-1, 1, y + 0.3 * x));
        // Out-of-focus lights behind the bubble.
        for (int i = 0; i < 9; ++i) {
            double bx = hash01(i, 1, 0, seed) * 2 - 1, by = hash01(i, 2, 0, seed) * 2 - 1;
            double br = 0.08 + 0.12 * hash01(i, 3, 0, seed);
            double d = std::hypot(x - bx, y - by);
            Col tint = hsv(hash01(i, 4, 0, seed), 0.5, 1.0);
            c = c + tint * (0.22 * smoothstep(br, br * 0.85, d) * (0.7 + 0.3 * d / br));
        }
        return c;
    };
    f.at = [=](double x, double y) {
        V3 n;
        Col back = backdrop(x, y);
        if (!sphereNormal(x, y, cx, cy, radius, n)) return back;
        // Film thins toward the top as it drains; swirls stir it.
        V3 p = n * 2.0 + off;
        V3 w{fbm(p, 4), fbm(p + V3{3, 1, 7}, 4), 0};
        double d = thickness * (0.55 + 0.45 * (0.5 + 0.5 * fbm(p + w * 1.5, 5))) * (1.15 - 0.5 * smoothstep(-1, 1, n.y));
        double cosT = std::sqrt(1 - (1 - n.z * n.z) / (1.33 * 1.33));
        double path = 2 * 1.33 * d * cosT;
        auto film = [&](double lambda) { double s = std::sin(kPi * path / lambda); return s * s; };
        Col irid{film(650), film(530), film(455)};
        // The film is nearly invisible face on and colours up toward the rim, where it is seen edgewise.
        double fr = 0.05 + 0.95 * std::pow(1 - n.z, 2.2);
        Col env = studioEnvironment(reflectView(n));
        double envLight = std::max(0.45, luma(env));
        Col c = back * (0.95 - 0.35 * fr) + irid * (envLight * 1.4 * fr);
        c = c + Col{1, 1, 1} * (0.12 * smoothstep(0.35, 0.0, n.z));
        c = c + Col{1, 1, 1} * (1.2 * specular(n, kLight, 500));
        // A second, dimmer window seen in the bubble's back wall.
        double bx = (x - cx) / radius - 0.35, by = (y - cy) / radius + 0.45;
        c = c + irid * (0.5 * std::exp(-(bx * bx + by * by) / 0.01));
        return c;
    };
    return f;
}

}  // namespace

void addMarbles(std::vector<Face>& out, Rng& rng) {
    Col felt{0.08, 0.20, 0.12}, wood{0.35, 0.20, 0.10}, slate{0.15, 0.16, 0.18}, sand{0.55, 0.45, 0.32},
        navy{0.06, 0.08, 0.20};
    out.push_back(makeMarble("cat's eye marble", {Core::Vanes, {0.55, 0.75, 0.65}, {{0.95, 0.40, 0.05}, {0.1, 0.5, 0.95}, {0.95, 0.85, 0.2}}, felt}, rng));
    out.push_back(makeMarble("blue vane marble", {Core::Vanes, {0.55, 0.65, 0.85}, {{0.1, 0.2, 0.9}, {0.95, 0.95, 0.95}, {0.2, 0.6, 1.0}}, wood}, rng));
    out.push_back(makeMarble("red vane marble", {Core::Vanes, {0.80, 0.80, 0.75}, {{0.85, 0.05, 0.08}, {0.98, 0.92, 0.80}, {0.9, 0.5, 0.1}}, slate}, rng));
    out.push_back(makeMarble("green swirl marble", {Core::Swirl, {0.45, 0.75, 0.55}, {{0.05, 0.55, 0.25}, {0.95, 0.95, 0.9}, {0.9, 0.75, 0.1}}, sand}, rng));
    out.push_back(makeMarble("candy swirl marble", {Core::Swirl, {0.85, 0.75, 0.80}, {{0.95, 0.2, 0.5}, {0.98, 0.98, 0.98}, {0.3, 0.7, 0.95}}, navy}, rng));
    out.push_back(makeMarble("amber swirl marble", {Core::Swirl, {0.85, 0.60, 0.25}, {{0.55, 0.20, 0.05}, {0.98, 0.85, 0.55}, {0.2, 0.1, 0.05}}, slate}, rng));
    out.push_back(makeMarble("oxblood marble", {Core::Clouds, {0.75, 0.70, 0.60}, {{0.45, 0.04, 0.04}, {0.95, 0.92, 0.85}, {0.2, 0.02, 0.02}}, felt}, rng));
    out.push_back(makeMarble("sky cloud marble", {Core::Clouds, {0.55, 0.75, 0.95}, {{0.95, 0.97, 1.0}, {0.4, 0.6, 0.95}, {0.8, 0.9, 1.0}}, wood}, rng));
    out.push_back(makeMarble("purple cloud marble", {Core::Clouds, {0.65, 0.55, 0.85}, {{0.45, 0.15, 0.65}, {0.95, 0.80, 0.98}, {0.1, 0.05, 0.2}}, sand}, rng));
    out.push_back(makeMarble("rainbow vane marble", {Core::Vanes, {0.85, 0.88, 0.90}, {{0.95, 0.85, 0.1}, {0.9, 0.1, 0.6}, {0.1, 0.8, 0.4}}, navy}, rng));
}

void addGlassBalls(std::vector<Face>& out, Rng& rng) {
    out.push_back(makeGlassBall("glass ball on a checked cloth", Pattern::Checker, {0.75, 0.08, 0.08}, {0.95, 0.92, 0.85}, {0.95, 1.0, 0.97}, rng));
    out.push_back(makeGlassBall("glass ball on stripes", Pattern::Stripes, {0.10, 0.25, 0.65}, {0.95, 0.95, 0.92}, {0.90, 0.97, 1.0}, rng));
    out.push_back(makeGlassBall("glass ball on polka dots", Pattern::Dots, {0.95, 0.80, 0.20}, {0.15, 0.35, 0.55}, {1.0, 0.98, 0.92}, rng));
    out.push_back(makeGlassBall("glass ball on tiles", Pattern::Tiles, {0.10, 0.45, 0.50}, {0.85, 0.70, 0.40}, {0.92, 1.0, 0.95}, rng));
    out.push_back(makeGlassBall("green glass ball on rings", Pattern::Rings, {0.20, 0.12, 0.30}, {0.95, 0.60, 0.35}, {0.70, 1.0, 0.75}, rng));
    out.push_back(makeGlassBall("glass ball on leaves", Pattern::Leaves, {0.05, 0.18, 0.05}, {0.45, 0.70, 0.20}, {1.0, 0.95, 0.85}, rng));
}

void addBubbles(std::vector<Face>& out, Rng& rng) {
    out.push_back(makeBubble("soap bubble at night", {0.02, 0.02, 0.05}, {0.08, 0.06, 0.15}, 700, rng));
    out.push_back(makeBubble("soap bubble over water", {0.02, 0.10, 0.15}, {0.10, 0.30, 0.40}, 500, rng));
    out.push_back(makeBubble("soap bubble in a garden", {0.03, 0.12, 0.03}, {0.20, 0.35, 0.10}, 900, rng));
    out.push_back(makeBubble("soap bubble at dusk", {0.25, 0.08, 0.15}, {0.05, 0.03, 0.12}, 600, rng));
    out.push_back(makeBubble("thin soap bubble", {0.05, 0.05, 0.06}, {0.18, 0.16, 0.14}, 380, rng));
}

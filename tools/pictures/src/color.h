#pragma once

#include <algorithm>
#include <cmath>

// Small value types shared by every face. Colours are display values in [0, 1].
struct Col {
    double r, g, b;
};

inline Col operator+(Col a, Col b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }
inline Col operator-(Col a, Col b) { return {a.r - b.r, a.g - b.g, a.b - b.b}; }
inline Col operator*(Col a, Col b) { return {a.r * b.r, a.g * b.g, a.b * b.b}; }
inline Col operator*(Col a, double s) { return {a.r * s, a.g * s, a.b * s}; }
inline Col operator*(double s, Col a) { return a * s; }

struct V3 {
    double x, y, z;
};

inline V3 operator+(V3 a, V3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline V3 operator-(V3 a, V3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline V3 operator*(V3 a, double s) { return {a.x * s, a.y * s, a.z * s}; }
inline V3 operator*(double s, V3 a) { return a * s; }
inline double dot(V3 a, V3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline V3 cross(V3 a, V3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
inline double length(V3 a) { return std::sqrt(dot(a, a)); }
inline V3 normalize(V3 a) {
    double l = length(a);
    return l > 0 ? a * (1.0 / l) : a;
}

constexpr double kPi = 3.14159265358979323846;

inline double clamp01(double v) { return v < 0 ? 0 : (v > 1 ? 1 : v); }
inline double lerp(double a, double b, double t) { return a + (b - a) * t; }
inline Col mix(Col a, Col b, double t) { return a + (b - a) * t; }
inline double smoothstep(double e0, double e1, double x) {
    double t = clamp01((x - e0) / (e1 - e0));
    return t * t * (3 - 2 * t);
}
inline Col clamp01(Col c) { return {clamp01(c.r), clamp01(c.g), clamp01(c.b)}; }
// Adds light the way a reflection does: bright stays below white.
inline Col screen(Col c, Col light) {
    return {1 - (1 - clamp01(c.r)) * (1 - clamp01(light.r)), 1 - (1 - clamp01(c.g)) * (1 - clamp01(light.g)),
            1 - (1 - clamp01(c.b)) * (1 - clamp01(light.b))};
}
inline double luma(Col c) { return 0.299 * c.r + 0.587 * c.g + 0.114 * c.b; }

inline Col hsv(double h, double s, double v) {
    h = h - std::floor(h);
    double k[3] = {5, 3, 1};
    double out[3];
    for (int i = 0; i < 3; ++i) {
        double kk = std::fmod(k[i] + h * 6, 6.0);
        out[i] = v - v * s * std::max(0.0, std::min({kk, 4 - kk, 1.0}));
    }
    return {out[0], out[1], out[2]};
}

// Cosine palette: a + b cos(2 pi (c t + d)); compact way to get smooth colour ramps.
struct CosPalette {
    Col a, b, c, d;
    Col at(double t) const {
        return {a.r + b.r * std::cos(2 * kPi * (c.r * t + d.r)), a.g + b.g * std::cos(2 * kPi * (c.g * t + d.g)),
                a.b + b.b * std::cos(2 * kPi * (c.b * t + d.b))};
    }
};

// Piecewise-linear ramp through up to eight stops, t in [0, 1].
struct Ramp {
    int n = 0;
    double pos[8];
    Col col[8];
    Ramp& add(double p, Col c) {
        pos[n] = p;
        col[n] = c;
        ++n;
        return *this;
    }
    Col at(double t) const {
        if (t <= pos[0]) return col[0];
        for (int i = 1; i < n; ++i)
            if (t <= pos[i]) return mix(col[i - 1], col[i], (t - pos[i - 1]) / (pos[i] - pos[i - 1]));
        return col[n - 1];
    }
};

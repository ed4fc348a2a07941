#pragma once

#include "color.h"

// Every face is lit from the upper left, a little in front, so the atlas reads as one set of photographs.
const V3 kLight = normalize(V3{-0.55, 0.62, 0.56});

// A sphere seen face on: surface normal at (x, y), or false outside.
inline bool sphereNormal(double x, double y, double cx, double cy, double radius, V3& n) {
    double dx = (x - cx) / radius, dy = (y - cy) / radius;
    double rr = dx * dx + dy * dy;
    if (rr >= 1) return false;
    n = {dx, dy, std::sqrt(1 - rr)};
    return true;
}

inline double lambert(V3 n, V3 l) { return std::max(0.0, dot(n, l)); }
// Light that wraps past the terminator, as in an atmosphere or a soft material.
inline double wrapLight(V3 n, V3 l, double wrap) { return std::max(0.0, (dot(n, l) + wrap) / (1 + wrap)); }
inline double specular(V3 n, V3 l, double shininess) {
    V3 h = normalize(l + V3{0, 0, 1});
    return std::pow(std::max(0.0, dot(n, h)), shininess);
}
inline double fresnel(V3 n, double f0) {
    double c = 1 - std::max(0.0, n.z);
    return f0 + (1 - f0) * c * c * c * c * c;
}

// Rotates v about the x axis by a, then about the y axis by b: how a globe is tipped and turned.
inline V3 tipTurn(V3 v, double a, double b) {
    double ca = std::cos(a), sa = std::sin(a);
    V3 t{v.x, ca * v.y - sa * v.z, sa * v.y + ca * v.z};
    double cb = std::cos(b), sb = std::sin(b);
    return {cb * t.x + sb * t.z, t.y, -sb * t.x + cb * t.z};
}

// A studio environment for glossy things: bright sky above, dim floor below, a window at the upper left.
Col studioEnvironment(V3 dir);

#include "noise.h"

#include <cmath>

namespace {

// Fixed permutation built from a fixed seed, so noise never depends on the run.
struct Perm {
    int p[512];
    Perm() {
        uint32_t s = 0x2545F491u;
        int tmp[256];
        for (int i = 0; i < 256; ++i) tmp[i] = i;
        for (int i = 255; i > 0; --i) {
            s = s * 1664525u + 1013904223u;
            int j = static_cast<int>((s >> 8) % static_cast<uint32_t>(i + 1));
            int t = tmp[i];
            tmp[i] = tmp[j];
            tmp[j] = t;
        }
        for (int i = 0; i < 512; ++i) p[i] = tmp[i & 255];
    }
};
const Perm perm;

inline double fade(double t) { return t * t * t * (t * (t * 6 - 15) + 10); }
inline double grad(int h, double x, double y, double z) {
    h &= 15;
    double u = h < 8 ? x : y;
    double v = h < 4 ? y : (h == 12 || h == 14 ? x : z);
    return ((h & 1) ? -u : u) + ((h & 2) ? -v : v);
}

}  // namespace

double noise3(double x, double y, double z) {
    double fx = std::floor(x), fy = std::floor(y), fz = std::floor(z);
    int X = static_cast<int>(fx) & 255, Y = static_cast<int>(fy) & 255, Z = static_cast<int>(fz) & 255;
    x -= fx;
    y -= fy;
    z -= fz;
    double u = fade(x), v = fade(y), w = fade(z);
    const int* p = perm.p;
    int A = p[X] + Y, AA = p[A] + Z, AB = p[A + 1] + Z;
    int B = p[X + 1] + Y, BA = p[B] + Z, BB = p[B + 1] + Z;
    return lerp(lerp(lerp(grad(p[AA], x, y, z), grad(p[BA], x - 1, y, z), u),
                     lerp(grad(p[AB], x, y - 1, z), grad(p[BB], x - 1, y - 1, z), u), v),
                lerp(lerp(grad(p[AA + 1], x, y, z - 1), grad(p[BA + 1], x - 1, y, z - 1), u),
                     lerp(grad(p[AB + 1], x, y - 1, z - 1), grad(p[BB + 1], x - 1, y - 1, z - 1), u), v),
                w);
}

double noise3(V3 p) { return noise3(p.x, p.y, p.z); }

double fbm(V3 p, int octaves, double lacunarity, double gain) {
    double sum = 0, amp = 0.5, norm = 0;
    for (int i = 0; i < octaves; ++i) {
        sum += amp * noise3(p);
        norm += amp;
        amp *= gain;
        // A small offset per octave keeps lattice points of octaves from lining up.
        p = p * lacunarity + V3{17.3, -9.1, 5.7};
    }
    return sum / norm * 1.4;
}

double ridged(V3 p, int octaves) {
    double sum = 0, amp = 0.5, norm = 0;
    for (int i = 0; i < octaves; ++i) {
        double n = 1 - std::fabs(noise3(p));
        sum += amp * n * n;
        norm += amp;
        amp *= 0.5;
        p = p * 2.03 + V3{3.1, 7.7, -2.3};
    }
    return sum / norm;
}

double turbulence(V3 p, int octaves) {
    double sum = 0, amp = 0.5, norm = 0;
    for (int i = 0; i < octaves; ++i) {
        sum += amp * std::fabs(noise3(p));
        norm += amp;
        amp *= 0.5;
        p = p * 2.01 + V3{-4.3, 1.9, 8.2};
    }
    return sum / norm;
}

uint32_t hashU(int32_t x, int32_t y, int32_t z, uint32_t seed) {
    uint32_t h = seed * 0x9E3779B1u;
    h ^= static_cast<uint32_t>(x) * 0x85EBCA77u;
    h = (h << 13) | (h >> 19);
    h ^= static_cast<uint32_t>(y) * 0xC2B2AE3Du;
    h = (h << 17) | (h >> 15);
    h ^= static_cast<uint32_t>(z) * 0x27D4EB2Fu;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    h *= 0x297A2D39u;
    h ^= h >> 15;
    return h;
}

double hash01(int32_t x, int32_t y, int32_t z, uint32_t seed) {
    return (hashU(x, y, z, seed) >> 8) * (1.0 / 16777216.0);
}

CellHit cells3(V3 p, uint32_t seed, double jitter) {
    int cx = static_cast<int>(std::floor(p.x)), cy = static_cast<int>(std::floor(p.y)),
        cz = static_cast<int>(std::floor(p.z));
    CellHit hit{1e9, 1e9, {0, 0, 0}, 0};
    for (int dz = -1; dz <= 1; ++dz)
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx) {
                int X = cx + dx, Y = cy + dy, Z = cz + dz;
                V3 f{X + 0.5 + jitter * (hash01(X, Y, Z, seed) - 0.5), Y + 0.5 + jitter * (hash01(X, Y, Z, seed + 1) - 0.5),
                     Z + 0.5 + jitter * (hash01(X, Y, Z, seed + 2) - 0.5)};
                double d = length(f - p);
                if (d < hit.d1) {
                    hit.d2 = hit.d1;
                    hit.d1 = d;
                    hit.point = f;
                    hit.id = hashU(X, Y, Z, seed + 3);
                } else if (d < hit.d2) {
                    hit.d2 = d;
                }
            }
    return hit;
}

CellHit cells2(double x, double y, uint32_t seed, double jitter) {
    int cx = static_cast<int>(std::floor(x)), cy = static_cast<int>(std::floor(y));
    CellHit hit{1e9, 1e9, {0, 0, 0}, 0};
    for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -2; dx <= 2; ++dx) {
            int X = cx + dx, Y = cy + dy;
            double fx = X + 0.5 + jitter * (hash01(X, Y, 0, seed) - 0.5);
            double fy = Y + 0.5 + jitter * (hash01(X, Y, 0, seed + 1) - 0.5);
            double d = std::hypot(fx - x, fy - y);
            if (d < hit.d1) {
                hit.d2 = hit.d1;
                hit.d1 = d;
                hit.point = {fx, fy, 0};
                hit.id = hashU(X, Y, 0, seed + 3);
            } else if (d < hit.d2) {
                hit.d2 = d;
            }
        }
    return hit;
}

Col starField(double x, double y, uint32_t seed, double density, double pixel) {
    // One candidate star per grid cell; the grid is a few pixels wide so stars never crowd.
    double grid = 0.06;
    double gx = x / grid, gy = y / grid;
    int cx = static_cast<int>(std::floor(gx)), cy = static_cast<int>(std::floor(gy));
    Col sum{0, 0, 0};
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
            int X = cx + dx, Y = cy + dy;
            if (hash01(X, Y, 7, seed) > density) continue;
            double sx = (X + hash01(X, Y, 1, seed)) * grid, sy = (Y + hash01(X, Y, 2, seed)) * grid;
            double mag = std::pow(hash01(X, Y, 3, seed), 3.0);
            double radius = pixel * (0.45 + 1.1 * mag);
            double d = std::hypot(x - sx, y - sy);
            double b = (0.15 + 1.1 * mag) * std::exp(-(d * d) / (radius * radius));
            double temp = hash01(X, Y, 4, seed);
            Col tint = temp < 0.3 ? Col{1.0, 0.85, 0.7} : (temp > 0.75 ? Col{0.75, 0.85, 1.0} : Col{1, 1, 1});
            sum = sum + tint * b;
        }
    return sum;
}

#pragma once

#include <cstdint>

#include "color.h"

// Gradient noise in about [-1, 1].
double noise3(V3 p);
double noise3(double x, double y, double z);
// Fractal sums of noise3; fbm stays in about [-1, 1].
double fbm(V3 p, int octaves, double lacunarity = 2.0, double gain = 0.5);
double ridged(V3 p, int octaves);  // in [0, 1], sharp crests at 1
double turbulence(V3 p, int octaves);

// Integer hash to [0, 1).
double hash01(int32_t x, int32_t y, int32_t z, uint32_t seed);
uint32_t hashU(int32_t x, int32_t y, int32_t z, uint32_t seed);

// Cellular noise: distances to the nearest and second-nearest jittered point, and the nearest cell's id.
struct CellHit {
    double d1, d2;
    V3 point;  // the nearest feature point
    uint32_t id;
};
CellHit cells3(V3 p, uint32_t seed, double jitter = 1.0);
CellHit cells2(double x, double y, uint32_t seed, double jitter = 1.0);

// Hashed star field: returns brightness at (x, y) for stars sized in units of the face.
Col starField(double x, double y, uint32_t seed, double density, double pixel);

#pragma once

// Positions, velocities and forces of the buttons, and the corners of the sector outline.
struct Vec3 {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;

    void set(float nx, float ny, float nz) { x = nx; y = ny; z = nz; }
    void clear() { x = y = z = 0.0f; }
};

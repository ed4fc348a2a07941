// The kaleidoscope's sectors: how many, the first one's outline, and the clip planes
// that cut one sector (or the narrower closing one) out of whatever is drawn.
#include <cmath>

#include "render/renderer.h"

namespace {

// Degrees to radians with the saver's own constant, not the exact pi/180.
constexpr float kRadiansPerDegree = 0.01745328f;
constexpr float kOutlineStartRadians = 4.712385f;  // the 270 degree ray
constexpr float kOutlineRadius = 4.0f;

// A plane through the origin that keeps the half of the view facing `radians`.
void facingPlane(double plane[4], float radians) {
    plane[0] = std::cos(radians);
    plane[1] = std::sin(radians);
    plane[2] = 0.0;
    plane[3] = 0.0;
}

void keepRightOfAxis(double plane[4]) {
    plane[0] = 1.0;
    plane[1] = 0.0;
    plane[2] = 0.0;
    plane[3] = 0.0;
}

}  // namespace

void Renderer::setSectorAngle(float angle) {
    sectorAngle = angle;
    geometryAngle = angle;
    sectorsPerTurn = 360.0f / angle;

    const int32_t whole = static_cast<int32_t>(360.0f / angle);
    const float leftover = 360.0f - static_cast<float>(whole) * angle;
    const float fraction = 360.0f / angle - static_cast<float>(whole);
    sectorCount = (leftover > 0.9f || fraction > 0.001f) ? whole + 1 : whole;

    outlineApex.set(0.0f, 0.0f, 0.0f);
    outlineStart.set(kOutlineRadius * std::cos(kOutlineStartRadians),
                     kOutlineRadius * std::sin(kOutlineStartRadians), 0.0f);
    const float endRadians = (angle + 270.0f) * kRadiansPerDegree;
    outlineEnd.set(kOutlineRadius * std::cos(endRadians), kOutlineRadius * std::sin(endRadians),
                   0.0f);

    keepRightOfAxis(startPlane);
    facingPlane(endPlane, (angle + 270.0f - 90.0f) * kRadiansPerDegree);

    const float partial = sectorsPerTurn - std::trunc(sectorsPerTurn);
    if (partial <= 0.001f) {
        hasPartialSector = false;
        return;
    }
    hasPartialSector = true;
    partialAngle = partial * angle;
    // An even count narrows the unmirrored copy (keep the sector's first degrees), an
    // odd count the mirrored one (keep its last degrees, which the mirror turns first).
    if (sectorCount % 2 == 0) {
        keepRightOfAxis(partialStartPlane);
        facingPlane(partialEndPlane, (partialAngle + 270.0f - 90.0f) * kRadiansPerDegree);
    } else {
        facingPlane(partialStartPlane, (angle - partialAngle + 360.0f) * kRadiansPerDegree);
        for (int k = 0; k < 4; ++k) partialEndPlane[k] = endPlane[k];
    }
}

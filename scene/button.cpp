#include <cmath>

#include "render/renderer.h"
#include "scene/random_draws.h"
#include "scene/scene.h"

namespace {

constexpr float kSpawnRadius = 4.0f;
constexpr float kSpawnAngleRange = 6.2831802f;
constexpr float kSizeBase = 0.2f;
constexpr float kSizeRange = 0.40000004f;
constexpr float kPhaseStep = 0.016666668f;
constexpr float kCycleSeconds = 16.0f;
constexpr float kCycleFactor = 0.0625f;
constexpr int32_t kAtlasColumns = 16;
constexpr float kCellPixels = 128.0f;
constexpr float kSpinPerDistance = 100.0f;

// A failed atlas load leaves a side of 0; the cell is then empty instead of infinite.
float cellExtent(uint32_t atlasSide) {
    return atlasSide == 0 ? 0.0f : kCellPixels / static_cast<float>(atlasSide);
}

}  // namespace

void Button::spawn(int32_t index) {
    const float angle = randomUniform(0.0f, kSpawnAngleRange);
    // Uniform in distance, not in area: new buttons crowd toward the centre.
    const float distance = randomUniform(0.0f, kSpawnRadius);
    position.set(distance * std::cos(angle), distance * std::sin(angle), 0.0f);
    velocity.clear();
    force.clear();
    size = kSizeBase + randomUniform(0.0f, kSizeRange);
    phase = static_cast<float>(index) * kPhaseStep;
    assignFace();
}

void Button::assignFace() {
    const Scene& scene = *currentScene;
    // The new cycle has already run for phase * 16 seconds, which keeps it on its grid.
    birthTime = scene.renderer->elapsedSeconds - phase * kCycleSeconds;
    face = scene.uniformFaces ? scene.currentFace : randomIndex(scene.faceCount);

    const uint32_t atlasWidth = scene.images != nullptr ? scene.images->records[0].width : 0;
    const uint32_t atlasHeight = scene.images != nullptr ? scene.images->records[0].height : 0;
    cellWidth = cellExtent(atlasWidth);
    cellHeight = cellExtent(atlasHeight);
    faceS = static_cast<float>(face % kAtlasColumns) * cellWidth;
    faceT = static_cast<float>(face / kAtlasColumns) * cellHeight;
    spinAngle = randomUniform(0.0f, 360.0f);
}

void Button::tickCycle() {
    Scene& scene = *currentScene;
    phase = (scene.renderer->elapsedSeconds - birthTime) * kCycleFactor;
    if (phase > 1.0f) {
        phase = phase - std::trunc(phase);
        scene.tickTransition();
        // Faces change only outside the quadrant x >= 0, y <= 0 that holds the first
        // sector, so no visible button ever swaps its face.
        if (position.x + size < 0.0f || position.y - size > 0.0f) {
            assignFace();
        }
    }
    const float travel = std::sqrt(velocity.x * velocity.x + velocity.y * velocity.y +
                                   velocity.z * velocity.z);
    spinAngle = spinAngle + travel * kSpinPerDistance;
}

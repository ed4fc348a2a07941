#include <cmath>

#include "platform/keys.h"
#include "render/renderer.h"
#include "scene/random_draws.h"
#include "scene/scene.h"

namespace {

constexpr float kEasingStep = 0.001f;
constexpr float kPull = -0.003f;
constexpr float kPushGain = 0.3f;
constexpr float kWallRadius = 4.0f;
constexpr float kDamping = 0.82f;
constexpr float kSpinRateDecay = 0.9f;
constexpr float kSpinRateDrift = 0.00045000002f;
constexpr float kTransitionTicksPerSecond = 60.0f * 0.0625f;
constexpr float kKeyTransitionSeconds = 0.5f;
constexpr float kUpArrowKick = 0.00436332f;
constexpr float kZoomStep = 0.1f;


bool squaresOverlap(const Button& p, const Button& q) {
    return p.position.x + p.size > q.position.x - q.size &&
           q.position.x + q.size > p.position.x - p.size &&
           q.position.y - q.size < p.position.y + p.size &&
           q.position.y + q.size > p.position.y - p.size;
}

void pushApart(Button& p, const Button& q) {
    if (!squaresOverlap(p, q)) {
        return;
    }
    const float dx = p.position.x - q.position.x;
    const float dy = p.position.y - q.position.y;
    const float d = std::sqrt(dx * dx + dy * dy);
    const float reach = p.size + q.size;
    const float overlap = reach - d;
    if (overlap > 0.0f && d > 0.0f) {
        const float depth = overlap / reach;
        const float k = kPushGain * (depth * depth) / d;
        p.force.x += dx * k;
        p.force.y += dy * k;
    }
}

// Acts on where the button is about to be, so it is turned back before it gets there.
void holdInsideWall(Button& p) {
    const float gx = -(p.position.x + p.velocity.x);
    const float gy = -(p.position.y + p.velocity.y);
    const float h = std::sqrt(gx * gx + gy * gy);
    const float diameter = 2.0f * p.size;
    const float beyond = h - (kWallRadius - diameter);
    if (beyond > 0.0f && h > 0.0f) {
        const float depth = beyond / diameter;
        const float k = kPushGain * (depth * depth) / h;
        p.force.x += gx * k;
        p.force.y += gy * k;
    }
}

}  // namespace

void Scene::update() {
    if (sectorEasing) {
        const float target = static_cast<float>(targetSectorsPerTurn);
        const float count = renderer->sectorsPerTurn;
        if (count != target) {
            const float step = target - count > 0.0f ? kEasingStep : -kEasingStep;
            // The speed is kept across stops, so G resumes the easing where it left off.
            sectorEasingSpeed = sectorEasingSpeed + step;
            const float next = count + sectorEasingSpeed;
            const bool overshoots = (step > 0.0f && next > target) || (step < 0.0f && next < target);
            renderer->sectorsPerTurn = overshoots ? target : next;
            renderer->sectorAngle = 360.0f / renderer->sectorsPerTurn;
        }
    }

    if (buttons != nullptr) {
        for (int32_t i = 0; i < kButtonCount; ++i) {
            Button& b = buttons[i];
            const float r = std::sqrt(b.position.x * b.position.x + b.position.y * b.position.y);
            const float theta = std::atan2(b.position.y, b.position.x);
            b.position.x = r * std::cos(theta + spinRate);
            b.position.y = r * std::sin(theta + spinRate);
            b.force.set(0.0f, kPull, 0.0f);
        }

        // Partners run only up to 58 - i: buttons whose indices add up to 59 or more
        // never push each other and may overlap. Deliberate: the overlaps are part of
        // the drum's look.
        for (int32_t i = 0; i < kButtonCount; ++i) {
            Button& p = buttons[i];
            for (int32_t j = 0; j <= kButtonCount - 2 - i; ++j) {
                pushApart(p, buttons[j]);
            }
            holdInsideWall(p);
        }

        for (int32_t i = 0; i < kButtonCount; ++i) {
            Button& b = buttons[i];
            b.velocity.x = (b.velocity.x + b.force.x) * kDamping;
            b.velocity.y = (b.velocity.y + b.force.y) * kDamping;
            b.velocity.z = (b.velocity.z + b.force.z) * kDamping;
            b.position.x = b.position.x + b.velocity.x;
            b.position.y = b.position.y + b.velocity.y;
            b.position.z = b.position.z + b.velocity.z;
            b.tickCycle();
        }
    }

    spinRate = spinRate * kSpinRateDecay + kSpinRateDrift;
}

void Scene::tickTransition() {
    transitionTick = transitionTick + 1;
    if (transitionTick > transitionLength) {
        newTransition(1.0f + randomUniform(0.0f, 16.0f));
    }
}

void Scene::newTransition(float seconds) {
    transitionLength = static_cast<int32_t>(seconds * kTransitionTicksPerSecond);
    transitionTick = 0;
    uniformFaces = !uniformFaces;
    currentFace = randomIndex(faceCount);
}

void Scene::handleKey(uint32_t code) {
    switch (code) {
    case VK_LEFT:
        feedbackZoom = feedbackZoom - kZoomStep;
        break;
    case VK_UP:
        spinRate = spinRate + kUpArrowKick;
        break;
    case VK_RIGHT:
        feedbackZoom = feedbackZoom + kZoomStep;
        break;
    case VK_DOWN:
        newTransition(kKeyTransitionSeconds);
        spawnAll();
        break;
    case VK_G:
        sectorEasing = !sectorEasing;
        break;
    default:
        break;
    }
}

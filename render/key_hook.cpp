// Keys that change the picture instead of ending the saver.
#include "platform/keys.h"
#include "render/renderer.h"
#include "scene/scene.h"

bool Renderer::handleKey(uint32_t code) {
    switch (code) {
        case VK_SPACE:
        case VK_S:
            return true;
        case VK_LEFT:  // zoom, spin kick, new placement
        case VK_UP:
        case VK_RIGHT:
        case VK_DOWN:
            if (scene != nullptr) scene->handleKey(code);
            return true;
        case VK_M:
            toggleMirrorSuppression();
            return true;
        default:
            break;
    }
    if (code >= VK_0 && code <= VK_9) {  // digits: 1 to 10 passes from the next frame
        passCount = static_cast<int32_t>(code - VK_0) + 1;
        return true;
    }
    // The Scene sees every other key (G acts there) but the saver still closes.
    if (scene != nullptr) scene->handleKey(code);
    return false;
}

bool Renderer::toggleMirrorSuppression() {
    mirrorsSuppressed = !mirrorsSuppressed;
    return mirrorsSuppressed;
}

// Keys that change the picture instead of ending the saver.
#include "render/renderer.h"
#include "scene/scene.h"

bool Renderer::handleKey(uint32_t code) {
    switch (code) {
        case 0x20:  // space
        case 0x53:  // S
            return true;
        case 0x25:  // arrows: zoom, spin kick, new placement
        case 0x26:
        case 0x27:
        case 0x28:
            if (scene != nullptr) scene->handleKey(code);
            return true;
        case 0x4D:  // M
            toggleMirrorSuppression();
            return true;
        default:
            break;
    }
    if (code >= 0x30 && code <= 0x39) {  // digits: 1 to 10 passes from the next frame
        passCount = static_cast<int32_t>(code) - 47;
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

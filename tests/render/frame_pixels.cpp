#include "tests/render/frame_pixels.h"

#include <GL/gl.h>

#include <cstdlib>

FramePixels ReadBackBuffer(int32_t width, int32_t height) {
    FramePixels frame;
    frame.width = width;
    frame.height = height;
    frame.rgb.resize(static_cast<size_t>(width) * height * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, frame.rgb.data());
    return frame;
}

FramePixels ReadTexture(uint32_t texture) {
    FramePixels frame;
    GLint width = 0;
    GLint height = 0;
    glBindTexture(GL_TEXTURE_2D, texture);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
    frame.width = width;
    frame.height = height;
    frame.rgb.resize(static_cast<size_t>(width) * height * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, frame.rgb.data());
    return frame;
}

namespace {

bool differs(const unsigned char* a, const unsigned char* b, int tolerance) {
    for (int c = 0; c < 3; ++c) {
        if (std::abs(int(a[c]) - int(b[c])) > tolerance) return true;
    }
    return false;
}

}  // namespace

double MirrorMismatch(const FramePixels& frame, int32_t skipBottomRows, int tolerance) {
    int64_t compared = 0;
    int64_t mismatched = 0;
    for (int32_t y = skipBottomRows; y < frame.height; ++y) {
        for (int32_t x = 0; x < frame.width / 2; ++x) {
            ++compared;
            if (differs(frame.at(x, y), frame.at(frame.width - 1 - x, y), tolerance)) ++mismatched;
        }
    }
    return compared == 0 ? 1.0 : double(mismatched) / double(compared);
}

double Difference(const FramePixels& a, const FramePixels& b, int tolerance) {
    if (a.width != b.width || a.height != b.height) return 1.0;
    int64_t mismatched = 0;
    for (int32_t y = 0; y < a.height; ++y) {
        for (int32_t x = 0; x < a.width; ++x) {
            if (differs(a.at(x, y), b.at(x, y), tolerance)) ++mismatched;
        }
    }
    return double(mismatched) / (double(a.width) * a.height);
}

int64_t CountPureRed(const FramePixels& frame) {
    int64_t count = 0;
    for (size_t i = 0; i + 2 < frame.rgb.size(); i += 3) {
        if (frame.rgb[i] > 200 && frame.rgb[i + 1] < 30 && frame.rgb[i + 2] < 30) ++count;
    }
    return count;
}

int64_t CountNonBlack(const FramePixels& frame) {
    int64_t count = 0;
    for (size_t i = 0; i + 2 < frame.rgb.size(); i += 3) {
        if (frame.rgb[i] + frame.rgb[i + 1] + frame.rgb[i + 2] > 24) ++count;
    }
    return count;
}

// The frame renderer's Windows twin: draws the kaleidoscope in a window on the same
// simulated clock and seed as brisalo-frames and writes the chosen frames as PPM files.
#include <GL/gl.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/messages.h"
#include "platform/platform.h"
#include "tools/frames/frame_options.h"
#include "tools/frames/frame_sequence.h"

namespace {

intptr_t PlainWindowProc(PlatformWindow window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
    return PlatformDefWindowProc(window, message, wParam, lParam);
}

bool writeFrame(const std::string& path, int32_t width, int32_t height) {
    const size_t stride = static_cast<size_t>(width) * 3;
    std::vector<unsigned char> pixels(stride * static_cast<size_t>(height));
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return false;
    std::fprintf(file, "P6\n%d %d\n255\n", static_cast<int>(width), static_cast<int>(height));
    bool ok = true;
    for (int32_t y = height - 1; y >= 0 && ok; --y) {
        ok = std::fwrite(pixels.data() + static_cast<size_t>(y) * stride, 1, stride, file) == stride;
    }
    return std::fclose(file) == 0 && ok;
}

}  // namespace

int main(int argc, char** argv) {
    FrameOptions options;
    std::string error;
    if (!ParseFrameOptions(argc, argv, &options, &error)) {
        std::fprintf(stderr, "frame_dump: %s\n", error.c_str());
        return 2;
    }
    const PlatformInstance instance = PlatformModuleInstance();
    if (!PlatformRegisterClass("FrameDump", PlainWindowProc, instance)) return 3;
    const PlatformWindow window =
        PlatformCreateWindow("FrameDump", "FrameDump", false, 0, options.width, options.height);
    if (window == 0) return 3;
    const PlatformDevice device = PlatformGetDevice(window);
    PixelFormatRequest request;
    request.flags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    request.pixelType = PFD_TYPE_RGBA;
    request.colorBits = 32;
    const int32_t format = PlatformChoosePixelFormat(device, request);
    if (format == 0 || !PlatformSetPixelFormat(device, format, request)) return 4;
    const PlatformGlContext context = PlatformCreateGlContext(device);
    if (!PlatformMakeCurrent(device, context)) return 4;

    const bool written = DrawFrameSequence(options, [&](int32_t frame) {
        char name[32];
        std::snprintf(name, sizeof name, "/frame-%05d.ppm", static_cast<int>(frame));
        return writeFrame(options.outDir + name, options.width, options.height);
    });
    PlatformMakeCurrent(0, 0);
    PlatformDeleteGlContext(context);
    PlatformDestroyWindow(window);
    return written ? 0 : 5;
}

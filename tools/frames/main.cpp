// brisalo-frames: renders the kaleidoscope offscreen on a simulated clock and writes
// chosen frames as PNG files.
#include <GL/gl.h>
#include <sys/stat.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/offscreen_context.h"
#include "tools/frames/frame_options.h"
#include "tools/frames/frame_sequence.h"
#include "tools/frames/png_writer.h"

namespace {

int fail(const std::string& message) {
    std::fprintf(stderr, "brisalo-frames: %s\n", message.c_str());
    return 1;
}

bool isWritableFolder(const std::string& path) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) return false;
    // Probe with a real file: permission bits say nothing about read-only mounts.
    const std::string probe = path + "/.brisalo-frames-probe";
    std::FILE* file = std::fopen(probe.c_str(), "wb");
    if (file == nullptr) return false;
    std::fclose(file);
    std::remove(probe.c_str());
    return true;
}

std::string frameFileName(const std::string& folder, int32_t frame) {
    char name[32];
    std::snprintf(name, sizeof name, "frame-%05d.png", static_cast<int>(frame));
    return folder + "/" + name;
}

// Reads the drawn back buffer and turns GL's bottom-up rows into PNG's top-down ones.
bool writeFrame(const std::string& path, int32_t width, int32_t height, std::string* error) {
    const size_t stride = static_cast<size_t>(width) * 3;
    std::vector<unsigned char> pixels(stride * static_cast<size_t>(height));
    std::vector<unsigned char> flipped(pixels.size());
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    for (int32_t y = 0; y < height; ++y) {
        const unsigned char* from = pixels.data() + static_cast<size_t>(height - 1 - y) * stride;
        std::copy(from, from + stride, flipped.data() + static_cast<size_t>(y) * stride);
    }
    return WriteRgbPng(path, flipped.data(), width, height, error);
}

}  // namespace

int main(int argc, char** argv) {
    FrameOptions options;
    std::string error;
    if (!ParseFrameOptions(argc, argv, &options, &error)) {
        std::fprintf(stderr, "brisalo-frames: %s\n\n%s\n%s", error.c_str(), kFramesUsage, kOffscreenContextNeeds);
        return 2;
    }
    if (options.help) {
        std::printf("%s\n%s", kFramesUsage, kOffscreenContextNeeds);
        return 0;
    }
    if (!isWritableFolder(options.outDir)) {
        return fail("cannot write into the folder " + options.outDir);
    }

    OffscreenContext context;
    const char* contextError = nullptr;
    if (!context.open(options.width, options.height, &contextError)) {
        return fail(contextError);
    }

    const bool written = DrawFrameSequence(options, [&](int32_t frame) {
        return writeFrame(frameFileName(options.outDir, frame), options.width, options.height, &error);
    });
    context.close();
    return written ? 0 : fail(error);
}

#include <windows.h>

#include "platform/platform.h"
#include "platform/win32/win32_handles.h"

namespace {

static_assert(sizeof(PIXELFORMATDESCRIPTOR) == 40, "the pixel format request's size field");

// Every field the request does not name stays zero: no minimum of alpha, depth, stencil or
// accumulation bits, the main plane.
PIXELFORMATDESCRIPTOR ToDescriptor(const PixelFormatRequest& request) {
    PIXELFORMATDESCRIPTOR descriptor{};
    descriptor.nSize = sizeof descriptor;  // 40
    descriptor.nVersion = 1;
    descriptor.dwFlags = request.flags;
    descriptor.iPixelType = request.pixelType;
    descriptor.cColorBits = request.colorBits;
    return descriptor;
}

}  // namespace

PlatformDevice PlatformGetDevice(PlatformWindow window) { return reinterpret_cast<PlatformDevice>(GetDC(ToHwnd(window))); }

int32_t PlatformChoosePixelFormat(PlatformDevice device, const PixelFormatRequest& request) {
    const PIXELFORMATDESCRIPTOR descriptor = ToDescriptor(request);
    return ChoosePixelFormat(ToHdc(device), &descriptor);
}

bool PlatformSetPixelFormat(PlatformDevice device, int32_t format, const PixelFormatRequest& request) {
    const PIXELFORMATDESCRIPTOR descriptor = ToDescriptor(request);
    return SetPixelFormat(ToHdc(device), format, &descriptor) != 0;
}

PlatformGlContext PlatformCreateGlContext(PlatformDevice device) {
    return reinterpret_cast<PlatformGlContext>(wglCreateContext(ToHdc(device)));
}

bool PlatformMakeCurrent(PlatformDevice device, PlatformGlContext context) {
    return wglMakeCurrent(ToHdc(device), reinterpret_cast<HGLRC>(context)) != 0;
}

// A window is one drawable, monitors and all.
bool PlatformSelectSurface(PlatformDevice, int32_t) { return true; }

void PlatformSwapBuffers(PlatformDevice device) { SwapBuffers(ToHdc(device)); }

void PlatformReleaseDevice(PlatformWindow window, PlatformDevice device) { ReleaseDC(ToHwnd(window), ToHdc(device)); }

void PlatformDeleteGlContext(PlatformGlContext context) { wglDeleteContext(reinterpret_cast<HGLRC>(context)); }

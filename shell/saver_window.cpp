#include "shell/saver_window.h"

#include "render/renderer.h"
#include "platform/log.h"
#include "platform/messages.h"
#include "platform/start_failures.h"
#include "shell/saver_state.h"
#include "shell/saver_views.h"
#include "shell/session_lock.h"
#include "shell/settings.h"
#include "shell/window_proc.h"

namespace {

constexpr const char* kClassName = "OpenGL";
constexpr const char* kWindowTitle = "SaverWindow";

// Full screen the failure is the user's to read. A preview's host is a settings program
// that goes on without us: a modal box there would outlive it, so the line goes to
// standard error and the blank window stays until the host lets it go.
void ShowError(const char* text) {
    // Under the lock no other window can show.
    if (currentMode == SaverMode::ScreenSaver && !currentLock.active) {
        PlatformMessageBox(text, "Error");
    } else {
        PlatformLogError("%s", text);
    }
}

// Read anew for every frame: any nonzero setting asks for the kaleidoscope.
uint32_t FrameFlags(int32_t useMirrors) { return useMirrors != 0 ? kMirrorFlag : 0; }

constexpr uint32_t kFpsReportMs = 5000;
constexpr uint32_t kIdlePauseMs = 100;
// While the display sleeps, or no surface may be drawn: pauses of a fifth of a second, which
// a message or the display's news ends sooner.
constexpr uint32_t kDarkPauseMs = 200;

// The shared passes once, then the final pass on each monitor, surface by surface. A
// surface the window system holds back (its output dark or hidden, or the last frame not
// yet shown) is left out, and the shared passes are drawn with the first one it lets
// through. False, with nothing drawn, when it holds back every one.
bool DrawFrame(Renderer& renderer, PlatformDevice device, uint32_t flags) {
    int32_t first = 0;
    while (first < renderer.viewCount && !PlatformSelectSurface(device, renderer.views[first].surface)) ++first;
    if (first == renderer.viewCount) return false;
    renderer.beginFrame(flags);
    bool selected = true;
    for (int32_t i = first; i < renderer.viewCount; ++i) {
        if (i > first && renderer.views[i].surface != renderer.views[i - 1].surface) {
            selected = PlatformSelectSurface(device, renderer.views[i].surface);
        }
        if (!selected) continue;
        renderer.drawView(i);
        DrawLockOverlay(renderer, i);
    }
    renderer.endFrame();
    PlatformSwapBuffers(device);
    return true;
}

// Messages first, frames only when none waits. The pause after a frame lasts sleepMs; a
// message that cuts it short (where the platform's pause wakes for one) is answered at once
// and the rest of the pause follows, so input is answered within the frame and the pace
// stays. Without a Renderer it only waits for the window to go.
void RunFrameLoop(PlatformDevice device, bool showFps) {
    uint32_t lastReport = PlatformGetTickCount();
    uint32_t pauseStart = 0;
    uint32_t pauseMs = 0;  // the pause after the last frame, until it has passed
    for (;;) {
        PlatformMessage message;
        if (PlatformPeekMessage(&message)) {
            if (message.message == WM_QUIT) return;
            PlatformTranslateMessage(message);
            PlatformDispatchMessage(message);
            continue;
        }
        if (pauseMs != 0) {
            const uint32_t passed = PlatformGetTickCount() - pauseStart;
            if (passed < pauseMs) {
                PlatformSleep(pauseMs - passed);
                continue;
            }
            pauseMs = 0;
        }
        if (currentRenderer == nullptr) {
            PlatformSleep(kIdlePauseMs);
            continue;
        }
        // A dark screen shows nothing: no frame is worth its cost. Nor is one drawn while the
        // window system holds back every surface; its pause ends when it lets one through.
        if (PlatformIsDisplayOff() || !DrawFrame(*currentRenderer, device, FrameFlags(settings->useMirrors))) {
            PlatformSleep(kDarkPauseMs);
            continue;
        }
        if (showFps && PlatformGetTickCount() - lastReport >= kFpsReportMs) {
            lastReport = PlatformGetTickCount();
            PlatformLogError("%.1f frames per second", static_cast<double>(currentRenderer->measuredFps));
        }
        pauseStart = PlatformGetTickCount();
        pauseMs = static_cast<uint32_t>(currentRenderer->sleepMs);
        PlatformSleep(pauseMs);
    }
}

// Full screen the run ends once the box is read; the box takes the activation from the
// saver's window, whose close rules must not end the run, and the box with it, unread. A
// preview or a host's window keeps its blank child until the host destroys it or stops us:
// a host may take an early end for a crash and start the saver again, over and over.
void FailStart(PlatformDevice device, const char* text) {
    settings->startFailed = 1;
    ShowError(text);
    if (currentMode == SaverMode::ScreenSaver) {
        PlatformSetScreenSaverRunning(false);
    } else {
        RunFrameLoop(device, false);
    }
}

}  // namespace

void RunSaver(PlatformWindow parent, int32_t showCommand) {
    const bool screenSaver = currentMode == SaverMode::ScreenSaver;

    if (!PlatformRegisterClass(kClassName, SaverWindowProc, moduleInstance)) {
        ShowError(kStartFailures.registerClass);
        return;
    }

    int32_t width = 0;
    int32_t height = 0;
    if (screenSaver) {
        parent = 0;
        width = PlatformGetScreenWidth();
        height = PlatformGetScreenHeight();
    } else {
        PlatformRect rect;
        PlatformGetWindowRect(parent, &rect);
        width = rect.right - rect.left;
        height = rect.bottom - rect.top;
    }

    // A preview handle that names no window ends here, without a word.
    saverWindow = PlatformCreateWindow(kClassName, kWindowTitle, !screenSaver, parent, width, height);
    if (saverWindow == 0) return;

    if (screenSaver) PlatformSetScreenSaverRunning(true);

    const PlatformDevice device = PlatformGetDevice(saverWindow);
    PixelFormatRequest request;
    request.flags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    request.pixelType = PFD_TYPE_RGBA;
    request.colorBits = 32;

    // On these failures the window and the device are left to the end of the process.
    const int32_t format = PlatformChoosePixelFormat(device, request);
    if (format == 0) {
        FailStart(device, kStartFailures.choosePixelFormat);
        return;
    }
    if (!PlatformSetPixelFormat(device, format, request)) {
        FailStart(device, kStartFailures.setPixelFormat);
        return;
    }

    // Drawing without a current context would only fail quietly, frame after frame.
    const PlatformGlContext context = PlatformCreateGlContext(device);
    const char* contextFailure = nullptr;
    if (context == 0) {
        contextFailure = kStartFailures.createGlContext;
    } else if (!PlatformMakeCurrent(device, context)) {
        contextFailure = kStartFailures.makeCurrent;
        PlatformDeleteGlContext(context);
    }
    if (contextFailure != nullptr) {
        FailStart(device, contextFailure);
        return;
    }

    // A host's options hold for this run only; nothing of them is stored.
    const RunOptions options = PlatformGetLaunch().options;
    if (options.useMirrors >= 0) settings->useMirrors = options.useMirrors;

    // Copies that a host runs on several monitors start together; each has its own window.
    if (!screenSaver) seedSalt = static_cast<uint32_t>(parent ^ (static_cast<uint64_t>(parent) >> 32));
    currentRenderer = new Renderer(width, height);
    if (options.passCount > 0) currentRenderer->passCount = options.passCount;
    currentRenderer->showFps = options.showFps;
    UpdateSaverViews();
    PlatformShowWindow(saverWindow, showCommand);

    RunFrameLoop(device, options.showFps);

    // The Renderer releases its Scene and textures while the context is still current.
    if (currentRenderer != nullptr) {
        delete currentRenderer;
        currentRenderer = nullptr;
    }
    PlatformMakeCurrent(0, 0);
    PlatformReleaseDevice(saverWindow, device);
    PlatformDeleteGlContext(context);
    if (screenSaver) PlatformSetScreenSaverRunning(false);
}

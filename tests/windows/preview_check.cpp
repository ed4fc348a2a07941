// The preview checked from its host's side. Wine does not put a child GL window on the X
// screen, so the pixels are read inside the process that draws them.
//   preview_check inside        runs the saver's preview in a host window of its own
//   preview_check scr SAVER     starts SAVER /p HOST and destroys the host under it
//   preview_check hold SAVER    starts SAVER /p HOST, says "previewing" once its window is
//                               there, and keeps the host until something ends the process
// Prints one line per finding and exits 0 when all hold.
#include <windows.h>
#include <GL/gl.h>

#include <cstdio>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "render/renderer.h"
#include "shell/saver_state.h"
#include "shell/saver_window.h"
#include "shell/settings.h"

namespace {

constexpr int kHostWidth = 320;
constexpr int kHostHeight = 240;

int failures = 0;

void check(bool ok, const std::string& what) {
    std::printf("%s: %s\n", ok ? "ok" : "FAIL", what.c_str());
    if (!ok) ++failures;
}

HWND createHost() {
    WNDCLASSA host{};
    host.lpfnWndProc = DefWindowProcA;
    host.hInstance = GetModuleHandleA(nullptr);
    host.lpszClassName = "PreviewHost";
    RegisterClassA(&host);
    return CreateWindowExA(0, "PreviewHost", "Preview host", WS_POPUP | WS_VISIBLE, 40, 30, kHostWidth, kHostHeight,
                           nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

bool sameSize(HWND child, HWND host) {
    RECT a{}, b{};
    GetWindowRect(child, &a);
    GetWindowRect(host, &b);
    return a.right - a.left == b.right - b.left && a.bottom - a.top == b.bottom - b.top && a.left == b.left &&
           a.top == b.top;
}

HWND hostWindow = nullptr;
HWND saverChild = nullptr;

// Runs inside the saver's frame loop: draws one more frame with the saver's own Renderer
// and reads it back, then takes the host away.
void CALLBACK InspectPreview(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    saverChild = FindWindowExA(hostWindow, nullptr, "OpenGL", "SaverWindow");
    check(saverChild != nullptr, "the saver's window is a child of the host");
    if (saverChild != nullptr) check(sameSize(saverChild, hostWindow), "the child covers the host");
    check(currentRenderer != nullptr && currentRenderer->width == kHostWidth &&
              currentRenderer->height == kHostHeight,
          "the Renderer has the host's size");
    if (currentRenderer != nullptr) {
        currentRenderer->drawFrame(settings->useMirrors != 0 ? kMirrorFlag : 0);
        std::vector<unsigned char> pixels(static_cast<size_t>(kHostWidth) * kHostHeight * 4);
        glReadBuffer(GL_BACK);
        glReadPixels(0, 0, kHostWidth, kHostHeight, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        // Buttons still fading in light fewer pixels, but always many of many colours.
        size_t lit = 0;
        std::set<uint32_t> colours;
        for (size_t i = 0; i < pixels.size(); i += 4) {
            if (pixels[i] > 24 || pixels[i + 1] > 24 || pixels[i + 2] > 24) ++lit;
            colours.insert(uint32_t{pixels[i]} << 16 | uint32_t{pixels[i + 1]} << 8 | pixels[i + 2]);
        }
        const size_t all = pixels.size() / 4;
        check(lit > all / 100 && lit < all && colours.size() > 100,
              "the preview draws the kaleidoscope (" + std::to_string(lit) + " of " + std::to_string(all) +
                  " pixels lit, " + std::to_string(colours.size()) + " colours)");
    }
    DestroyWindow(hostWindow);
}

int inside() {
    hostWindow = createHost();
    check(hostWindow != nullptr, "host window created");
    if (hostWindow == nullptr) return 1;
    moduleInstance = reinterpret_cast<PlatformInstance>(GetModuleHandleA(nullptr));
    currentMode = SaverMode::Preview;
    settings = new SaverSettings();
    settings->ReadDesktopSettings();
    settings->ReadOwnSettings();
    SetTimer(nullptr, 0, 3000, InspectPreview);
    RunSaver(reinterpret_cast<PlatformWindow>(hostWindow), SW_SHOW);
    check(saverChild != nullptr && !IsWindow(saverChild), "destroying the host ends the run");
    check(currentRenderer == nullptr, "the run released its Renderer");
    delete settings;
    return failures == 0 ? 0 : 1;
}

void pump(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < milliseconds) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
        Sleep(20);
    }
}

bool startPreview(const char* saver, HWND host, PROCESS_INFORMATION& process) {
    std::string command = std::string("\"") + saver + "\" /p " + std::to_string(reinterpret_cast<uintptr_t>(host));
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    std::vector<char> line(command.begin(), command.end());
    line.push_back('\0');
    const bool started =
        CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process);
    if (!started) check(false, "starting " + command);
    return started;
}

HWND waitForChild(HWND host) {
    HWND child = nullptr;
    for (int i = 0; i < 100 && child == nullptr; ++i) {
        pump(100);
        child = FindWindowExA(host, nullptr, "OpenGL", "SaverWindow");
    }
    return child;
}

int hold(const char* saver) {
    HWND host = createHost();
    PROCESS_INFORMATION process{};
    if (host == nullptr || !startPreview(saver, host, process)) return 1;
    if (waitForChild(host) == nullptr) return 1;
    std::printf("previewing\n");
    std::fflush(stdout);
    for (;;) pump(1000);
}

int scr(const char* saver) {
    HWND host = createHost();
    check(host != nullptr, "host window created");
    if (host == nullptr) return 1;
    PROCESS_INFORMATION process{};
    if (!startPreview(saver, host, process)) return 1;
    const HWND child = waitForChild(host);
    check(child != nullptr, "the saver's window is a child of the host");
    if (child != nullptr) check(sameSize(child, host), "the child covers the host");
    pump(1500);
    check(WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT, "the preview keeps running");
    DestroyWindow(host);
    DWORD waited = WAIT_TIMEOUT;
    for (int i = 0; i < 100 && waited == WAIT_TIMEOUT; ++i) {
        pump(100);
        waited = WaitForSingleObject(process.hProcess, 0);
    }
    DWORD exitCode = 1;
    GetExitCodeProcess(process.hProcess, &exitCode);
    check(waited == WAIT_OBJECT_0 && exitCode == 0, "destroying the host ends the saver with exit code 0");
    if (waited != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return failures == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "inside") == 0) return inside();
    if (argc == 3 && std::strcmp(argv[1], "scr") == 0) return scr(argv[2]);
    if (argc == 3 && std::strcmp(argv[1], "hold") == 0) return hold(argv[2]);
    std::fprintf(stderr, "usage: preview_check inside | preview_check scr SAVER | preview_check hold SAVER\n");
    return 2;
}

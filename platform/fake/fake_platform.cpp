#include "platform/fake/fake_platform.h"

#include <cstdio>

#include "platform/default_window_proc.h"
#include "platform/messages.h"
#include "platform/session_lock.h"
#include "platform/windows_command_line.h"

FakePlatform fakePlatform;

void ResetFakePlatform() { fakePlatform = FakePlatform(); }

void FakePlatform::input(uint32_t message, uintptr_t wParam, intptr_t lParam) {
    queue.push_back({window, message, wParam, lParam});
}

intptr_t FakePlatform::deliver(uint32_t message, uintptr_t wParam, intptr_t lParam) {
    return PlatformSendMessage(window, message, wParam, lParam);
}

namespace {

std::string Hex(uintptr_t value) {
    char text[32];
    snprintf(text, sizeof text, "0x%lx", static_cast<unsigned long>(value));
    return text;
}

int32_t PLATFORM_STDCALL FakeVerifyScreenSavePwd(PlatformWindow window) {
    fakePlatform.verifyCalls.push_back(window);
    if (fakePlatform.duringVerify) fakePlatform.duringVerify();
    return fakePlatform.verifyAnswer ? 1 : 0;
}

uint32_t PLATFORM_STDCALL FakePwdChangePassword(const char* provider, PlatformWindow parent, uint32_t,
                                                uint32_t) {
    fakePlatform.note(std::string("PwdChangePasswordA ") + provider);
    fakePlatform.changePasswordParents.push_back(parent);
    return 0;
}

}  // namespace

void PlatformStartProcess(int, char**) {}
PlatformInstance PlatformModuleInstance() { return 0x400000; }
int32_t PlatformStartShowCommand() { return static_cast<int32_t>(SW_SHOWDEFAULT); }
// Read as Windows reads its line, unless the test gives the record itself.
PlatformLaunch PlatformGetLaunch() {
    if (fakePlatform.launch) return *fakePlatform.launch;
    PlatformLaunch launch = ReadWindowsCommandLine(fakePlatform.commandLine.c_str());
    launch.options = fakePlatform.runOptions;
    return launch;
}

PlatformWindow PlatformGetForegroundWindow() {
    fakePlatform.note("GetForegroundWindow");
    return fakePlatform.foregroundWindow;
}

uint32_t PlatformGetTickCount() { return fakePlatform.tick; }

// The clock moves on by the pause, then what the test scripted for the pause happens; a
// script that sets `wokeAfter` has the pause end that early, as input ends a Linux pause.
void PlatformSleep(uint32_t milliseconds) {
    fakePlatform.note("Sleep " + std::to_string(milliseconds));
    fakePlatform.sleeps.push_back(milliseconds);
    fakePlatform.wokeAfter = milliseconds;
    if (fakePlatform.onSleep) fakePlatform.onSleep();
    fakePlatform.tick += fakePlatform.wokeAfter < milliseconds ? fakePlatform.wokeAfter : milliseconds;
}

bool PlatformRegisterClass(const char* className, WindowProcedure procedure, PlatformInstance) {
    fakePlatform.note(std::string("RegisterClass ") + className);
    if (fakePlatform.registerClassFails) return false;
    fakePlatform.procedure = procedure;
    return true;
}

int32_t PlatformGetScreenWidth() { return fakePlatform.screenWidth; }
int32_t PlatformGetScreenHeight() { return fakePlatform.screenHeight; }

int32_t PlatformGetMonitors(PlatformWindow window, PlatformMonitor* monitors, int32_t capacity) {
    if (window == 0 || window != fakePlatform.window || capacity < 1) return 0;
    if (fakePlatform.monitors.empty()) {
        // Cut to the window by the shell, at whatever size the window now has.
        monitors[0].rect = {0, 0, INT16_MAX, INT16_MAX};
        monitors[0].surface = 0;
        return 1;
    }
    int32_t count = 0;
    for (const PlatformMonitor& monitor : fakePlatform.monitors) {
        if (count < capacity) monitors[count] = monitor;
        ++count;
    }
    return count;
}

bool PlatformIsDisplayOff() { return fakePlatform.displayOff; }

bool PlatformGetWindowRect(PlatformWindow window, PlatformRect* rect) {
    if (fakePlatform.hostWindows.count(window) == 0) return false;
    *rect = fakePlatform.hostRect;
    return true;
}

PlatformWindow PlatformCreateWindow(const char* className, const char* title, bool child, PlatformWindow parent,
                                    int32_t width, int32_t height) {
    fakePlatform.note(std::string("CreateWindow ") + className + " " + title + (child ? " child of " : " popup ") +
                      Hex(parent) + " " + std::to_string(width) + "x" + std::to_string(height));
    if (child && fakePlatform.hostWindows.count(parent) == 0) return 0;
    fakePlatform.window = kFakeSaverWindow;
    fakePlatform.createdWindow = kFakeSaverWindow;
    fakePlatform.createdParent = parent;
    fakePlatform.createdWidth = width;
    fakePlatform.createdHeight = height;
    fakePlatform.procedure(kFakeSaverWindow, WM_CREATE, 0, 0);
    return kFakeSaverWindow;
}

void PlatformSetScreenSaverRunning(bool running) {
    fakePlatform.note(running ? "ScreenSaverRunning 1" : "ScreenSaverRunning 0");
    fakePlatform.screenSaverRunning = running;
}

void PlatformShowWindow(PlatformWindow, int32_t showCommand) {
    fakePlatform.note("ShowWindow " + std::to_string(showCommand));
    fakePlatform.shownWith = showCommand;
}

bool PlatformDestroyWindow(PlatformWindow window) {
    if (window == 0 || window != fakePlatform.window) return false;
    fakePlatform.note("DestroyWindow");
    fakePlatform.destroyed.push_back(window);
    fakePlatform.procedure(window, WM_DESTROY, 0, 0);
    fakePlatform.window = 0;
    return true;
}

bool PlatformPeekMessage(PlatformMessage* message) {
    if (!fakePlatform.queue.empty()) {
        *message = fakePlatform.queue.front();
        fakePlatform.queue.pop_front();
        return true;
    }
    if (fakePlatform.quitPosted) {
        fakePlatform.quitPosted = false;
        *message = PlatformMessage{0, WM_QUIT, 0, 0};
        return true;
    }
    return false;
}

void PlatformTranslateMessage(const PlatformMessage&) {}

intptr_t PlatformDispatchMessage(const PlatformMessage& message) {
    if (!AcceptsMessages(message.window, fakePlatform.window)) return 0;
    return fakePlatform.procedure(message.window, message.message, message.wParam, message.lParam);
}

bool PlatformPostMessage(PlatformWindow window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
    fakePlatform.posted.push_back({window, message, wParam, lParam});
    if (!AcceptsMessages(window, fakePlatform.window)) return false;
    fakePlatform.queue.push_back({window, message, wParam, lParam});
    return true;
}

intptr_t PlatformSendMessage(PlatformWindow window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
    if (!AcceptsMessages(window, fakePlatform.window)) return 0;
    return fakePlatform.procedure(window, message, wParam, lParam);
}

intptr_t PlatformDefWindowProc(PlatformWindow window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
    fakePlatform.note("DefWindowProc " + Hex(message));
    return EmulatedDefWindowProc(window, message, wParam, lParam);
}

void PlatformPostQuitMessage(int32_t exitCode) {
    fakePlatform.note("PostQuitMessage " + std::to_string(exitCode));
    fakePlatform.quitPosted = true;
}

PlatformCursor PlatformLoadCursor(uint32_t id) { return id == IDC_ARROW ? kFakeArrowCursor : 0; }

void PlatformSetCursor(PlatformCursor cursor) { fakePlatform.cursorsSet.push_back(cursor); }

bool PlatformGetCursorPos(PlatformPoint* point) {
    *point = fakePlatform.cursor;
    return true;
}

PlatformDevice PlatformGetDevice(PlatformWindow) {
    fakePlatform.note("GetDevice");
    return kFakeDevice;
}

int32_t PlatformChoosePixelFormat(PlatformDevice, const PixelFormatRequest& request) {
    fakePlatform.note("ChoosePixelFormat " + Hex(request.flags) + " " + std::to_string(request.pixelType) +
                      " " + std::to_string(request.colorBits));
    return fakePlatform.pixelFormat;
}

bool PlatformSetPixelFormat(PlatformDevice, int32_t format, const PixelFormatRequest&) {
    fakePlatform.note("SetPixelFormat " + std::to_string(format));
    return !fakePlatform.setPixelFormatFails;
}

PlatformGlContext PlatformCreateGlContext(PlatformDevice) {
    fakePlatform.note("CreateGlContext");
    return fakePlatform.createGlContextFails ? 0 : kFakeContext;
}

bool PlatformMakeCurrent(PlatformDevice device, PlatformGlContext context) {
    fakePlatform.note("MakeCurrent " + Hex(device) + " " + Hex(context));
    if (context != 0 && fakePlatform.makeCurrentFails) return false;
    fakePlatform.currentContext = context;
    return true;
}

bool PlatformSelectSurface(PlatformDevice, int32_t surface) {
    fakePlatform.surfacesSelected.push_back(surface);
    return fakePlatform.surfacesHeldBack.count(surface) == 0;
}
void PlatformSwapBuffers(PlatformDevice) { fakePlatform.note("SwapBuffers"); }
void PlatformReleaseDevice(PlatformWindow, PlatformDevice) { fakePlatform.note("ReleaseDevice"); }

void PlatformDeleteGlContext(PlatformGlContext context) {
    fakePlatform.note("DeleteGlContext " + Hex(context));
}

intptr_t PlatformDialogBox(PlatformInstance, int32_t templateId, const DialogTemplate& dialog,
                           PlatformWindow owner, DialogProcedure procedure) {
    fakePlatform.note("DialogBox " + std::to_string(templateId) + " " + dialog.caption + " " + Hex(owner));
    fakePlatform.dialogResult = 0;
    procedure(kFakeDialog, WM_INITDIALOG, 0, 0);
    if (fakePlatform.dialogScript) fakePlatform.dialogScript(kFakeDialog, procedure);
    return fakePlatform.dialogResult;
}

void PlatformEndDialog(PlatformWindow, intptr_t result) {
    fakePlatform.note("EndDialog " + std::to_string(result));
    fakePlatform.dialogResult = result;
}

void PlatformCheckDlgButton(PlatformWindow, int32_t id, bool checked) { fakePlatform.dialogChecks[id] = checked; }

bool PlatformIsDlgButtonChecked(PlatformWindow, int32_t id) {
    auto found = fakePlatform.dialogChecks.find(id);
    return found != fakePlatform.dialogChecks.end() && found->second;
}

void PlatformMessageBox(const char* text, const char* caption) {
    fakePlatform.note("MessageBox");
    fakePlatform.messageBoxes.push_back(std::string(caption) + ": " + text);
    if (fakePlatform.duringMessageBox) fakePlatform.duringMessageBox();
}

bool PlatformIsNtFamily() { return fakePlatform.ntFamily; }

PlatformLibrary PlatformLoadLibrary(const char* name) {
    fakePlatform.note(std::string("LoadLibrary ") + name);
    return fakePlatform.libraries.count(name) != 0 ? 0x1B : 0;
}

void* PlatformGetProcAddress(PlatformLibrary, const char* name) {
    const std::string entry = name;
    if (entry == "VerifyScreenSavePwd" && fakePlatform.libraries.count("VerifyScreenSavePwd") != 0) {
        return reinterpret_cast<void*>(&FakeVerifyScreenSavePwd);
    }
    if (entry == "PwdChangePasswordA" && fakePlatform.libraries.count("PwdChangePasswordA") != 0) {
        return reinterpret_cast<void*>(&FakePwdChangePassword);
    }
    return nullptr;
}

void PlatformFreeLibrary(PlatformLibrary) { fakePlatform.note("FreeLibrary"); }

// The session lock: the password as its length alone, the check as a count.
void PlatformPasswordAppend(uint32_t) { ++fakePlatform.passwordLength; }
void PlatformPasswordErase() {
    if (fakePlatform.passwordLength > 0) --fakePlatform.passwordLength;
}
void PlatformPasswordClear() { fakePlatform.passwordLength = 0; }
int32_t PlatformPasswordLength() { return fakePlatform.passwordLength; }

bool PlatformStartPasswordCheck() {
    fakePlatform.passwordLength = 0;
    if (!fakePlatform.checkStarts) return false;
    ++fakePlatform.checksStarted;
    return true;
}

bool PlatformUnlockSession(PlatformWindow window) {
    if (window == 0 || window != fakePlatform.window) return false;
    fakePlatform.unlocked.push_back(window);
    fakePlatform.window = 0;
    fakePlatform.procedure(window, WM_DESTROY, 0, 0);
    return true;
}

#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/platform.h"

// The platform layer for unit tests: records what the shell asks for and answers with
// what the test has set. Reset before each test.
struct FakePlatform {
    // Answers the test sets.
    std::string commandLine = "brisalo.scr";
    RunOptions runOptions;
    std::optional<PlatformLaunch> launch;  // in place of reading commandLine
    PlatformWindow foregroundWindow = 0;
    PlatformPoint cursor;
    uint32_t tick = 0;
    bool registerClassFails = false;
    int32_t screenWidth = 1280;
    int32_t screenHeight = 1024;
    // The saver window's monitors; none means one covering the window.
    std::vector<PlatformMonitor> monitors;
    bool displayOff = false;
    std::set<int32_t> surfacesHeldBack;  // surfaces PlatformSelectSurface refuses
    std::set<PlatformWindow> hostWindows;  // windows that a Preview may draw in
    PlatformRect hostRect{0, 0, 152, 112};
    int32_t pixelFormat = 7;  // 0: no format matches
    bool setPixelFormatFails = false;
    bool createGlContextFails = false;
    bool makeCurrentFails = false;  // making a context current; releasing always works
    bool ntFamily = true;
    std::set<std::string> libraries;  // library and entry names that exist
    bool verifyAnswer = true;         // what the password dialog says
    std::function<void()> duringVerify;  // input that arrives while the password dialog is up
    std::function<void()> duringMessageBox;  // what the window system does while a box is up
    // What the user does while the dialog is up; runs after WM_INITDIALOG.
    std::function<void(PlatformWindow dialog, DialogProcedure procedure)> dialogScript;
    // Runs in every pause of the frame loop, where input can arrive. It may set wokeAfter
    // below the pause's length: the pause then ends that many milliseconds in.
    std::function<void()> onSleep;
    uint32_t wokeAfter = 0;

    // What happened, in order.
    std::vector<std::string> journal;
    std::deque<PlatformMessage> queue;
    std::vector<PlatformMessage> posted;
    std::vector<PlatformCursor> cursorsSet;
    std::vector<PlatformWindow> destroyed;
    std::vector<std::string> messageBoxes;  // "caption: text"
    std::vector<uint32_t> sleeps;
    std::vector<int32_t> surfacesSelected;
    std::vector<PlatformWindow> verifyCalls;
    std::vector<PlatformWindow> changePasswordParents;
    std::map<int32_t, bool> dialogChecks;
    intptr_t dialogResult = 0;
    bool quitPosted = false;
    bool screenSaverRunning = false;
    PlatformGlContext currentContext = 0;

    // The session lock: the typed password's length, the checks asked for, the unlocks.
    bool checkStarts = true;
    int32_t passwordLength = 0;
    int32_t checksStarted = 0;
    std::vector<PlatformWindow> unlocked;

    WindowProcedure procedure = nullptr;
    PlatformWindow window = 0;  // the live window, 0 once destroyed
    PlatformWindow createdWindow = 0;
    PlatformWindow createdParent = 0;
    int32_t createdWidth = 0;
    int32_t createdHeight = 0;
    int32_t shownWith = -1;

    void note(const std::string& entry) { journal.push_back(entry); }
    // Queues an input message for the live window, as the window system would.
    void input(uint32_t message, uintptr_t wParam = 0, intptr_t lParam = 0);
    // Delivers a message to the window procedure at once, as a nested call would.
    intptr_t deliver(uint32_t message, uintptr_t wParam = 0, intptr_t lParam = 0);
};

extern FakePlatform fakePlatform;
void ResetFakePlatform();

constexpr PlatformCursor kFakeArrowCursor = 0xA770;
constexpr PlatformWindow kFakeSaverWindow = 0x5A7E;
constexpr PlatformWindow kFakeDialog = 0xD1A;
constexpr PlatformDevice kFakeDevice = 0xDC;
constexpr PlatformGlContext kFakeContext = 0x61C;

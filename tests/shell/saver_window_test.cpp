#include "shell/saver_window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/fake/fake_platform.h"
#include "render/renderer.h"
#include "platform/messages.h"
#include "shell/saver_state.h"
#include "shell/settings.h"
#include "shell/window_proc.h"
#include "tests/shell/fake_renderer.h"

namespace {

constexpr PlatformWindow kHost = 0x777;

class SaverWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetFakePlatform();
        ResetFakeRenderer();
        settings = new SaverSettings();
        currentMode = SaverMode::ScreenSaver;
        saverWindow = 0;
        fakePlatform.hostWindows = {kHost};
        fakePlatform.hostRect = {10, 20, 162, 132};
    }
    void TearDown() override {
        delete settings;
        settings = nullptr;
    }

    // Ends the run after `frames` frames, the way the user would: a key that is no scene key.
    void pressEscapeAfter(size_t frames) {
        fakePlatform.onSleep = [frames] {
            if (fakeRenderer.frameFlags.size() == frames) fakePlatform.input(WM_KEYDOWN, VK_ESCAPE);
        };
    }
    std::vector<std::string> journalWithout(const std::string& prefix) const {
        std::vector<std::string> kept;
        for (const std::string& entry : fakePlatform.journal) {
            if (entry.compare(0, prefix.size(), prefix) != 0) kept.push_back(entry);
        }
        return kept;
    }
};

TEST_F(SaverWindowTest, FullScreenRunFromCreationToTeardown) {
    pressEscapeAfter(2);
    RunSaver(kHost, 10);  // the parent is not used full screen

    const std::vector<std::string> expected = {
        "RegisterClass OpenGL",
        "CreateWindow OpenGL SaverWindow popup 0x0 1280x1024",
        "ScreenSaverRunning 1",
        "GetDevice",
        "ChoosePixelFormat 0x25 0 32",
        "SetPixelFormat 7",
        "CreateGlContext",
        "MakeCurrent 0xdc 0x61c",
        "Renderer 1280x1024 context 1564",
        "ShowWindow 10",
        "drawFrame 65536",
        "SwapBuffers",
        "Sleep 74",
        "drawFrame 65536",
        "SwapBuffers",
        "Sleep 74",
        "DestroyWindow",
        "PostQuitMessage 0",
        "~Renderer context 1564",
        "MakeCurrent 0x0 0x0",
        "ReleaseDevice",
        "DeleteGlContext 0x61c",
        "ScreenSaverRunning 0",
    };
    EXPECT_EQ(journalWithout("DefWindowProc"), expected);
    EXPECT_EQ(saverWindow, kFakeSaverWindow);
    EXPECT_EQ(settings->window, kFakeSaverWindow);
    EXPECT_EQ(currentRenderer, nullptr);
    EXPECT_EQ(fakeRenderer.constructedSalt, 0u) << "full screen keeps the calendar's seed";
}

TEST_F(SaverWindowTest, PreviewFillsItsHostAndEndsWhenTheHostDestroysIt) {
    currentMode = SaverMode::Preview;
    fakePlatform.onSleep = [] {
        if (fakeRenderer.frameFlags.size() == 1) {
            fakePlatform.input(WM_KEYDOWN, VK_ESCAPE);  // no close rule in a preview
            fakePlatform.input(WM_LBUTTONDOWN, MK_LBUTTON);
        }
        if (fakeRenderer.frameFlags.size() == 3) PlatformDestroyWindow(fakePlatform.window);
    };
    RunSaver(kHost, 5);
    EXPECT_EQ(fakePlatform.createdParent, kHost);
    EXPECT_EQ(fakePlatform.createdWidth, 152);
    EXPECT_EQ(fakePlatform.createdHeight, 112);
    EXPECT_EQ(fakeRenderer.constructedWidth, 152);
    EXPECT_EQ(fakeRenderer.constructedHeight, 112);
    EXPECT_EQ(fakePlatform.shownWith, 5);
    EXPECT_EQ(fakeRenderer.frameFlags.size(), 3u);
    // Copies in two hosts' windows started in one second must not share their faces.
    EXPECT_EQ(fakeRenderer.constructedSalt, static_cast<uint32_t>(kHost));
    for (const std::string& entry : fakePlatform.journal) EXPECT_EQ(entry.find("ScreenSaverRunning"), std::string::npos);
    EXPECT_EQ(fakePlatform.journal.back(), "DeleteGlContext 0x61c");
}

TEST_F(SaverWindowTest, PictureFollowsTheWindowsSize) {
    currentMode = SaverMode::Preview;
    fakePlatform.onSleep = [] {
        const size_t frames = fakeRenderer.frameFlags.size();
        if (frames == 1) fakePlatform.input(WM_SIZE, 0, (480 << 16) | 640);
        if (frames == 2) fakePlatform.input(WM_SIZE, 0, 0);  // minimised: nothing to fill
        if (frames == 3) PlatformDestroyWindow(fakePlatform.window);
    };
    RunSaver(kHost, 10);
    std::vector<std::string> sizes;
    for (const std::string& entry : fakePlatform.journal) {
        if (entry.rfind("resize", 0) == 0 || entry.rfind("drawFrame", 0) == 0) sizes.push_back(entry);
    }
    EXPECT_EQ(sizes, (std::vector<std::string>{"drawFrame 65536", "resize 640x480", "drawFrame 65536",
                                               "drawFrame 65536"}));
    // A size that arrives before the Renderer exists is the set-up's own.
    EXPECT_EQ(SaverWindowProc(kFakeSaverWindow, WM_SIZE, 0, (10 << 16) | 10), 0);
}

// Each monitor is a view in GL's coordinates, which count rows from the bottom; a layout
// change is followed at once.
TEST_F(SaverWindowTest, EveryMonitorBecomesAViewOfTheOnePicture) {
    fakePlatform.screenWidth = 2000;
    fakePlatform.screenHeight = 1280;
    fakePlatform.monitors = {{{0, 0, 720, 1280}, 0}, {{720, 0, 2000, 720}, 0}, {{1990, 700, 2600, 900}, 0}};
    fakePlatform.onSleep = [] {
        const size_t frames = fakeRenderer.frameFlags.size();
        if (frames == 1) {
            const RenderView* views = &currentRenderer->views[0];
            ASSERT_EQ(currentRenderer->viewCount, 3);
            EXPECT_EQ((std::vector<int32_t>{views[0].x, views[0].y, views[0].width, views[0].height}),
                      (std::vector<int32_t>{0, 0, 720, 1280}));
            EXPECT_EQ((std::vector<int32_t>{views[1].x, views[1].y, views[1].width, views[1].height}),
                      (std::vector<int32_t>{720, 560, 1280, 720}));
            // Cut to the window: a monitor reaching past it keeps only its part inside.
            EXPECT_EQ((std::vector<int32_t>{views[2].x, views[2].y, views[2].width, views[2].height}),
                      (std::vector<int32_t>{1990, 380, 10, 200}));
            fakePlatform.monitors = {{{0, 0, 1000, 1280}, 0}};
            fakePlatform.input(WM_DISPLAYCHANGE);
        }
        if (frames == 2) {
            // A wall of twenty: every one of them shows the picture.
            fakePlatform.monitors.clear();
            for (int32_t i = 0; i < 20; ++i) {
                const int32_t x = i % 5 * 400, y = i / 5 * 320;
                fakePlatform.monitors.push_back({{x, y, x + 400, y + 320}, 0});
            }
            fakePlatform.input(WM_DISPLAYCHANGE);
        }
        if (frames == 3) fakePlatform.input(WM_KEYDOWN, VK_ESCAPE);
    };
    RunSaver(0, 10);
    std::vector<int32_t> drawn{0, 1, 2, 0};
    for (int32_t i = 0; i < 20; ++i) drawn.push_back(i);
    EXPECT_EQ(fakeRenderer.viewsDrawn, drawn);
}

// While the display sleeps no frame is drawn, the loop wakes a few times a second for
// messages, and the first look after the display wakes draws again.
TEST_F(SaverWindowTest, ADarkDisplayGetsNoFrames) {
    fakePlatform.displayOff = true;
    size_t darkPauses = 0;
    fakePlatform.onSleep = [&darkPauses] {
        if (fakePlatform.displayOff) {
            EXPECT_TRUE(fakeRenderer.frameFlags.empty());
            if (++darkPauses == 10) fakePlatform.displayOff = false;
        } else if (fakeRenderer.frameFlags.size() == 1) {
            fakePlatform.input(WM_KEYDOWN, VK_ESCAPE);
        }
    };
    RunSaver(0, 10);
    ASSERT_EQ(fakePlatform.sleeps.size(), 11u);
    for (size_t i = 0; i < 10; ++i) EXPECT_GE(fakePlatform.sleeps[i], 200u);
    EXPECT_EQ(fakePlatform.sleeps[10], 74u) << "frames resume with the first look";
    EXPECT_EQ(fakeRenderer.frameFlags.size(), 1u);
}

// A surface the window system holds back (an output that is off, hidden, or still showing
// the last frame) is left out: the shared passes go to the first one it lets through. While
// it holds back every one there is no frame and no swap, only the dark display's pauses.
TEST_F(SaverWindowTest, HeldBackSurfacesAreLeftOutOfTheFrame) {
    fakePlatform.monitors = {{{0, 0, 640, 480}, 0}, {{0, 0, 800, 600}, 1}, {{0, 0, 640, 480}, 2}};
    fakePlatform.surfacesHeldBack = {0};
    size_t heldPauses = 0;
    fakeRenderer.onFrame = [] { EXPECT_EQ(fakePlatform.surfacesSelected.back(), 1) << "the passes' surface"; };
    fakePlatform.onSleep = [&heldPauses] {
        const size_t frames = fakeRenderer.frameFlags.size();
        if (frames == 1 && fakePlatform.surfacesHeldBack.size() == 1) {
            fakePlatform.surfacesHeldBack = {0, 1, 2};
        } else if (frames == 1 && ++heldPauses == 3) {
            fakePlatform.surfacesHeldBack = {0, 2};
        } else if (frames == 2) {
            fakePlatform.input(WM_KEYDOWN, VK_ESCAPE);
        }
    };
    RunSaver(0, 10);
    EXPECT_EQ(fakeRenderer.viewsDrawn, (std::vector<int32_t>{1, 2, 1}));
    EXPECT_EQ(fakePlatform.sleeps, (std::vector<uint32_t>{74, 200, 200, 200, 74}));
    EXPECT_EQ(std::count(fakePlatform.journal.begin(), fakePlatform.journal.end(), "SwapBuffers"), 2);
}

TEST_F(SaverWindowTest, HostOptionsHoldForTheRunOnly) {
    currentMode = SaverMode::Preview;
    settings->useMirrors = 1;
    fakePlatform.runOptions.useMirrors = 0;
    fakePlatform.runOptions.passCount = 5;
    fakePlatform.runOptions.showFps = true;
    fakeRenderer.onFrame = [] {
        EXPECT_EQ(currentRenderer->passCount, 5);
        currentRenderer->measuredFps = 23.96f;
        fakePlatform.tick += 1000;
    };
    fakePlatform.onSleep = [] {
        if (fakeRenderer.frameFlags.size() == 12) PlatformDestroyWindow(fakePlatform.window);
    };
    testing::internal::CaptureStderr();
    RunSaver(kHost, 10);
    const std::string logged = testing::internal::GetCapturedStderr();
    EXPECT_EQ(fakeRenderer.frameFlags, std::vector<uint32_t>(12, 0u)) << "mirrors off, whatever the setting";
    EXPECT_EQ(logged, "brisalo: 24.0 frames per second\nbrisalo: 24.0 frames per second\n") << "every 5 s";
}

TEST_F(SaverWindowTest, WaitingMessagesAreAllHandledBeforeTheNextFrame) {
    currentMode = SaverMode::Preview;
    fakePlatform.onSleep = [] {
        for (int i = 0; i < 5; ++i) fakePlatform.input(WM_MOUSEMOVE);
        if (fakeRenderer.frameFlags.size() == 4) PlatformDestroyWindow(fakePlatform.window);
    };
    fakeRenderer.onFrame = [] { EXPECT_TRUE(fakePlatform.queue.empty()); };
    RunSaver(kHost, 10);
    EXPECT_EQ(fakeRenderer.frameFlags.size(), 4u);
}

// Input that ends a pause early is answered at once; the rest of the pause follows, so the
// pace stays that of sleepMs.
TEST_F(SaverWindowTest, InputCutsThePauseShortAndTheRestOfThePauseFollows) {
    size_t keysDuringFirstPause = 0;
    fakePlatform.onSleep = [&keysDuringFirstPause] {
        if (fakePlatform.sleeps.size() == 1) {
            fakePlatform.input(WM_KEYDOWN, VK_SPACE);  // a scene key: the run goes on
            fakePlatform.wokeAfter = 10;
        }
        if (fakePlatform.sleeps.size() == 2) keysDuringFirstPause = fakeRenderer.keys.size();
        if (fakeRenderer.frameFlags.size() == 2) fakePlatform.input(WM_KEYDOWN, VK_ESCAPE);
    };
    RunSaver(0, 10);
    EXPECT_EQ(keysDuringFirstPause, 1u) << "answered before the rest of the pause";
    EXPECT_EQ(fakePlatform.sleeps, (std::vector<uint32_t>{74, 64, 74}));
    EXPECT_EQ(fakeRenderer.frameFlags.size(), 2u);
}

TEST_F(SaverWindowTest, MirrorFlagIsReadForEveryFrameAndThePauseAfterIt) {
    settings->useMirrors = 0;
    fakeRenderer.onFrame = [] {
        const size_t frame = fakeRenderer.frameFlags.size();
        if (frame == 1) settings->useMirrors = 7;
        if (frame == 2) currentRenderer->sleepMs = 31;  // the frame clock adapts it while drawing
        if (frame == 3) settings->useMirrors = 0;
    };
    pressEscapeAfter(4);
    RunSaver(0, 10);
    EXPECT_EQ(fakeRenderer.frameFlags, (std::vector<uint32_t>{0, kMirrorFlag, kMirrorFlag, 0}));
    EXPECT_EQ(fakePlatform.sleeps, (std::vector<uint32_t>{74, 31, 31, 31})) << "the pause is read after the draw";
}

TEST_F(SaverWindowTest, ClassRegistrationFailureShowsItsMessageAndCreatesNothing) {
    fakePlatform.registerClassFails = true;
    RunSaver(0, 10);
    EXPECT_EQ(fakePlatform.messageBoxes,
              std::vector<std::string>{"Error: RegisterClass() failed:  Cannot register window class."});
    EXPECT_EQ(fakePlatform.journal, (std::vector<std::string>{"RegisterClass OpenGL", "MessageBox"}));
}

// Full screen a failure is a box; in a preview it is one line on standard error, since a
// box would outlive the settings program that hosts the preview.
TEST_F(SaverWindowTest, StartUpFailuresAreShownAndDrawNoFrame) {
    struct Failure {
        int32_t format;
        bool setFails;
        bool createFails;
        bool makeCurrentFails;
        const char* message;
    };
    const Failure failures[] = {
        {0, false, false, false, "ChoosePixelFormat() failed:  Cannot find a suitable pixel format."},
        {7, true, false, false, "SetPixelFormat() failed:  Cannot set format specified."},
        {7, false, true, false, "wglCreateContext() failed:  Cannot create an OpenGL rendering context."},
        {7, false, false, true, "wglMakeCurrent() failed:  Cannot make the OpenGL rendering context current."},
    };
    for (const Failure& failure : failures) {
        for (SaverMode mode : {SaverMode::ScreenSaver, SaverMode::Preview}) {
            TearDown();
            SetUp();
            currentMode = mode;
            fakePlatform.pixelFormat = failure.format;
            fakePlatform.setPixelFormatFails = failure.setFails;
            fakePlatform.createGlContextFails = failure.createFails;
            fakePlatform.makeCurrentFails = failure.makeCurrentFails;
            // A preview waits for its host to go; this host goes after a few pauses.
            int pauses = 0;
            fakePlatform.onSleep = [&pauses] {
                if (++pauses == 3) PlatformDestroyWindow(fakePlatform.window);
            };
            // The box takes the activation, and the user may touch the mouse before reading it.
            fakePlatform.duringMessageBox = [] {
                fakePlatform.deliver(WM_ACTIVATE, 0);
                fakePlatform.deliver(WM_NCACTIVATE, 0);
                fakePlatform.deliver(WM_KEYDOWN, 'A');
            };
            testing::internal::CaptureStderr();
            RunSaver(kHost, 10);
            const std::string logged = testing::internal::GetCapturedStderr();
            const bool fullScreen = mode == SaverMode::ScreenSaver;
            SCOPED_TRACE(std::string(failure.message) + (fullScreen ? " full screen" : " in a preview"));
            if (fullScreen) {
                EXPECT_EQ(fakePlatform.messageBoxes, std::vector<std::string>{std::string("Error: ") + failure.message});
                EXPECT_EQ(logged, "");
                EXPECT_EQ(fakePlatform.journal.back(), "ScreenSaverRunning 0");
                EXPECT_EQ(pauses, 0);
                EXPECT_EQ(fakePlatform.destroyed.size(), 0u) << "the window is left to the end of the process";
                EXPECT_FALSE(settings->closeRequested) << "only the box's OK ends the run";
            } else {
                EXPECT_TRUE(fakePlatform.messageBoxes.empty());
                EXPECT_EQ(logged, std::string("brisalo: ") + failure.message + "\n");
                EXPECT_EQ(pauses, 3) << "the run lasts until the host goes";
            }
            EXPECT_EQ(fakeRenderer.constructedWidth, 0) << "no Renderer";
            EXPECT_TRUE(fakeRenderer.frameFlags.empty());
            EXPECT_FALSE(fakePlatform.screenSaverRunning);
            const int contexts = static_cast<int>(std::count(fakePlatform.journal.begin(), fakePlatform.journal.end(),
                                                             std::string("CreateGlContext")));
            const int deleted = static_cast<int>(std::count(fakePlatform.journal.begin(), fakePlatform.journal.end(),
                                                            std::string("DeleteGlContext 0x61c")));
            EXPECT_EQ(deleted, failure.makeCurrentFails ? 1 : 0) << "a context that was made is deleted";
            EXPECT_EQ(contexts, failure.format != 0 && !failure.setFails ? 1 : 0);
        }
    }
}

TEST_F(SaverWindowTest, PreviewOfAWindowThatDoesNotExistEndsSilently) {
    currentMode = SaverMode::Preview;
    for (PlatformWindow host : {PlatformWindow{0x999}, PlatformWindow{0}}) {
        fakePlatform.journal.clear();
        RunSaver(host, 10);
        EXPECT_TRUE(fakePlatform.messageBoxes.empty());
        EXPECT_EQ(saverWindow, 0u);
        EXPECT_EQ(fakePlatform.journal.back(), "CreateWindow OpenGL SaverWindow child of " +
                                                   (host == 0 ? std::string("0x0") : std::string("0x999")) + " 0x0");
        EXPECT_EQ(fakeRenderer.constructedWidth, 0);
    }
}

}  // namespace

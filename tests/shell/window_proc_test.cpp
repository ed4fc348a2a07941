#include "shell/window_proc.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "platform/fake/fake_platform.h"
#include "render/renderer.h"
#include "platform/messages.h"
#include "shell/saver_state.h"
#include "shell/settings.h"
#include "tests/shell/fake_renderer.h"

namespace {

constexpr PlatformWindow kWindow = kFakeSaverWindow;

class WindowProcTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetFakePlatform();
        ResetFakeRenderer();
        settings = new SaverSettings();
        currentMode = SaverMode::ScreenSaver;
        currentRenderer = &renderer;
        fakePlatform.procedure = SaverWindowProc;
        fakePlatform.window = kWindow;
        fakePlatform.cursor = {500, 400};
        fakePlatform.tick = 100000;
        SaverWindowProc(kWindow, WM_CREATE, 0, 0);
    }
    void TearDown() override {
        currentRenderer = nullptr;
        delete settings;
        settings = nullptr;
    }

    intptr_t send(uint32_t message, uintptr_t wParam = 0, intptr_t lParam = 0) {
        return SaverWindowProc(kWindow, message, wParam, lParam);
    }
    // The frame loop's part: hands every queued message to the window procedure.
    void runQueue() {
        PlatformMessage message;
        while (PlatformPeekMessage(&message)) {
            if (message.message != WM_QUIT) PlatformDispatchMessage(message);
        }
    }
    size_t closesPosted() const {
        return static_cast<size_t>(std::count_if(fakePlatform.posted.begin(), fakePlatform.posted.end(),
                                                 [](const PlatformMessage& m) { return m.message == WM_CLOSE; }));
    }
    bool journaled(const std::string& entry) const {
        return std::find(fakePlatform.journal.begin(), fakePlatform.journal.end(), entry) != fakePlatform.journal.end();
    }
    bool defaulted(uint32_t message) const {
        char entry[40];
        snprintf(entry, sizeof entry, "DefWindowProc 0x%x", message);
        return journaled(entry);
    }
    bool alive() const { return fakePlatform.window == kWindow; }
    void moveCursorTo(int32_t x, int32_t y) {
        fakePlatform.cursor = {x, y};
        send(WM_MOUSEMOVE, 0, 0x7FFF7FFF);  // the position in lParam is not the one used
    }
    // A Windows 95 family system whose password dialog answers `answer`.
    void useSaverPassword(bool answer) {
        fakePlatform.ntFamily = false;
        fakePlatform.libraries = {"PASSWORD.CPL", "VerifyScreenSavePwd"};
        fakePlatform.verifyAnswer = answer;
    }

    Renderer renderer;  // not set up: the fake's handleKey never touches a Scene
};

TEST_F(WindowProcTest, CreationRecordsWindowCursorAndStartThenDefaults) {
    EXPECT_EQ(settings->window, kWindow);
    EXPECT_EQ(settings->cursorOrigin.x, 500);
    EXPECT_EQ(settings->cursorOrigin.y, 400);
    EXPECT_EQ(settings->startTick, 100000u);
    EXPECT_TRUE(defaulted(WM_CREATE));
}

TEST_F(WindowProcTest, DestructionPostsQuitInBothModes) {
    for (SaverMode mode : {SaverMode::ScreenSaver, SaverMode::Preview}) {
        currentMode = mode;
        fakePlatform.quitPosted = false;
        send(WM_DESTROY);
        EXPECT_TRUE(fakePlatform.quitPosted);
    }
    EXPECT_TRUE(journaled("PostQuitMessage 0"));
    EXPECT_TRUE(defaulted(WM_DESTROY));
}

TEST_F(WindowProcTest, DeactivationRequestsCloseOnlyWhenTheSaverIsActive) {
    for (uint32_t message : {WM_ACTIVATE, WM_ACTIVATEAPP, WM_NCACTIVATE}) {
        SCOPED_TRACE(message);
        fakePlatform.posted.clear();
        send(message, 1);           // activation does nothing
        EXPECT_EQ(closesPosted(), 0u);
        send(message, 0x20000);     // only the low word tells
        EXPECT_EQ(closesPosted(), 1u);
        EXPECT_EQ(fakePlatform.posted.back().window, kWindow);
        EXPECT_TRUE(settings->closeRequested);
        EXPECT_TRUE(defaulted(message));

        currentMode = SaverMode::Preview;
        send(message, 0);
        currentMode = SaverMode::ScreenSaver;
        settings->passwordDialogUp = 1;
        send(message, 0);
        settings->passwordDialogUp = 0;
        EXPECT_EQ(closesPosted(), 1u);
    }
}

TEST_F(WindowProcTest, CursorIsHiddenOnlyWhileTheSaverIsActive) {
    send(WM_SETCURSOR);
    settings->passwordDialogUp = 1;
    send(WM_SETCURSOR);
    settings->passwordDialogUp = 0;
    currentMode = SaverMode::Preview;
    send(WM_SETCURSOR);
    EXPECT_EQ(fakePlatform.cursorsSet, (std::vector<PlatformCursor>{0, kFakeArrowCursor, kFakeArrowCursor}));
    EXPECT_TRUE(defaulted(WM_SETCURSOR));
}

TEST_F(WindowProcTest, KeysTheSceneTakesKeepTheSaverRunning) {
    std::vector<uint32_t> kept = {VK_SPACE, VK_LEFT, VK_UP, VK_RIGHT, VK_DOWN, 'M', 'S'};
    for (uint32_t digit = '0'; digit <= '9'; ++digit) kept.push_back(digit);
    for (uint32_t key : kept) send(WM_KEYDOWN, key);
    send(WM_KEYDOWN, VK_SPACE);  // an auto-repeat is offered again
    kept.push_back(VK_SPACE);
    EXPECT_EQ(fakeRenderer.keys, kept);
    EXPECT_EQ(closesPosted(), 0u);
    EXPECT_FALSE(settings->closeRequested);
    EXPECT_TRUE(defaulted(WM_KEYDOWN));
}

TEST_F(WindowProcTest, EveryOtherKeyAndEveryClickRequestsAClose) {
    const std::vector<std::pair<uint32_t, uintptr_t>> inputs = {
        {WM_KEYDOWN, VK_ESCAPE},      {WM_KEYDOWN, VK_RETURN},
        {WM_KEYDOWN, 'G'},            {WM_KEYDOWN, 0xFF},
        {WM_LBUTTONDOWN, MK_LBUTTON}, {WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT | MK_CONTROL},
        {WM_RBUTTONDOWN, MK_RBUTTON}, {WM_MBUTTONDOWN, MK_MBUTTON}};
    for (const auto& input : inputs) send(input.first, input.second);
    std::vector<uint32_t> offered;
    for (const auto& input : inputs) offered.push_back(static_cast<uint32_t>(input.second));
    EXPECT_EQ(fakeRenderer.keys, offered);
    EXPECT_EQ(closesPosted(), inputs.size());
    EXPECT_TRUE(settings->closeRequested);
}

TEST_F(WindowProcTest, WithoutARendererEveryKeyCloses) {
    currentRenderer = nullptr;
    send(WM_KEYDOWN, VK_SPACE);
    send(WM_KEYDOWN, '5');
    EXPECT_EQ(closesPosted(), 2u);
}

TEST_F(WindowProcTest, InputIsNotOfferedInPreviewNorWhileThePasswordDialogIsUp) {
    currentMode = SaverMode::Preview;
    send(WM_KEYDOWN, VK_ESCAPE);
    send(WM_LBUTTONDOWN, MK_LBUTTON);
    moveCursorTo(900, 900);
    currentMode = SaverMode::ScreenSaver;
    settings->passwordDialogUp = 1;
    send(WM_KEYDOWN, VK_ESCAPE);
    send(WM_RBUTTONDOWN, MK_RBUTTON);
    moveCursorTo(0, 0);
    EXPECT_TRUE(fakeRenderer.keys.empty());
    EXPECT_EQ(closesPosted(), 0u);
}

TEST_F(WindowProcTest, SystemKeysAreNeitherOfferedNorACloseRule) {
    send(WM_SYSKEYDOWN, VK_MENU);
    send(WM_SYSKEYDOWN, VK_F10);
    send(WM_SYSKEYDOWN, 'X');
    EXPECT_TRUE(fakeRenderer.keys.empty());
    EXPECT_EQ(closesPosted(), 0u);
    EXPECT_TRUE(defaulted(WM_SYSKEYDOWN));
}

// The X11 layer shares the fake's default procedure and queue rules, so these hold there too.
TEST_F(WindowProcTest, AltF4ClosesOnlyThePreviewAndPostsReachOnlyTheSaverWindow) {
    constexpr intptr_t kAltDown = intptr_t{1} << 29;
    send(WM_SYSKEYDOWN, VK_F4, kAltDown);
    EXPECT_TRUE(alive());
    EXPECT_FALSE(PlatformPostMessage(kWindow + 1, WM_CLOSE, 0, 0));
    runQueue();
    EXPECT_TRUE(alive());

    currentMode = SaverMode::Preview;
    send(WM_SYSKEYDOWN, VK_F4);
    EXPECT_TRUE(alive());
    send(WM_SYSKEYDOWN, VK_F4, kAltDown);
    EXPECT_FALSE(alive());
}

TEST_F(WindowProcTest, ScreenSaveAndCloseCommandsAreSwallowedOnlyFullScreen) {
    EXPECT_EQ(send(WM_SYSCOMMAND, SC_SCREENSAVE), 0);
    EXPECT_EQ(send(WM_SYSCOMMAND, SC_CLOSE), 0);
    EXPECT_FALSE(defaulted(WM_SYSCOMMAND));
    send(WM_SYSCOMMAND, SC_CLOSE | 2);  // compared whole, not masked
    EXPECT_TRUE(defaulted(WM_SYSCOMMAND));

    fakePlatform.journal.clear();
    currentMode = SaverMode::Preview;
    send(WM_SYSCOMMAND, SC_SCREENSAVE);
    EXPECT_TRUE(defaulted(WM_SYSCOMMAND));
}

TEST_F(WindowProcTest, MouseMovesUpToTheThresholdPerAxisStay) {
    moveCursorTo(550, 400);
    moveCursorTo(450, 400);
    moveCursorTo(500, 350);
    moveCursorTo(500, 450);
    moveCursorTo(540, 440);  // a diagonal counts by its larger leg
    moveCursorTo(500, 400);
    EXPECT_EQ(closesPosted(), 0u);
    EXPECT_TRUE(defaulted(WM_MOUSEMOVE));
}

TEST_F(WindowProcTest, OnePixelBeyondTheThresholdCloses) {
    for (PlatformPoint to : {PlatformPoint{551, 400}, PlatformPoint{449, 400}, PlatformPoint{500, 451},
                             PlatformPoint{500, 349}}) {
        fakePlatform.posted.clear();
        moveCursorTo(to.x, to.y);
        EXPECT_EQ(closesPosted(), 1u) << to.x << "," << to.y;
    }
}

TEST_F(WindowProcTest, SmallMovesAddUpFromTheOrigin) {
    for (int32_t x = 505; x <= 550; x += 5) moveCursorTo(x, 400);
    EXPECT_EQ(closesPosted(), 0u);
    moveCursorTo(555, 400);
    EXPECT_EQ(closesPosted(), 1u);
}

TEST_F(WindowProcTest, ZeroAndNegativeThresholds) {
    settings->mouseThreshold = 0;
    moveCursorTo(500, 400);
    EXPECT_EQ(closesPosted(), 0u);
    moveCursorTo(501, 400);
    EXPECT_EQ(closesPosted(), 1u);

    settings->mouseThreshold = -1;
    moveCursorTo(500, 400);  // no movement at all
    EXPECT_EQ(closesPosted(), 2u);
}

TEST_F(WindowProcTest, CloseBeforeAnyInputIsIgnored) {
    EXPECT_EQ(send(WM_CLOSE), 0);
    EXPECT_TRUE(alive());
    EXPECT_FALSE(defaulted(WM_CLOSE));
}

TEST_F(WindowProcTest, RequestedCloseWithinTheDelayDestroysWithoutPassword) {
    useSaverPassword(false);
    fakePlatform.tick = 100000 + 15000;  // exactly the delay
    send(WM_KEYDOWN, VK_ESCAPE);
    runQueue();
    EXPECT_FALSE(alive());
    EXPECT_TRUE(fakePlatform.verifyCalls.empty());
    EXPECT_FALSE(journaled("LoadLibrary PASSWORD.CPL"));
    EXPECT_TRUE(fakePlatform.quitPosted || journaled("PostQuitMessage 0"));
}

TEST_F(WindowProcTest, AfterTheDelayThePasswordIsAskedFirst) {
    useSaverPassword(true);
    fakePlatform.tick = 100000 + 15001;
    send(WM_LBUTTONDOWN, MK_LBUTTON);
    runQueue();
    EXPECT_EQ(fakePlatform.verifyCalls, std::vector<PlatformWindow>{kWindow});
    EXPECT_FALSE(alive());
    // The arrow shows for the dialog; the library is loaded and released around it.
    EXPECT_EQ(fakePlatform.cursorsSet, (std::vector<PlatformCursor>{kFakeArrowCursor, 0}));
    EXPECT_TRUE(journaled("FreeLibrary"));
}

TEST_F(WindowProcTest, RefusedPasswordKeepsRunningAndAsksAgain) {
    useSaverPassword(false);
    fakePlatform.tick = 200000;
    fakePlatform.duringVerify = [this] {
        EXPECT_TRUE(settings->passwordDialogUp);
        fakePlatform.cursor = {10, 20};  // the user moved the mouse to type
        send(WM_KEYDOWN, VK_ESCAPE);     // nothing counts while the dialog is up
        send(WM_CLOSE);
    };
    send(WM_KEYDOWN, 'Q');
    runQueue();
    EXPECT_TRUE(alive());
    EXPECT_EQ(fakePlatform.verifyCalls.size(), 1u);
    EXPECT_EQ(closesPosted(), 1u);
    EXPECT_FALSE(settings->passwordDialogUp);
    EXPECT_TRUE(settings->closeRequested);
    EXPECT_EQ(settings->startTick, 100000u);
    EXPECT_EQ(settings->cursorOrigin.x, 10);
    EXPECT_EQ(settings->cursorOrigin.y, 20);
    EXPECT_EQ(fakePlatform.cursorsSet, (std::vector<PlatformCursor>{kFakeArrowCursor, 0}));

    // Resting at the new origin stays; any close, whoever sends it, asks again.
    fakePlatform.duringVerify = nullptr;
    moveCursorTo(10, 20);
    EXPECT_EQ(closesPosted(), 1u);
    fakePlatform.verifyAnswer = true;
    send(WM_CLOSE);
    EXPECT_EQ(fakePlatform.verifyCalls.size(), 2u);
    EXPECT_FALSE(alive());
}

TEST_F(WindowProcTest, WithoutASaverPasswordTheFirstRequestCloses) {
    fakePlatform.tick = 100000 + 3600000;
    // The NT family (and Linux) has no per-saver password.
    send(WM_KEYDOWN, VK_ESCAPE);
    runQueue();
    EXPECT_FALSE(alive());
    EXPECT_FALSE(journaled("LoadLibrary PASSWORD.CPL"));

    // A Windows 95 system without the library, or without its entry, lets it close too.
    for (const std::set<std::string>& present : {std::set<std::string>{}, std::set<std::string>{"PASSWORD.CPL"}}) {
        TearDown();
        SetUp();
        fakePlatform.ntFamily = false;
        fakePlatform.libraries = present;
        fakePlatform.tick = 100000 + 3600000;
        send(WM_KEYDOWN, VK_ESCAPE);
        runQueue();
        EXPECT_FALSE(alive());
        EXPECT_TRUE(journaled("LoadLibrary PASSWORD.CPL"));
        EXPECT_EQ(journaled("FreeLibrary"), !present.empty());
        EXPECT_TRUE(fakePlatform.verifyCalls.empty());
    }
}

TEST_F(WindowProcTest, ElapsedTimeIsRightAcrossTheTickWrap) {
    useSaverPassword(false);
    fakePlatform.tick = 0xFFFFF000u;
    SaverWindowProc(kWindow, WM_CREATE, 0, 0);
    fakePlatform.tick = 0x00000800u;  // 0x1800 ms later
    send(WM_KEYDOWN, VK_ESCAPE);
    runQueue();
    EXPECT_FALSE(alive());
    EXPECT_TRUE(fakePlatform.verifyCalls.empty());
}

TEST_F(WindowProcTest, PreviewClosesThroughTheDefaultHandling) {
    currentMode = SaverMode::Preview;
    send(WM_CLOSE);
    EXPECT_TRUE(defaulted(WM_CLOSE));
    EXPECT_FALSE(alive());
}

TEST_F(WindowProcTest, OtherMessagesGoToTheDefaultHandling) {
    send(0x000F);  // WM_PAINT
    EXPECT_TRUE(defaulted(0x000F));
}

}  // namespace

#include "shell/session_lock.h"

#include <gtest/gtest.h>

#include "platform/fake/fake_platform.h"
#include "platform/messages.h"
#include "platform/session_lock.h"
#include "shell/saver_state.h"
#include "shell/settings.h"
#include "shell/window_proc.h"
#include "tests/shell/fake_renderer.h"

namespace {

constexpr PlatformWindow kWindow = kFakeSaverWindow;

// The lock's rules on the saver window: what unlocks, and above all what does not.
class SessionLockTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetFakePlatform();
        ResetFakeRenderer();
        settings = new SaverSettings();
        settings->passwordDelay = 5;
        currentMode = SaverMode::ScreenSaver;
        currentLock = SessionLock();
        currentLock.active = true;
        currentRenderer = &renderer;
        fakePlatform.procedure = SaverWindowProc;
        fakePlatform.window = kWindow;
        fakePlatform.tick = 100000;
        SaverWindowProc(kWindow, WM_CREATE, 0, 0);
    }
    void TearDown() override {
        currentLock = SessionLock();
        currentRenderer = nullptr;
        delete settings;
        settings = nullptr;
    }
    void send(uint32_t message, uintptr_t wParam = 0) { SaverWindowProc(kWindow, message, wParam, 0); }
    void runQueue() {
        PlatformMessage message;
        while (PlatformPeekMessage(&message)) {
            if (message.message != WM_QUIT) PlatformDispatchMessage(message);
        }
    }
    void type(const char* text) {
        for (const char* c = text; *c != '\0'; ++c) {
            send(WM_KEYDOWN, static_cast<uint32_t>(*c) & ~0x20u);
            send(WM_CHAR, static_cast<unsigned char>(*c));
        }
    }
    bool locked() const { return fakePlatform.unlocked.empty() && fakePlatform.window == kWindow; }

    Renderer renderer;
};

TEST_F(SessionLockTest, WithinTheGracePeriodAKeyOrAStopSignalUnlocks) {
    fakePlatform.tick += 5000;  // exactly the delay: still within it
    send(WM_KEYDOWN, VK_ESCAPE);
    runQueue();
    EXPECT_EQ(fakePlatform.unlocked.size(), 1u);
    EXPECT_TRUE(currentLock.unlocked);

    TearDown();
    SetUp();
    send(WM_CLOSE);  // what the platform posts for SIGTERM
    EXPECT_EQ(fakePlatform.unlocked.size(), 1u);
    EXPECT_EQ(fakePlatform.checksStarted, 0);
}

TEST_F(SessionLockTest, AfterItOnlyTheAcceptanceOfACheckAskedForUnlocks) {
    fakePlatform.tick += 5001;
    send(WM_CLOSE);
    send(WM_KEYDOWN, VK_ESCAPE);
    send(WM_LBUTTONDOWN, MK_LBUTTON);
    send(WM_ACTIVATE, WA_INACTIVE);
    send(kPasswordVerdictMessage, kPasswordAccepted);  // no check was asked for
    runQueue();
    EXPECT_TRUE(locked());
    EXPECT_TRUE(currentLock.promptUp);

    type("nope");
    EXPECT_EQ(fakePlatform.passwordLength, 4);
    send(WM_KEYDOWN, VK_RETURN);
    EXPECT_EQ(fakePlatform.checksStarted, 1);
    EXPECT_EQ(fakePlatform.passwordLength, 0);
    type("ab");  // while the check runs, nothing is typed
    EXPECT_EQ(fakePlatform.passwordLength, 0);
    send(kPasswordVerdictMessage, kPasswordRefused);
    send(kPasswordVerdictMessage, kPasswordAccepted);  // a second verdict for the same check
    send(kPasswordVerdictMessage, 1);
    EXPECT_TRUE(locked());
    EXPECT_TRUE(currentLock.wrong);

    // A check that cannot start is wrong too.
    fakePlatform.checkStarts = false;
    type("x");
    send(WM_KEYDOWN, VK_RETURN);
    send(kPasswordVerdictMessage, kPasswordAccepted);
    EXPECT_TRUE(locked());
    EXPECT_TRUE(currentLock.wrong);

    fakePlatform.checkStarts = true;
    type("secretx");
    send(WM_KEYDOWN, VK_BACK);
    EXPECT_EQ(fakePlatform.passwordLength, 6);
    send(WM_KEYDOWN, VK_ESCAPE);
    EXPECT_EQ(fakePlatform.passwordLength, 0);
    type("secret");
    send(WM_KEYDOWN, VK_RETURN);
    send(kPasswordVerdictMessage, kPasswordAccepted);
    EXPECT_EQ(fakePlatform.unlocked.size(), 1u);
    EXPECT_TRUE(currentLock.unlocked);
}

}  // namespace

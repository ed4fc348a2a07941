// The X error handlers on a real display connection.
// GoogleTest first: Xlib's macros (None, Bool) would break its templates.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include <X11/Xlib.h>
#include <X11/Xproto.h>

#include "platform/x11/x11_error_trap.h"

namespace {

TEST(X11Errors, UnexpectedErrorsAreReportedOncePerKindExpectedOnesNotAtAll) {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) GTEST_SKIP() << "no X display";
    X11InstallErrorHandlers(false);
    const Window missing = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
    XDestroyWindow(display, missing);
    XSync(display, False);

    testing::internal::CaptureStderr();
    {
        X11ErrorTrap trap(display);
        XMapWindow(display, missing);
        EXPECT_TRUE(trap.failed());
    }
    for (int i = 0; i < 3; ++i) {
        XMapWindow(display, missing);
        XUnmapWindow(display, missing);
    }
    XSync(display, False);
    // A window whose end a host decides fails without a word.
    const Window hosts = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
    X11ExpectWindowToVanish(hosts);
    XDestroyWindow(display, hosts);
    XClearWindow(display, hosts);
    XSync(display, False);
    const std::string logged = testing::internal::GetCapturedStderr();

    EXPECT_EQ(std::count(logged.begin(), logged.end(), '\n'), 2) << logged;
    const std::string map = "request " + std::to_string(X_MapWindow) + ".0";
    const std::string unmap = "request " + std::to_string(X_UnmapWindow) + ".0";
    EXPECT_EQ(logged.rfind("brisalo: X error: BadWindow", 0), 0u) << logged;
    EXPECT_NE(logged.find(map), std::string::npos) << logged;
    EXPECT_NE(logged.find(unmap), std::string::npos) << logged;
    XCloseDisplay(display);
}

}  // namespace

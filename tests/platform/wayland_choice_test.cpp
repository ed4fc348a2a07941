// Which saver a line goes to in a Wayland session, and the one command line of both savers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/fake/fake_platform.h"
#include "platform/wayland/wayland_options.h"
#include "platform/x11/wayland_hand_over.h"
#include "platform/x11/x11_host_options.h"

namespace {

std::vector<const char*> Line(std::vector<const char*> arguments) {
    arguments.insert(arguments.begin(), "/usr/bin/brisalo");
    return arguments;
}

bool X11Only(std::vector<const char*> arguments, const char* environmentWindow = nullptr) {
    const std::vector<const char*> line = Line(std::move(arguments));
    return IsX11OnlyLine(static_cast<int>(line.size()), line.data(), environmentWindow);
}

// What the Wayland saver makes of a line: the launch, and the lines it wrote to standard
// error (the messages about skipped words, each with the prefix).
struct WaylandRead {
    PlatformLaunch launch;
    std::string failure;
    std::string logged;
    bool daemonize = false;
};

WaylandRead ReadWayland(std::vector<const char*> arguments) {
    const std::vector<const char*> line = Line(std::move(arguments));
    WaylandRead read;
    testing::internal::CaptureStderr();
    read.launch = ReadWaylandLaunch(static_cast<int>(line.size()), line.data(), &read.failure, &read.daemonize);
    read.logged = testing::internal::GetCapturedStderr();
    return read;
}

TEST(WaylandHandOver, AnX11HostsLineStaysWithTheX11Saver) {
    for (const auto& line : std::vector<std::vector<const char*>>{
             {"--root"}, {"-root", "--fps"}, {"--fps", "-window-id", "0x2a"}, {"/p", "4242"}, {"-l:4242"},
             {"--fps", "/p", "7"}, {"--add-to-xscreensaver"}}) {
        EXPECT_TRUE(X11Only(line)) << line[0];
    }
    EXPECT_TRUE(X11Only({"/s"}, "0x2a")) << "a host names its window in XSCREENSAVER_WINDOW";
    for (const auto& line : std::vector<std::vector<const char*>>{
             {}, {"/s"}, {"-S"}, {"/c"}, {"/c:77"}, {"--layer"}, {"--passes", "3", "/s"}, {"--rooted"}, {"/a"}}) {
        EXPECT_FALSE(X11Only(line)) << (line.empty() ? "(none)" : line[0]);
    }
    EXPECT_FALSE(X11Only({"/s"}, "")) << "an empty XSCREENSAVER_WINDOW names no window";
}

// Words that are no window system's own get one answer from both savers: the same mode,
// the same lines about skipped words, and a failure line or none.
TEST(LinuxCommandLine, TheSameWordsGetTheSameAnswerFromTheX11AndTheWaylandSaver) {
    ResetFakePlatform();
    const std::vector<std::vector<const char*>> lines = {
        {}, {"/s"}, {"-S"}, {"/s", "foo"}, {"--bogus", "/s"}, {"/x"}, {"-h"}, {"/screen"}, {"-"},
        {"/s", "/c"}, {"/c:77"}, {"/a", "9"}, {"--fps"}, {"--passes", "3", "/s", "--no-mirrors"},
        {"--passes", "0", "/s"}, {"/s", "--bogus", "--help"}, {"--version"}};
    for (const std::vector<const char*>& words : lines) {
        std::string shown;
        for (const char* word : words) shown += std::string(word) + " ";
        const std::vector<const char*> line = Line(words);
        const HostOptions x11 = ParseHostOptions(static_cast<int>(line.size()), line.data());
        bool onRoot = false;
        std::string x11Failure;
        const PlatformLaunch x11Launch = LaunchFromHostOptions(x11, nullptr, &onRoot, &x11Failure);
        std::string x11Logged;
        for (const std::string& message : x11.line.messages) x11Logged += "brisalo: " + message + "\n";

        const WaylandRead wayland = ReadWayland(words);
        EXPECT_EQ(wayland.launch.mode, x11Launch.mode) << shown;
        EXPECT_EQ(wayland.launch.window, x11Launch.window) << shown;
        EXPECT_EQ(wayland.logged, x11Logged) << shown;
        EXPECT_EQ(wayland.launch.failure != nullptr, x11Launch.failure != nullptr) << shown;
        EXPECT_EQ(wayland.launch.help, x11Launch.help) << shown;
        EXPECT_EQ(wayland.launch.version, x11Launch.version) << shown;
        EXPECT_EQ(wayland.launch.options.passCount, x11Launch.options.passCount) << shown;
        EXPECT_EQ(wayland.launch.options.useMirrors, x11Launch.options.useMirrors) << shown;
    }
    EXPECT_EQ(ReadWayland({"--bogus", "/s"}).logged, "brisalo: ignoring \"--bogus\": not an option (see --help)\n");
}

// Each saver's own words: --layer is the Wayland saver's hosted run and --lock its session
// lock; X11's host words and /p name windows it does not have, and the X11 saver's help says
// what the Wayland one adds.
TEST(LinuxCommandLine, EachWindowSystemAddsItsOwnWords) {
    WaylandRead read = ReadWayland({"-layer", "--mirrors"});
    EXPECT_EQ(read.launch.mode, LaunchMode::Preview);
    EXPECT_EQ(read.launch.window, kWaylandLayerHost);
    EXPECT_EQ(read.launch.options.useMirrors, 1);
    EXPECT_EQ(read.logged, "");
    read = ReadWayland({"--layer", "/s"});
    EXPECT_EQ(read.launch.mode, LaunchMode::Preview) << "the hosted run, as X11's --root /s";
    EXPECT_NE(read.logged.find("\"/s\": not an option"), std::string::npos);

    for (const auto& words : std::vector<std::vector<const char*>>{
             {"--root"}, {"--window-id", "5"}, {"/p", "528"}, {"--add-to-xscreensaver"}, {"/s", "--root"}}) {
        read = ReadWayland(words);
        EXPECT_EQ(read.launch.mode, LaunchMode::Nothing) << words[0];
        ASSERT_NE(read.launch.failure, nullptr) << words[0];
        EXPECT_NE(std::string(read.launch.failure).find("Wayland"), std::string::npos) << read.launch.failure;
        EXPECT_EQ(read.logged, "") << "the id goes with its option: " << words[0];
    }
    EXPECT_EQ(std::string(ReadWayland({"--help"}).launch.usage), kWaylandUsage);

    // The lock is a run of its own with the run options; -f, as swaylock spells it, sends it
    // to the background and goes with nothing else. A lock line that cannot run still says
    // it asked for the lock, so that its caller hears it did not lock.
    read = ReadWayland({"-f", "--lock", "--passes", "3"});
    EXPECT_EQ(read.launch.mode, LaunchMode::ScreenSaver);
    EXPECT_TRUE(read.launch.options.lock && read.daemonize);
    EXPECT_EQ(read.launch.options.passCount, 3);
    EXPECT_EQ(read.logged, "");
    read = ReadWayland({"--daemonize", "/s"});
    EXPECT_EQ(read.launch.mode, LaunchMode::ScreenSaver);
    EXPECT_FALSE(read.launch.options.lock || read.daemonize);
    EXPECT_NE(read.logged.find("goes with --lock"), std::string::npos) << read.logged;
    for (const auto& words : std::vector<std::vector<const char*>>{
             {"--lock", "--layer", "-f"}, {"--lock", "--root"}, {"-f", "--lock", "--window-id", "7"}}) {
        read = ReadWayland(words);
        EXPECT_EQ(read.launch.mode, LaunchMode::Nothing) << words[1];
        EXPECT_NE(read.launch.failure, nullptr) << words[1];
        EXPECT_TRUE(read.launch.options.lock && !read.daemonize) << words[1];
    }

    const std::vector<const char*> line = Line({"--layer", "/s"});
    const HostOptions x11 = ParseHostOptions(static_cast<int>(line.size()), line.data());
    bool onRoot = false;
    std::string failure;
    const PlatformLaunch launch = LaunchFromHostOptions(x11, nullptr, &onRoot, &failure);
    EXPECT_EQ(launch.mode, LaunchMode::Nothing);
    ASSERT_NE(launch.failure, nullptr);
    EXPECT_NE(std::string(launch.failure).find("Wayland"), std::string::npos);
    EXPECT_NE(std::string(kHostUsage).find("--layer"), std::string::npos) << "X11's help names the Wayland word";

    // X11's --lock and -f: one line that locking is the session locker's job, and nothing runs.
    for (const auto& words : std::vector<std::vector<const char*>>{{"--lock"}, {"/s", "-lock", "-f"}, {"-f"}}) {
        const std::vector<const char*> lockLine = Line(words);
        const HostOptions lock = ParseHostOptions(static_cast<int>(lockLine.size()), lockLine.data());
        failure.clear();
        const PlatformLaunch locked = LaunchFromHostOptions(lock, nullptr, &onRoot, &failure);
        EXPECT_EQ(locked.mode, LaunchMode::Nothing) << words[0];
        EXPECT_FALSE(locked.options.lock) << words[0];
        EXPECT_TRUE(lock.line.messages.empty()) << words[0] << ": one line, the failure's";
        EXPECT_NE(failure.find("session locker's job"), std::string::npos) << failure;
    }
    EXPECT_NE(std::string(kHostUsage).find("--lock"), std::string::npos) << "X11's help says where --lock is";
}

}  // namespace

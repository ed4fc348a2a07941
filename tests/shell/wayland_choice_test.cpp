// Which saver a line goes to in a Wayland session, and the Wayland saver's own options.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/wayland/wayland_options.h"
#include "platform/x11/wayland_hand_over.h"

namespace {

std::vector<const char*> Line(std::vector<const char*> arguments) {
    arguments.insert(arguments.begin(), "/usr/bin/brisalo");
    return arguments;
}

bool X11Only(std::vector<const char*> arguments, const char* environmentWindow = nullptr) {
    const std::vector<const char*> line = Line(std::move(arguments));
    return IsX11OnlyLine(static_cast<int>(line.size()), line.data(), environmentWindow);
}

WaylandOptions Parse(std::vector<const char*> arguments) {
    const std::vector<const char*> line = Line(std::move(arguments));
    return ParseWaylandOptions(static_cast<int>(line.size()), line.data());
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

TEST(WaylandOptions, RunOptionsHoldWithEverySwitchAndTheRestGoesToTheShell) {
    WaylandOptions options = Parse({"--no-mirrors", "/s", "-passes", "7", "--fps"});
    EXPECT_EQ(options.run.useMirrors, 0);
    EXPECT_EQ(options.run.passCount, 7);
    EXPECT_TRUE(options.run.showFps);
    EXPECT_FALSE(options.layer);
    EXPECT_EQ(options.switches, std::vector<std::string>{"/s"});
    EXPECT_TRUE(options.messages.empty());

    options = Parse({"-layer", "--mirrors"});
    EXPECT_TRUE(options.layer);
    EXPECT_EQ(options.run.useMirrors, 1);
    EXPECT_TRUE(options.switches.empty());

    // "-s" is the shell's switch; an option never takes the next option as its value.
    options = Parse({"-s", "--passes", "--fps"});
    EXPECT_EQ(options.switches, std::vector<std::string>{"-s"});
    EXPECT_EQ(options.run.passCount, 0);
    EXPECT_TRUE(options.run.showFps);
    ASSERT_EQ(options.messages.size(), 1u);
    EXPECT_NE(options.messages[0].find("--passes"), std::string::npos);

    for (const char* bad : {"0", "11", "2x", ""}) {
        options = Parse({"--passes", bad});
        EXPECT_EQ(options.run.passCount, 0) << bad;
        EXPECT_EQ(options.messages.size(), 1u) << bad;
    }
    options = Parse({"--window-id", "5"});
    EXPECT_TRUE(options.x11Only);
    EXPECT_TRUE(options.switches.empty()) << "the id goes with its option";

    // -f, as swaylock spells it, is --daemonize, which only a lock has.
    options = Parse({"-f", "--lock"});
    EXPECT_TRUE(options.daemonize && options.run.lock);
    EXPECT_TRUE(options.switches.empty() && options.messages.empty());
    options = Parse({"--daemonize", "/s"});
    EXPECT_FALSE(options.daemonize);
    ASSERT_EQ(options.messages.size(), 1u);
    EXPECT_NE(options.messages[0].find("--lock"), std::string::npos);
}

}  // namespace

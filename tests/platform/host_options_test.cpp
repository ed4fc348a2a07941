#include "platform/x11/x11_host_options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/fake/fake_platform.h"

namespace {

HostOptions Parse(std::vector<const char*> arguments) {
    arguments.insert(arguments.begin(), "/usr/bin/brisalo");
    return ParseHostOptions(static_cast<int>(arguments.size()), arguments.data());
}

TEST(HostOptions, EntryWordsTakeOneDashOrTwoAnywhereOnTheLine) {
    for (const char* entry : {"-root", "--root"}) EXPECT_TRUE(Parse({entry}).hosted) << entry;
    for (const char* entry : {"-window-id", "--window-id"}) EXPECT_TRUE(Parse({entry, "7"}).hosted) << entry;
    EXPECT_TRUE(Parse({"--fps", "/s", "-root"}).hosted) << "anywhere on the line";
    for (const char* other : {"/s", "-p", "--rooted", "---root", "root", "--no-mirrors"}) {
        EXPECT_FALSE(Parse({other}).hosted) << other;
    }
}

// Each line read to the end, as the shell gets it: mode, window, and what standard error is told.
TEST(HostOptions, EveryLineAnswersWithAModeOrALineThatSaysWhy) {
    ResetFakePlatform();
    fakePlatform.foregroundWindow = 0x4A0001;
    struct Case {
        std::vector<const char*> line;
        LaunchMode mode;
        uintptr_t window;
        size_t messages;    // lines about words that were skipped
        bool failure;       // the line that says why nothing runs
    };
    const Case cases[] = {
        {{}, LaunchMode::Configure, 0, 0, false},
        {{"/s"}, LaunchMode::ScreenSaver, 0, 0, false},
        {{"-S"}, LaunchMode::ScreenSaver, 0, 0, false},
        {{"/p", "528"}, LaunchMode::Preview, 528, 0, false},
        {{"-p", "528"}, LaunchMode::Preview, 528, 0, false},
        {{"/p:528"}, LaunchMode::Preview, 528, 0, false},
        {{"/p528"}, LaunchMode::Preview, 528, 0, false},
        {{"/c"}, LaunchMode::Configure, 0x4A0001, 0, false},
        {{"/c:77"}, LaunchMode::Configure, 77, 0, false},
        {{"/c", "77"}, LaunchMode::Configure, 77, 0, false},
        {{"/a", "9"}, LaunchMode::ChangePassword, 9, 0, false},
        // Mistyped switches and unknown words say so and never fall back on a mode.
        {{"--bogus"}, LaunchMode::Nothing, 0, 1, false},
        {{"--rot"}, LaunchMode::Nothing, 0, 1, false},
        {{"-h"}, LaunchMode::Nothing, 0, 1, false},
        {{"-v"}, LaunchMode::Nothing, 0, 1, false},
        {{"/screen"}, LaunchMode::Nothing, 0, 1, false},
        {{"s"}, LaunchMode::Nothing, 0, 1, false},
        {{"-"}, LaunchMode::Nothing, 0, 1, false},
        {{"/s", "--bogus"}, LaunchMode::ScreenSaver, 0, 1, false},
        {{"/s", "/p", "5"}, LaunchMode::ScreenSaver, 0, 2, false},
        // "-passes 3" is the run option, not a preview of window 0.
        {{"-passes", "3"}, LaunchMode::Nothing, 0, 0, true},
        {{"--fps"}, LaunchMode::Nothing, 0, 0, true},
        {{"--passes", "3", "/s"}, LaunchMode::ScreenSaver, 0, 0, false},
        {{"--root"}, LaunchMode::Preview, 0, 0, false},
        {{"--root", "/s"}, LaunchMode::Preview, 0, 1, false},
        {{"--window-id", "0x20"}, LaunchMode::Preview, 0x20, 0, false},
        {{"--window-id", "zz"}, LaunchMode::Nothing, 0, 1, false},
    };
    for (const Case& c : cases) {
        const std::string shown = c.line.empty() ? "(none)" : c.line[0];
        const HostOptions options = Parse(c.line);
        bool onRoot = false;
        std::string failure;
        const PlatformLaunch launch = LaunchFromHostOptions(options, nullptr, &onRoot, &failure);
        EXPECT_EQ(launch.mode, c.mode) << shown;
        EXPECT_EQ(launch.window, c.window) << shown;
        EXPECT_EQ(options.line.messages.size(), c.messages) << shown;
        for (const std::string& message : options.line.messages) {
            if (message.rfind("ignoring ", 0) == 0) {
                EXPECT_NE(message.find("(see --help)"), std::string::npos) << message;
            }
        }
        EXPECT_EQ(launch.failure != nullptr, c.failure) << shown;
        EXPECT_FALSE(launch.help || launch.version) << shown;
    }
    EXPECT_EQ(Parse({"-h"}).line.messages[0], "ignoring \"-h\": not an option (see --help)");

    // The run options hold for /s as they do for --root.
    bool onRoot = false;
    std::string failure;
    const PlatformLaunch run = LaunchFromHostOptions(Parse({"/s", "--passes", "3", "--no-mirrors", "--fps"}),
                                                     nullptr, &onRoot, &failure);
    EXPECT_EQ(run.options.passCount, 3);
    EXPECT_EQ(run.options.useMirrors, 0);
    EXPECT_TRUE(run.options.showFps);
    EXPECT_FALSE(onRoot);
    LaunchFromHostOptions(Parse({"--root"}), nullptr, &onRoot, &failure);
    EXPECT_TRUE(onRoot);
}

TEST(HostOptions, TheTargetIsTheWindowIdElseTheHostsVariableElseTheRoot) {
    struct Case {
        std::vector<const char*> line;
        const char* environment;
        HostTarget::Kind kind;
        uint32_t window;
    };
    const Case cases[] = {
        {{"--root"}, nullptr, HostTarget::Root, 0},
        {{"--root"}, "", HostTarget::Root, 0},
        {{"--root"}, "0x3A00007", HostTarget::Window, 0x3A00007},
        {{"-root"}, "60817415", HostTarget::Window, 60817415},
        {{"--window-id", "0x200001"}, nullptr, HostTarget::Window, 0x200001},
        {{"-window-id", "0X20000a"}, "0x3A00007", HostTarget::Window, 0x20000A},
        {{"--root", "--window-id", "2097153"}, "0x3A00007", HostTarget::Window, 2097153},
        {{"--window-id", "0x7FFFFFFF"}, nullptr, HostTarget::Window, 0x7FFFFFFF},
    };
    for (const Case& c : cases) {
        const HostTarget target = ChooseHostTarget(Parse(c.line), c.environment);
        EXPECT_EQ(target.kind, c.kind) << c.line.back() << " with " << (c.environment ? c.environment : "(unset)");
        EXPECT_EQ(target.window, c.window) << c.line.back();
    }
}

TEST(HostOptions, ABadWindowIdEndsTheRunWithOneLine) {
    for (const char* id : {"zz", "0x", "", "0", "-5", "12abc", "0x80000000", "99999999999999999999", "0x1g"}) {
        const HostOptions options = Parse({"--window-id", id});
        const HostTarget target = ChooseHostTarget(options, "0x3A00007");
        EXPECT_EQ(target.kind, HostTarget::Bad) << id;
        ASSERT_EQ(options.line.messages.size(), 1u) << id;
        EXPECT_EQ(options.line.messages[0], "--window-id: \"" + std::string(id) +
                                           "\" is not a window id (decimal, or hexadecimal after 0x)");
        EXPECT_TRUE(target.message.empty()) << "said once";
    }
    const HostOptions missing = Parse({"--window-id"});
    EXPECT_EQ(ChooseHostTarget(missing, nullptr).kind, HostTarget::Bad);
    EXPECT_EQ(missing.line.messages.size(), 1u);

    const HostTarget badVariable = ChooseHostTarget(Parse({"--root"}), "window");
    EXPECT_EQ(badVariable.kind, HostTarget::Bad);
    EXPECT_EQ(badVariable.message,
              "XSCREENSAVER_WINDOW: \"window\" is not a window id (decimal, or hexadecimal after 0x)");
}

TEST(HostOptions, OverridesAndBadValues) {
    HostOptions options = Parse({"--root", "--no-mirrors", "-passes", "10", "-fps"});
    EXPECT_EQ(options.line.run.useMirrors, 0);
    EXPECT_EQ(options.line.run.passCount, 10);
    EXPECT_TRUE(options.line.run.showFps);
    EXPECT_TRUE(options.line.messages.empty());
    EXPECT_EQ(Parse({"-mirrors", "--root", "--passes", "1"}).line.run.useMirrors, 1);
    EXPECT_EQ(Parse({"--no-mirrors", "--mirrors", "--root"}).line.run.useMirrors, 1) << "the last one counts";
    EXPECT_EQ(Parse({"--root", "--passes", "1"}).line.run.passCount, 1);

    for (const char* value : {"0", "11", "x", "", "-2", "3.5", "010"}) {
        options = Parse({"--root", "--passes", value, "--fps"});
        EXPECT_EQ(options.line.run.passCount, 0) << value;
        EXPECT_TRUE(options.line.run.showFps) << "the run goes on: " << value;
        ASSERT_EQ(options.line.messages.size(), 1u) << value;
        EXPECT_EQ(options.line.messages[0],
                  "--passes takes a number from 1 to 10, not \"" + std::string(value) + "\"; starting with the default");
    }
    options = Parse({"--root", "--passes"});
    EXPECT_EQ(options.line.run.passCount, 0);
    ASSERT_EQ(options.line.messages.size(), 1u);
    EXPECT_NE(options.line.messages[0].find("from 1 to 10"), std::string::npos);

    options = Parse({"--passes", "--root", "--window-id"});
    EXPECT_TRUE(options.hosted) << "an option is no option's value";
    EXPECT_EQ(options.line.run.passCount, 0);
    EXPECT_EQ(ChooseHostTarget(options, nullptr).kind, HostTarget::Bad);
    EXPECT_EQ(options.line.messages.size(), 2u);

    options = Parse({"--root", "--speed", "9", "/s"});
    EXPECT_TRUE(options.hosted) << "a stray word does not stop a hosted run";
    EXPECT_EQ(options.line.messages.size(), 3u);
}

TEST(HostOptions, HelpAndVersionActOnAnyLine) {
    bool onRoot = false;
    std::string failure;
    const PlatformLaunch help = LaunchFromHostOptions(Parse({"/s", "--bogus", "--help"}), nullptr, &onRoot, &failure);
    EXPECT_TRUE(help.help);
    EXPECT_EQ(help.mode, LaunchMode::Nothing) << "nothing runs beside the help";
    EXPECT_EQ(std::string(help.usage), kHostUsage);
    EXPECT_TRUE(Parse({"--help"}).line.help);
    EXPECT_TRUE(Parse({"/s", "-help"}).line.help);
    EXPECT_TRUE(Parse({"--root", "--version"}).line.version);
    EXPECT_FALSE(Parse({"/s"}).line.help);
    EXPECT_FALSE(Parse({"--root"}).line.version);
}

}  // namespace

#include "platform/x11/x11_host_options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

HostOptions Parse(std::vector<const char*> arguments) {
    arguments.insert(arguments.begin(), "/usr/bin/brisalo");
    return ParseHostOptions(static_cast<int>(arguments.size()), arguments.data());
}

TEST(HostOptions, EntryWordsTakeOneDashOrTwoAndEveryOtherLineKeepsItsMeaning) {
    for (const char* entry : {"-root", "--root"}) EXPECT_TRUE(Parse({entry}).hosted) << entry;
    for (const char* entry : {"-window-id", "--window-id"}) EXPECT_TRUE(Parse({entry, "7"}).hosted) << entry;
    EXPECT_TRUE(Parse({"--fps", "/s", "-root"}).hosted) << "anywhere on the line";

    // Lines for the Windows-style switches, our options without an entry word among them.
    const std::vector<std::vector<const char*>> others = {
        {}, {"/s"}, {"/p", "528"}, {"-p", "528"}, {"/c"}, {"-x"}, {"--rooted"}, {"---root"}, {"root"},
        {"-passes", "3"}, {"--no-mirrors"}, {"--fps"}};
    for (const std::vector<const char*>& line : others) {
        const HostOptions options = Parse(line);
        EXPECT_FALSE(options.hosted) << (line.empty() ? "" : line[0]);
        EXPECT_TRUE(options.messages.empty());
        EXPECT_EQ(options.useMirrors, -1);
        EXPECT_EQ(options.passCount, 0);
        EXPECT_FALSE(options.showFps);
    }
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
        ASSERT_EQ(options.messages.size(), 1u) << id;
        EXPECT_EQ(options.messages[0], "--window-id: \"" + std::string(id) +
                                           "\" is not a window id (decimal, or hexadecimal after 0x)");
        EXPECT_TRUE(target.message.empty()) << "said once";
    }
    const HostOptions missing = Parse({"--window-id"});
    EXPECT_EQ(ChooseHostTarget(missing, nullptr).kind, HostTarget::Bad);
    EXPECT_EQ(missing.messages.size(), 1u);

    const HostTarget badVariable = ChooseHostTarget(Parse({"--root"}), "window");
    EXPECT_EQ(badVariable.kind, HostTarget::Bad);
    EXPECT_EQ(badVariable.message,
              "XSCREENSAVER_WINDOW: \"window\" is not a window id (decimal, or hexadecimal after 0x)");
}

TEST(HostOptions, OverridesAndBadValues) {
    HostOptions options = Parse({"--root", "--no-mirrors", "-passes", "10", "-fps"});
    EXPECT_EQ(options.useMirrors, 0);
    EXPECT_EQ(options.passCount, 10);
    EXPECT_TRUE(options.showFps);
    EXPECT_TRUE(options.messages.empty());
    EXPECT_EQ(Parse({"-mirrors", "--root", "--passes", "1"}).useMirrors, 1);
    EXPECT_EQ(Parse({"--no-mirrors", "--mirrors", "--root"}).useMirrors, 1) << "the last one counts";
    EXPECT_EQ(Parse({"--root", "--passes", "1"}).passCount, 1);

    for (const char* value : {"0", "11", "x", "", "-2", "3.5", "010"}) {
        options = Parse({"--root", "--passes", value, "--fps"});
        EXPECT_EQ(options.passCount, 0) << value;
        EXPECT_TRUE(options.showFps) << "the run goes on: " << value;
        ASSERT_EQ(options.messages.size(), 1u) << value;
        EXPECT_EQ(options.messages[0],
                  "--passes takes a number from 1 to 10, not \"" + std::string(value) + "\"; starting with the default");
    }
    options = Parse({"--root", "--passes"});
    EXPECT_EQ(options.passCount, 0);
    ASSERT_EQ(options.messages.size(), 1u);
    EXPECT_NE(options.messages[0].find("from 1 to 10"), std::string::npos);

    options = Parse({"--passes", "--root", "--window-id"});
    EXPECT_TRUE(options.hosted) << "an option is no option's value";
    EXPECT_EQ(options.passCount, 0);
    EXPECT_EQ(ChooseHostTarget(options, nullptr).kind, HostTarget::Bad);
    EXPECT_EQ(options.messages.size(), 2u);

    options = Parse({"--root", "--speed", "9", "/s"});
    EXPECT_TRUE(options.hosted) << "a stray word does not stop a hosted run";
    EXPECT_EQ(options.messages.size(), 3u);
}

TEST(HostOptions, HelpAndVersionActOnAnyLine) {
    EXPECT_TRUE(Parse({"--help"}).help);
    EXPECT_TRUE(Parse({"/s", "-help"}).help);
    EXPECT_TRUE(Parse({"--root", "--version"}).version);
    EXPECT_FALSE(Parse({"/s"}).help);
    EXPECT_FALSE(Parse({"--root"}).version);
}

}  // namespace

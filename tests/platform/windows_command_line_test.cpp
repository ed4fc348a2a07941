#include "platform/windows_command_line.h"

#include <gtest/gtest.h>


#include "platform/fake/fake_platform.h"

namespace {

struct Case {
    const char* line;
    LaunchMode mode;
    int32_t window;
};

void ExpectParses(const Case& c) {
    const PlatformLaunch parsed = ReadWindowsCommandLine(c.line);
    EXPECT_EQ(parsed.mode, c.mode) << '[' << c.line << ']';
    EXPECT_EQ(parsed.window, static_cast<uintptr_t>(static_cast<intptr_t>(c.window))) << '[' << c.line << ']';
}

class CommandLineTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetFakePlatform();
        fakePlatform.foregroundWindow = 0x4A0001;
    }
};

TEST_F(CommandLineTest, WorkedExamples) {
    const Case cases[] = {
        {"saver.scr", LaunchMode::Configure, 0},
        {"saver.scr /s", LaunchMode::ScreenSaver, 0},
        {"saver.scr /S", LaunchMode::ScreenSaver, 0},
        {"saver.scr -s", LaunchMode::ScreenSaver, 0},
        {"saver.scr s", LaunchMode::ScreenSaver, 0},
        {"saver.scr /s 528", LaunchMode::ScreenSaver, 0},
        {"saver.scr /screen", LaunchMode::ScreenSaver, 0},
        {"saver.scr /p 528", LaunchMode::Preview, 528},
        {"saver.scr /p:528", LaunchMode::Preview, 528},
        {"saver.scr /P :: 528", LaunchMode::Preview, 528},
        {"saver.scr /l 528", LaunchMode::Preview, 528},
        {"saver.scr /p", LaunchMode::Preview, 0},
        {"saver.scr /c:528", LaunchMode::Configure, 528},
        {"saver.scr /c 528", LaunchMode::Configure, 528},
        {"saver.scr /cx", LaunchMode::Configure, 0},
        {"saver.scr /config", LaunchMode::Configure, 0},
        {"saver.scr /a 528", LaunchMode::ChangePassword, 528},
        {"saver.scr /x", LaunchMode::Nothing, 0},
        {"saver.scr /", LaunchMode::Nothing, 0},
        {"saver.scr -", LaunchMode::Nothing, 0},
    };
    for (const Case& c : cases) ExpectParses(c);
    EXPECT_TRUE(fakePlatform.journal.empty()) << "only a bare /c asks for the foreground window";
}

TEST_F(CommandLineTest, BareConfigureIsOwnedByTheForegroundWindow) {
    for (const char* line : {"saver.scr /c", "saver.scr /c:", "saver.scr /C   ", "saver.scr -c : : "}) {
        ExpectParses({line, LaunchMode::Configure, 0x4A0001});
    }
    // Anything else after the letter is a number, and text is 0.
    ExpectParses({"saver.scr /c\t", LaunchMode::Configure, 0});
    ExpectParses({"saver.scr /c: x", LaunchMode::Configure, 0});
}

TEST_F(CommandLineTest, CommandNameSkipping) {
    const Case cases[] = {
        {"", LaunchMode::Configure, 0},
        {"saver.scr      ", LaunchMode::Configure, 0},
        {"\"C:\\Program Files\\my saver.scr\" /s", LaunchMode::ScreenSaver, 0},
        {"\"C:\\my saver.scr\"/p 7", LaunchMode::Preview, 7},
        {"\"C:\\my saver.scr /s", LaunchMode::Configure, 0},  // unclosed quote eats the line
        {"saver.scr\t/s", LaunchMode::Configure, 0},          // a tab does not separate
        {"saver.scr   /p   99", LaunchMode::Preview, 99},
    };
    for (const Case& c : cases) ExpectParses(c);
}

TEST_F(CommandLineTest, OnlyOneSeparatorIsSkipped) {
    ExpectParses({"saver.scr //s", LaunchMode::Nothing, 0});
    ExpectParses({"saver.scr -/s", LaunchMode::Nothing, 0});
    ExpectParses({"saver.scr /-p 5", LaunchMode::Nothing, 0});
}

TEST_F(CommandLineTest, NumbersReadLikeAtoi) {
    const Case cases[] = {
        {"saver.scr /p : :528", LaunchMode::Preview, 528},
        {"saver.scr /p::: :  528xyz", LaunchMode::Preview, 528},
        {"saver.scr /p528", LaunchMode::Preview, 528},
        {"saver.scr /p \t 528", LaunchMode::Preview, 528},  // atoi skips the tab itself
        {"saver.scr /p -12", LaunchMode::Preview, -12},
        {"saver.scr /p +12", LaunchMode::Preview, 12},
        {"saver.scr /p - 12", LaunchMode::Preview, 0},
        {"saver.scr /a 0x10", LaunchMode::ChangePassword, 0},
    };
    for (const Case& c : cases) ExpectParses(c);
}

TEST_F(CommandLineTest, NumbersBeyondThirtyTwoBitsSaturate) {
    ExpectParses({"saver.scr /p 2147483647", LaunchMode::Preview, 2147483647});
    ExpectParses({"saver.scr /p 2147483648", LaunchMode::Preview, 2147483647});
    ExpectParses({"saver.scr /p 99999999999999999999999999", LaunchMode::Preview, 2147483647});
    ExpectParses({"saver.scr /p -2147483648", LaunchMode::Preview, INT32_MIN});
    ExpectParses({"saver.scr /p -99999999999999999999999999", LaunchMode::Preview, INT32_MIN});
}

}  // namespace

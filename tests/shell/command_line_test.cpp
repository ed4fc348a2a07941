#include "shell/command_line.h"

#include <gtest/gtest.h>


#include "platform/fake/fake_platform.h"

namespace {

struct Case {
    const char* line;
    SaverMode mode;
    int32_t window;
};

void ExpectParses(const Case& c) {
    const ParsedCommandLine parsed = ParseCommandLine(c.line);
    EXPECT_EQ(parsed.mode, c.mode) << '[' << c.line << ']';
    EXPECT_EQ(parsed.window, c.window) << '[' << c.line << ']';
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
        {"saver.scr", SaverMode::Configure, 0},
        {"saver.scr /s", SaverMode::ScreenSaver, 0},
        {"saver.scr /S", SaverMode::ScreenSaver, 0},
        {"saver.scr -s", SaverMode::ScreenSaver, 0},
        {"saver.scr s", SaverMode::ScreenSaver, 0},
        {"saver.scr /s 528", SaverMode::ScreenSaver, 0},
        {"saver.scr /screen", SaverMode::ScreenSaver, 0},
        {"saver.scr /p 528", SaverMode::Preview, 528},
        {"saver.scr /p:528", SaverMode::Preview, 528},
        {"saver.scr /P :: 528", SaverMode::Preview, 528},
        {"saver.scr /l 528", SaverMode::Preview, 528},
        {"saver.scr /p", SaverMode::Preview, 0},
        {"saver.scr /c:528", SaverMode::Configure, 528},
        {"saver.scr /c 528", SaverMode::Configure, 528},
        {"saver.scr /cx", SaverMode::Configure, 0},
        {"saver.scr /config", SaverMode::Configure, 0},
        {"saver.scr /a 528", SaverMode::ChangePassword, 528},
        {"saver.scr /x", SaverMode::Unset, 0},
        {"saver.scr /", SaverMode::Unset, 0},
        {"saver.scr -", SaverMode::Unset, 0},
    };
    for (const Case& c : cases) ExpectParses(c);
    EXPECT_TRUE(fakePlatform.journal.empty()) << "only a bare /c asks for the foreground window";
}

TEST_F(CommandLineTest, BareConfigureIsOwnedByTheForegroundWindow) {
    for (const char* line : {"saver.scr /c", "saver.scr /c:", "saver.scr /C   ", "saver.scr -c : : "}) {
        ExpectParses({line, SaverMode::Configure, 0x4A0001});
    }
    // Anything else after the letter is a number, and text is 0.
    ExpectParses({"saver.scr /c\t", SaverMode::Configure, 0});
    ExpectParses({"saver.scr /c: x", SaverMode::Configure, 0});
}

TEST_F(CommandLineTest, CommandNameSkipping) {
    const Case cases[] = {
        {"", SaverMode::Configure, 0},
        {"saver.scr      ", SaverMode::Configure, 0},
        {"\"C:\\Program Files\\my saver.scr\" /s", SaverMode::ScreenSaver, 0},
        {"\"C:\\my saver.scr\"/p 7", SaverMode::Preview, 7},
        {"\"C:\\my saver.scr /s", SaverMode::Configure, 0},  // unclosed quote eats the line
        {"saver.scr\t/s", SaverMode::Configure, 0},          // a tab does not separate
        {"saver.scr   /p   99", SaverMode::Preview, 99},
    };
    for (const Case& c : cases) ExpectParses(c);
}

TEST_F(CommandLineTest, OnlyOneSeparatorIsSkipped) {
    ExpectParses({"saver.scr //s", SaverMode::Unset, 0});
    ExpectParses({"saver.scr -/s", SaverMode::Unset, 0});
    ExpectParses({"saver.scr /-p 5", SaverMode::Unset, 0});
}

TEST_F(CommandLineTest, NumbersReadLikeAtoi) {
    const Case cases[] = {
        {"saver.scr /p : :528", SaverMode::Preview, 528},
        {"saver.scr /p::: :  528xyz", SaverMode::Preview, 528},
        {"saver.scr /p528", SaverMode::Preview, 528},
        {"saver.scr /p \t 528", SaverMode::Preview, 528},  // atoi skips the tab itself
        {"saver.scr /p -12", SaverMode::Preview, -12},
        {"saver.scr /p +12", SaverMode::Preview, 12},
        {"saver.scr /p - 12", SaverMode::Preview, 0},
        {"saver.scr /a 0x10", SaverMode::ChangePassword, 0},
    };
    for (const Case& c : cases) ExpectParses(c);
}

TEST_F(CommandLineTest, NumbersBeyondThirtyTwoBitsSaturate) {
    ExpectParses({"saver.scr /p 2147483647", SaverMode::Preview, 2147483647});
    ExpectParses({"saver.scr /p 2147483648", SaverMode::Preview, 2147483647});
    ExpectParses({"saver.scr /p 99999999999999999999999999", SaverMode::Preview, 2147483647});
    ExpectParses({"saver.scr /p -2147483648", SaverMode::Preview, INT32_MIN});
    ExpectParses({"saver.scr /p -99999999999999999999999999", SaverMode::Preview, INT32_MIN});
}

}  // namespace

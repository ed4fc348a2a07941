#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/frames/frame_options.h"

namespace {

bool parse(std::vector<std::string> args, FrameOptions* options, std::string* error) {
    args.insert(args.begin(), "brisalo-frames");
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    return ParseFrameOptions(static_cast<int>(argv.size()), argv.data(), options, error);
}

TEST(FrameOptions, DefaultsAndFrameList) {
    FrameOptions options;
    std::string error;
    ASSERT_TRUE(parse({"30", "0", "30", "7"}, &options, &error)) << error;
    EXPECT_EQ(options.width, 1920);
    EXPECT_EQ(options.height, 1080);
    EXPECT_EQ(options.seed, 1u);
    EXPECT_DOUBLE_EQ(options.stepSeconds, 1.0 / 24.0);
    EXPECT_EQ(options.passes, 2);
    EXPECT_TRUE(options.mirrors);
    EXPECT_EQ(options.outDir, ".");
    EXPECT_EQ(options.frames, (std::vector<int32_t>{0, 7, 30}));
}

TEST(FrameOptions, EveryOption) {
    FrameOptions options;
    std::string error;
    ASSERT_TRUE(parse({"--size", "152x112", "--seed", "4294967295", "--step", "0.5", "--passes", "10",
                       "--no-mirrors", "--out", "/tmp/x", "3"},
                      &options, &error))
        << error;
    EXPECT_EQ(options.width, 152);
    EXPECT_EQ(options.height, 112);
    EXPECT_EQ(options.seed, 4294967295u);
    EXPECT_DOUBLE_EQ(options.stepSeconds, 0.5);
    EXPECT_EQ(options.passes, 10);
    EXPECT_FALSE(options.mirrors);
    EXPECT_EQ(options.outDir, "/tmp/x");
}

TEST(FrameOptions, RejectsWhatCannotBeRendered) {
    const std::vector<std::vector<std::string>> bad = {
        {},                          // no frame
        {"--size", "1920", "1"},     {"--size", "0x10", "1"},   {"--size", "10x-3", "1"},
        {"--size", "99999x10", "1"}, {"--size", "12x34y", "1"}, {"--size"},
        {"--passes", "0", "1"},      {"--passes", "11", "1"},   {"--step", "-1", "1"},
        {"--step", "nan", "1"},      {"--seed", "-1", "1"},     {"--seed", "x", "1"},
        {"--out", "", "1"},          {"--frobnicate", "1"},     {"12a"},
        {"100000"},
    };
    for (const auto& args : bad) {
        FrameOptions options;
        std::string error;
        std::string joined;
        for (const auto& a : args) joined += a + " ";
        EXPECT_FALSE(parse(args, &options, &error)) << joined;
        EXPECT_FALSE(error.empty()) << joined;
    }
}

TEST(FrameOptions, HelpNeedsNoFrames) {
    FrameOptions options;
    std::string error;
    ASSERT_TRUE(parse({"--help"}, &options, &error));
    EXPECT_TRUE(options.help);
}

}  // namespace

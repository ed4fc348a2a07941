// The line the X11 layer builds from argv, read back by the shell's parser.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/x11/x11_command_line.h"
#include "shell/command_line.h"

namespace {

// Whatever the program is called, the line built from argv means what its arguments mean.
TEST(X11CommandLine, ProgramPathNeverChangesWhatTheArgumentsMean) {
    const char* programs[] = {"/usr/bin/brisalo", "/opt/my savers/brisalo", "/tmp/a\"b/brisalo",
                              "\"/tmp/q/brisalo", "/tmp/q\"/brisalo\"", "/tmp/a \"b/brisalo", "\"", "", "a\tb"};
    const std::vector<std::vector<const char*>> argumentLists = {{"/s"}, {"/p", "528"}, {}, {"/c:77"}, {"-x"}};
    for (const char* program : programs) {
        for (const std::vector<const char*>& arguments : argumentLists) {
            std::vector<const char*> argv = {program};
            std::string direct = "brisalo";
            for (const char* argument : arguments) {
                argv.push_back(argument);
                direct += std::string(" ") + argument;
            }
            const std::string line = BuildCommandLine(static_cast<int>(argv.size()), argv.data());
            const ParsedCommandLine built = ParseCommandLine(line.c_str());
            const ParsedCommandLine expected = ParseCommandLine(direct.c_str());
            EXPECT_EQ(built.mode, expected.mode) << '[' << line << ']';
            EXPECT_EQ(built.window, expected.window) << '[' << line << ']';
        }
    }
}

}  // namespace

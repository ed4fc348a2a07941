#include "platform/x11/x11_command_line.h"

std::string BuildCommandLine(int argc, const char* const* argv) {
    std::string line;
    if (argc > 0 && argv[0] != nullptr) {
        const std::string program = argv[0];
        line = program.find(' ') == std::string::npos ? program : "\"" + program + "\"";
    }
    for (int i = 1; i < argc; ++i) {
        line += ' ';
        line += argv[i];
    }
    return line;
}

#include "platform/x11/x11_command_line.h"

// The program path only has to be skipped whole. Windows paths cannot hold a double quote,
// Linux ones can, and a quote would end or start the skipped word early, so it is left out.
std::string BuildCommandLine(int argc, const char* const* argv) {
    std::string line;
    if (argc > 0 && argv[0] != nullptr) {
        std::string program;
        for (const char* c = argv[0]; *c != '\0'; ++c) {
            if (*c != '"') program += *c;
        }
        line = program.find(' ') == std::string::npos ? program : "\"" + program + "\"";
    }
    for (int i = 1; i < argc; ++i) {
        line += ' ';
        line += argv[i];
    }
    return line;
}

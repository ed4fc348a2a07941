#pragma once

#include <string>

// One command line from argv, as Windows would hand it over: the program path first, in
// double quotes when it holds a space (and without double quotes of its own), then the
// arguments joined by single spaces.
std::string BuildCommandLine(int argc, const char* const* argv);

#pragma once

#include <string>

// The folder of the running executable (/proc/self/exe), where the build tree and the
// installed package keep the dialog module and the Wayland saver; "." when it cannot be read.
std::string ExecutableFolder();

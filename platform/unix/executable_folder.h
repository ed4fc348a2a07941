#pragma once

#include <string>
#include <vector>

// The folder of the running executable (/proc/self/exe); "." when it cannot be read.
std::string ExecutableFolder();

// Where the dialog module and the Wayland saver are looked for, in order: beside the
// executable (a build tree, or the Wayland saver itself once installed), then the
// installed module folder relative to it.
std::vector<std::string> CompanionFolders();

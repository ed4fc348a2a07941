#include "platform/unix/executable_folder.h"

#include <unistd.h>

#ifndef BRISALO_DIALOGS_FROM_BINDIR
#define BRISALO_DIALOGS_FROM_BINDIR "../libexec/brisalo"
#endif

std::string ExecutableFolder() {
    char path[4096];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0) return ".";
    path[length] = '\0';
    std::string folder(path);
    const size_t slash = folder.rfind('/');
    return slash == std::string::npos ? "." : folder.substr(0, slash);
}

std::vector<std::string> CompanionFolders() {
    const std::string folder = ExecutableFolder();
    return {folder, folder + "/" BRISALO_DIALOGS_FROM_BINDIR};
}

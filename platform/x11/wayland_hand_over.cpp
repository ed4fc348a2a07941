#include "platform/x11/wayland_hand_over.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/log.h"
#include "platform/unix/executable_folder.h"
#include "platform/unix/unix_layer.h"

namespace {

constexpr const char* kWaylandSaver = "brisalo-wayland";

// WAYLAND_DISPLAY when it was set but nothing answered there.
std::string silentDisplay;

// WAYLAND_DISPLAY is a socket name in XDG_RUNTIME_DIR, or a path of its own.
bool Answers(const char* name) {
    std::string path = name;
    if (name[0] != '/') {
        const char* runtime = std::getenv("XDG_RUNTIME_DIR");
        if (runtime == nullptr || *runtime == '\0') return false;
        path = std::string(runtime) + "/" + name;
    }
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path) return false;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return false;
    const bool answers = connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    close(fd);
    return answers;
}

bool CompositorAnswers() {
    const char* name = std::getenv("WAYLAND_DISPLAY");
    if (name == nullptr || *name == '\0') return false;
    if (Answers(name)) return true;
    silentDisplay = name;
    return false;
}

}  // namespace

// Beside us in a build tree, else beside the dialog module once installed. A twin that is
// missing leaves the run here, where it can at least say why it shows nothing.
void HandOverToWayland(int argc, char** argv) {
    if (IsX11OnlyLine(argc, argv, std::getenv("XSCREENSAVER_WINDOW")) || !CompositorAnswers()) return;
    const std::string folder = ExecutableFolder();
    std::string notExecutable;
    for (const std::string& companions : CompanionFolders()) {
        const std::string path = companions + "/" + kWaylandSaver;
        if (access(path.c_str(), X_OK) != 0) {
            if (notExecutable.empty() && access(path.c_str(), F_OK) == 0) notExecutable = path;
            continue;
        }
        argv[0] = const_cast<char*>(path.c_str());
        UnixExecKeepingTheStop(path.c_str(), argv);
        PlatformLogError("cannot start %s: %s", path.c_str(), std::strerror(errno));
        return;
    }
    if (!notExecutable.empty()) {
        PlatformLogError("a Wayland session, but %s is not executable; trying X11", notExecutable.c_str());
    } else {
        PlatformLogError("a Wayland session, but no %s beside %s; trying X11", kWaylandSaver, folder.c_str());
    }
}

const char* SilentWaylandDisplay() { return silentDisplay.empty() ? nullptr : silentDisplay.c_str(); }

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

namespace {

constexpr const char* kWaylandSaver = "brisalo-wayland";

// WAYLAND_DISPLAY is a socket name in XDG_RUNTIME_DIR, or a path of its own.
bool CompositorAnswers() {
    const char* name = std::getenv("WAYLAND_DISPLAY");
    if (name == nullptr || *name == '\0') return false;
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

}  // namespace

// Beside us in a build tree, else beside the dialog module once installed. A twin that is
// missing leaves the run here, where it can at least say why it shows nothing.
void HandOverToWayland(int argc, char** argv) {
    if (IsX11OnlyLine(argc, argv, std::getenv("XSCREENSAVER_WINDOW")) || !CompositorAnswers()) return;
    const std::string folder = ExecutableFolder();
    for (const std::string& companions : CompanionFolders()) {
        const std::string path = companions + "/" + kWaylandSaver;
        if (access(path.c_str(), X_OK) != 0) continue;
        argv[0] = const_cast<char*>(path.c_str());
        execv(path.c_str(), argv);
        PlatformLogError("cannot start %s: %s", path.c_str(), std::strerror(errno));
        return;
    }
    PlatformLogError("a Wayland session, but no %s beside %s; trying X11", kWaylandSaver, folder.c_str());
}

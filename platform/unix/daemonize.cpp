#include "platform/unix/daemonize.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

namespace {

constexpr char kReady = 'r';
constexpr int kStopSignals[] = {SIGTERM, SIGINT, SIGHUP};

int toParent = -1;  // the child's end of the pipe, until it has said it is ready

// The stop signals are let in only inside ppoll: one that came between the look at `stop`
// and a plain read would be passed on only after the child had ended.
[[noreturn]] void WaitForTheChild(int fromChild, pid_t child, volatile sig_atomic_t& stop) {
    sigset_t stops;
    sigset_t waiting;
    sigemptyset(&stops);
    for (int stopSignal : kStopSignals) sigaddset(&stops, stopSignal);
    sigprocmask(SIG_BLOCK, &stops, &waiting);
    for (int stopSignal : kStopSignals) sigdelset(&waiting, stopSignal);
    for (;;) {
        if (stop != 0) kill(child, SIGTERM);
        stop = 0;
        pollfd answer{fromChild, POLLIN, 0};
        if (ppoll(&answer, 1, nullptr, &waiting) < 0) {
            if (errno == EINTR) continue;
            break;
        }
        char said = 0;
        const ssize_t got = read(fromChild, &said, 1);
        if (got == 1 && said == kReady) _exit(0);
        if (got < 0 && errno == EINTR) continue;
        break;  // the child ended, or closed the pipe, without being ready
    }
    int status = 0;
    while (waitpid(child, &status, 0) < 0) {
        if (errno != EINTR) _exit(1);
    }
    _exit(WIFEXITED(status) && WEXITSTATUS(status) != 0 ? WEXITSTATUS(status) : 1);
}

// Standard input and output go to /dev/null; a run that cannot open it keeps them.
void LeaveTheCaller() {
    setsid();
    const bool inRoot = chdir("/") == 0;
    (void)inRoot;  // elsewhere, the folder it was started in only stays busy
    const int null = open("/dev/null", O_RDWR | O_CLOEXEC);
    if (null < 0) return;
    dup2(null, STDIN_FILENO);
    dup2(null, STDOUT_FILENO);
    close(null);
}

}  // namespace

bool DaemonizeUntilReady(volatile sig_atomic_t& stop) {
    int ends[2];
    if (pipe2(ends, O_CLOEXEC) != 0) return false;
    const pid_t child = fork();
    if (child < 0) {
        const int why = errno;
        close(ends[0]);
        close(ends[1]);
        errno = why;
        return false;
    }
    if (child > 0) {
        close(ends[1]);
        WaitForTheChild(ends[0], child, stop);
    }
    close(ends[0]);
    toParent = ends[1];
    LeaveTheCaller();
    return true;
}

void DaemonReady() {
    if (toParent < 0) return;
    const char ready = kReady;
    while (write(toParent, &ready, 1) < 0 && errno == EINTR) {
    }
    close(toParent);
    toParent = -1;
}

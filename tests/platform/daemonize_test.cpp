#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <climits>

#include "platform/unix/daemonize.h"

namespace {

volatile sig_atomic_t stopRequested = 0;

void OnStop(int) { stopRequested = 1; }

// The background's surroundings: a session of its own, in /, output on /dev/null.
bool LeftTheCaller() {
    struct stat null{};
    struct stat out{};
    char folder[PATH_MAX] = {};
    return getsid(0) == getpid() && stat("/dev/null", &null) == 0 && fstat(STDOUT_FILENO, &out) == 0 &&
           out.st_rdev == null.st_rdev && getcwd(folder, sizeof folder) != nullptr && folder[0] == '/' &&
           folder[1] == '\0';
}

// A command that goes to the background as `background` says, as a child of the test;
// its exit status, or -1. SIGTERM reaches the command only while it waits for its child.
int RunCommand(void (*background)(), bool sendStop) {
    sigset_t term;
    sigset_t before;
    sigemptyset(&term);
    sigaddset(&term, SIGTERM);
    sigprocmask(SIG_BLOCK, &term, &before);
    const pid_t command = fork();
    if (command == 0) {
        struct sigaction action{};
        action.sa_handler = OnStop;
        sigaction(SIGTERM, &action, nullptr);
        if (!DaemonizeUntilReady(stopRequested)) _exit(100);
        sigprocmask(SIG_UNBLOCK, &term, nullptr);
        background();
        _exit(101);
    }
    if (command > 0 && sendStop) kill(command, SIGTERM);
    int status = 0;
    const bool waited = command > 0 && waitpid(command, &status, 0) == command;
    sigprocmask(SIG_SETMASK, &before, nullptr);
    return waited && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The command's status is the background's own until it is ready, and 0 once it is (its
// later end no longer counts); a stop signal to the waiting command is passed on.
TEST(Daemonize, TheCommandEndsAsTheBackgroundSaysAndPassesOnAStop) {
    EXPECT_EQ(RunCommand([] { _exit(LeftTheCaller() ? 3 : 4); }, false), 3);
    EXPECT_EQ(RunCommand([] { DaemonReady(); _exit(7); }, false), 0);
    EXPECT_EQ(RunCommand([] { _exit(0); }, false), 1) << "a background that ends unready has failed";
    EXPECT_EQ(RunCommand(
                  [] {
                      for (int i = 0; i < 10000 && stopRequested == 0; ++i) usleep(1000);
                      _exit(stopRequested != 0 ? 5 : 6);
                  },
                  true),
              5);
}

}  // namespace

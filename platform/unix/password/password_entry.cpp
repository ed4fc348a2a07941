// The typed password and the check it goes to: the platform's side of the session lock on
// Linux. The buffer's bytes leave only through the pipe to the check's process.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/log.h"
#include "platform/session_lock.h"
#include "platform/unix/executable_folder.h"
#include "platform/unix/password/password_buffer.h"
#include "platform/unix/password/password_check.h"
#include "platform/unix/unix_clock.h"

extern char** environ;

namespace {

// The check's process, started on the first attempt and kept for the next ones.
struct CheckProcess {
    pid_t pid = -1;
    int toCheck = -1;    // its standard input
    int fromCheck = -1;  // its standard output
    bool pending = false;
    uint32_t deadline = 0;
};

CheckProcess check;

std::string CheckProgramPath() { return ExecutableFolder() + "/" + kPasswordCheckProgram; }

void EndCheckProcess() {
    if (check.pid > 0) {
        kill(check.pid, SIGKILL);
        while (waitpid(check.pid, nullptr, 0) < 0 && errno == EINTR) {
        }
    }
    if (check.toCheck >= 0) close(check.toCheck);
    if (check.fromCheck >= 0) close(check.fromCheck);
    check = CheckProcess();
}

// A check that ended while idle (a crash, a kill) is reaped and forgotten here, so that the
// next password goes to a fresh one rather than into a pipe nobody reads.
void ForgetEndedCheck() {
    if (check.pid <= 0 || waitpid(check.pid, nullptr, WNOHANG) == 0) return;
    check.pid = -1;  // reaped, or not ours to wait for: nothing left to kill
    EndCheckProcess();
}

// Its descriptors are its only way out: the compositor's socket and everything else stay
// here (the lock's descriptors are close-on-exec, and the rest are closed too).
bool StartCheckProcess() {
    if (check.pid > 0) return true;
    int request[2];
    int answer[2];
    if (pipe2(request, O_CLOEXEC) != 0) return false;
    if (pipe2(answer, O_CLOEXEC) != 0) {
        close(request[0]);
        close(request[1]);
        return false;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, request[0], STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, answer[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclosefrom_np(&actions, STDERR_FILENO + 1);
    const std::string path = CheckProgramPath();
    char* const argv[] = {const_cast<char*>(kPasswordCheckProgram), nullptr};
    pid_t pid = -1;
    const int failed = posix_spawn(&pid, path.c_str(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(request[0]);
    close(answer[1]);
    if (failed != 0) {
        PlatformLogError("cannot start %s: %s", path.c_str(), std::strerror(failed));
        close(request[1]);
        close(answer[0]);
        return false;
    }
    fcntl(answer[0], F_SETFL, O_NONBLOCK);
    check.pid = pid;
    check.toCheck = request[1];
    check.fromCheck = answer[0];
    return true;
}

// One write of under PIPE_BUF bytes into an empty pipe: whole, and never blocking. A check
// that is gone fails it with EPIPE (the lock's process ignores SIGPIPE).
bool SendRequest(const PasswordBuffer& password) {
    char request[2 + kPasswordCapacity];
    request[0] = static_cast<char>(password.size & 0xFF);
    request[1] = static_cast<char>(password.size >> 8);
    std::memcpy(request + 2, password.bytes, static_cast<size_t>(password.size));
    const size_t size = 2 + static_cast<size_t>(password.size);
    ssize_t put = -1;
    do {
        put = write(check.toCheck, request, size);
    } while (put < 0 && errno == EINTR);
    explicit_bzero(request, sizeof request);
    return put == static_cast<ssize_t>(size);
}

}  // namespace

bool PasswordCheckAvailable(std::string* why) {
    const std::string path = CheckProgramPath();
    if (access(path.c_str(), X_OK) == 0) return true;
    *why = "no " + path + " to check the password with";
    return false;
}

void ProtectPasswordMemory() {
    prctl(PR_SET_DUMPABLE, 0);
    ThePasswordBuffer();
}

void PlatformPasswordAppend(uint32_t character) { ThePasswordBuffer().append(character); }
void PlatformPasswordErase() { ThePasswordBuffer().erase(); }
void PlatformPasswordClear() { ThePasswordBuffer().wipe(); }
int32_t PlatformPasswordLength() { return ThePasswordBuffer().characters; }

// The buffer is wiped whether or not the check could start. A check that cannot take the
// request (it ended after the look for that) is replaced once: what unlocks is still only
// its answer, read later.
bool PlatformStartPasswordCheck() {
    PasswordBuffer& password = ThePasswordBuffer();
    bool started = false;
    if (!check.pending) {
        ForgetEndedCheck();
        started = StartCheckProcess() && SendRequest(password);
        if (!started && check.pid > 0) {
            EndCheckProcess();
            started = StartCheckProcess() && SendRequest(password);
        }
    }
    password.wipe();
    if (!started) {
        EndCheckProcess();
        return false;
    }
    check.pending = true;
    check.deadline = MonotonicMilliseconds() + kPasswordCheckTimeoutMs;
    return true;
}

// Only the one right byte is an acceptance; silence past the deadline, a process that
// ended, or any other byte is a refusal, and a check that failed so is not asked again.
PasswordCheckState PollPasswordCheck() {
    if (!check.pending) return PasswordCheckState::Idle;
    char answer = 0;
    ssize_t got = -1;
    do {
        got = read(check.fromCheck, &answer, 1);
    } while (got < 0 && errno == EINTR);
    if (got < 0 && errno == EAGAIN) {
        if (static_cast<int32_t>(MonotonicMilliseconds() - check.deadline) < 0) return PasswordCheckState::Pending;
        PlatformLogError("the password check gave no answer in %u s; taking it for wrong",
                         kPasswordCheckTimeoutMs / 1000);
    }
    check.pending = false;
    if (got == 1 && answer == kCheckAnswerRight) return PasswordCheckState::Accepted;
    if (got != 1 || answer != kCheckAnswerWrong) EndCheckProcess();
    return PasswordCheckState::Refused;
}

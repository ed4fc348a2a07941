#include <dirent.h>
#include <signal.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/session_lock.h"
#include "platform/unix/password/password_check.h"

namespace {

void Type(const char* text) {
    for (const char* c = text; *c != '\0'; ++c) PlatformPasswordAppend(static_cast<unsigned char>(*c));
}

PasswordCheckState Verdict() {
    for (int i = 0; i < 1000; ++i) {
        const PasswordCheckState state = PollPasswordCheck();
        if (state != PasswordCheckState::Pending) return state;
        usleep(10000);
    }
    return PasswordCheckState::Pending;
}

// The state letter /proc gives a process ('Z' once it has died and is not yet reaped).
char ProcessState(pid_t pid) {
    const std::string path = "/proc/" + std::to_string(pid) + "/stat";
    FILE* file = std::fopen(path.c_str(), "r");
    if (file == nullptr) return '?';
    char line[512] = {};
    const size_t got = std::fread(line, 1, sizeof line - 1, file);
    std::fclose(file);
    const std::string text(line, got);
    const size_t close = text.rfind(')');
    return close != std::string::npos && close + 2 < text.size() ? text[close + 2] : '?';
}

// The one child of this test: the check's process the lock started.
pid_t TheCheck() {
    DIR* proc = opendir("/proc");
    if (proc == nullptr) return -1;
    pid_t found = -1;
    while (const dirent* entry = readdir(proc)) {
        const pid_t pid = static_cast<pid_t>(std::atoi(entry->d_name));
        if (pid <= 0) continue;
        const std::string path = "/proc/" + std::to_string(pid) + "/stat";
        FILE* file = std::fopen(path.c_str(), "r");
        if (file == nullptr) continue;
        char line[512] = {};
        const size_t got = std::fread(line, 1, sizeof line - 1, file);
        std::fclose(file);
        const std::string text(line, got);
        const size_t close = text.rfind(')');
        if (close == std::string::npos) continue;
        if (std::atoi(text.c_str() + close + 4) == getpid()) found = pid;
    }
    closedir(proc);
    return found;
}

// A check that died between two attempts (killed here, as a crash would end it) must not
// cost the next attempt: the right password after it is accepted, not refused once.
TEST(PasswordCheckProcess, OneThatDiedBetweenAttemptsIsReplacedBeforeTheNext) {
    signal(SIGPIPE, SIG_IGN);  // as the lock's process has it
    Type("wrong");
    ASSERT_TRUE(PlatformStartPasswordCheck());
    ASSERT_EQ(Verdict(), PasswordCheckState::Refused);
    const pid_t first = TheCheck();
    ASSERT_GT(first, 0);
    ASSERT_EQ(kill(first, SIGKILL), 0);
    for (int i = 0; i < 1000 && ProcessState(first) != 'Z'; ++i) usleep(10000);
    ASSERT_EQ(ProcessState(first), 'Z');

    Type("right");
    EXPECT_TRUE(PlatformStartPasswordCheck());
    EXPECT_EQ(Verdict(), PasswordCheckState::Accepted);
    EXPECT_EQ(PlatformPasswordLength(), 0);
}

}  // namespace

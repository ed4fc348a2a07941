#pragma once

#include <cstdint>
#include <string>

// The password check runs in a process of its own, the program kPasswordCheckProgram
// beside this one: PAM's modules may block, crash or leak there without touching the lock,
// and one that hangs can be killed. It reads requests on its standard input and answers
// each on its standard output:
//   request: the password's length in bytes (2 bytes, little-endian), then the bytes
//   answer:  kCheckAnswerRight, or any other byte for wrong
constexpr const char* kPasswordCheckProgram = "brisalo-password-check";
constexpr char kCheckAnswerRight = 'y';
constexpr char kCheckAnswerWrong = 'n';
// An answer later than this is taken for wrong, and the check is killed.
constexpr uint32_t kPasswordCheckTimeoutMs = 30000;

// The check's program, where the lock can find it; false and why when it cannot.
bool PasswordCheckAvailable(std::string* why);

// Keeps what the lock holds out of core files and debuggers (PR_SET_DUMPABLE 0) and the
// password buffer out of swap.
void ProtectPasswordMemory();

// What the check running now has to say; Accepted and Refused are said once.
enum class PasswordCheckState : uint8_t { Idle, Pending, Accepted, Refused };
PasswordCheckState PollPasswordCheck();

// The check's own loop, on two descriptors: for each request, `check` gets the password in
// the loop's buffer, which is wiped before the answer goes. Returns at the end of the input
// (0), or on a request that breaks the format (1).
int ServePasswordChecks(int in, int out, bool (*check)(const char* password, void* data), void* data);

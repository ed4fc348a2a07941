// A stand-in for the password check beside the test that starts it: the check's own loop,
// with "right" the one right password and no PAM behind it.
#include <unistd.h>

#include <cstring>

#include "platform/unix/password/password_check.h"

int main() {
    auto check = [](const char* password, void*) { return std::strcmp(password, "right") == 0; };
    return ServePasswordChecks(STDIN_FILENO, STDOUT_FILENO, check, nullptr);
}

// brisalo-password-check: the lock's password check through PAM, for the user running it.
// Started by the lock with a pipe on each side; it says nothing of the passwords it sees.
#include <pwd.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "platform/unix/password/pam_check.h"
#include "platform/unix/password/password_check.h"

namespace {

bool CheckWithPam(const char* password, void* user) {
    return PasswordIsRight(static_cast<const std::string*>(user)->c_str(), password);
}

}  // namespace

int main() {
    prctl(PR_SET_DUMPABLE, 0);
    const passwd* entry = getpwuid(getuid());
    if (entry == nullptr || entry->pw_name == nullptr) {
        std::fputs("brisalo: the password check cannot name the user running it\n", stderr);
        return 1;
    }
    std::string user = entry->pw_name;
    return ServePasswordChecks(STDIN_FILENO, STDOUT_FILENO, CheckWithPam, &user);
}

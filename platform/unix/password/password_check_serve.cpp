// The password check's side: requests in, one answer byte out; the password lives only in
// this loop's buffer, wiped after each request.
#include <sys/mman.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/unix/password/password_buffer.h"
#include "platform/unix/password/password_check.h"

namespace {

bool ReadAll(int fd, void* data, size_t size) {
    auto* at = static_cast<char*>(data);
    while (size > 0) {
        const ssize_t got = read(fd, at, size);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return false;
        at += got;
        size -= static_cast<size_t>(got);
    }
    return true;
}

bool WriteByte(int fd, char byte) {
    for (;;) {
        const ssize_t put = write(fd, &byte, 1);
        if (put == 1) return true;
        if (put < 0 && errno == EINTR) continue;
        return false;
    }
}

}  // namespace

int ServePasswordChecks(int in, int out, bool (*check)(const char* password, void* data), void* data) {
    static char password[kPasswordCapacity];
    static const bool locked = mlock(password, sizeof password) == 0;
    (void)locked;
    for (;;) {
        unsigned char header[2];
        if (!ReadAll(in, header, sizeof header)) return 0;
        const size_t length = header[0] | static_cast<size_t>(header[1]) << 8;
        if (length > sizeof password - 1) return 1;
        const bool read = ReadAll(in, password, length);
        password[length] = '\0';
        const bool right = read && check(password, data);
        explicit_bzero(password, sizeof password);
        if (!read) return 1;
        if (!WriteByte(out, right ? kCheckAnswerRight : kCheckAnswerWrong)) return 1;
    }
}

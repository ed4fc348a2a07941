#pragma once

#include <cstdint>

// The typed password, as UTF-8 in a fixed buffer that never grows, is locked in memory
// where the system allows it, and is wiped with explicit_bzero whenever its content goes.
constexpr int32_t kPasswordCapacity = 512;  // bytes, the longest password taken

struct PasswordBuffer {
    char bytes[kPasswordCapacity];
    int32_t size;        // bytes in use
    int32_t characters;  // code points in use

    // A code point the buffer has no room for, or that is no character, is dropped.
    void append(uint32_t character);
    void erase();
    void wipe();
};

// The process's one buffer: zeroed, and kept out of swap (mlock) where the limit allows.
PasswordBuffer& ThePasswordBuffer();

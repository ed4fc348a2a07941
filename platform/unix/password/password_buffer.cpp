#include "platform/unix/password/password_buffer.h"

#include <sys/mman.h>

#include <cstring>

namespace {

// UTF-8 of one code point: the bytes written, 0 for a surrogate or a value past Unicode.
int32_t EncodeUtf8(uint32_t c, char* out) {
    if (c < 0x80) {
        out[0] = static_cast<char>(c);
        return 1;
    }
    if (c < 0x800) {
        out[0] = static_cast<char>(0xC0 | (c >> 6));
        out[1] = static_cast<char>(0x80 | (c & 0x3F));
        return 2;
    }
    if ((c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) return 0;
    if (c < 0x10000) {
        out[0] = static_cast<char>(0xE0 | (c >> 12));
        out[1] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out[2] = static_cast<char>(0x80 | (c & 0x3F));
        return 3;
    }
    out[0] = static_cast<char>(0xF0 | (c >> 18));
    out[1] = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out[2] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out[3] = static_cast<char>(0x80 | (c & 0x3F));
    return 4;
}

}  // namespace

// Control characters are keys, not text; the last byte stays free for PAM's terminator.
void PasswordBuffer::append(uint32_t character) {
    if (character < 0x20 || character == 0x7F) return;
    char encoded[4];
    const int32_t length = EncodeUtf8(character, encoded);
    if (length == 0 || size + length > kPasswordCapacity - 1) {
        explicit_bzero(encoded, sizeof encoded);
        return;
    }
    std::memcpy(bytes + size, encoded, static_cast<size_t>(length));
    explicit_bzero(encoded, sizeof encoded);
    size += length;
    ++characters;
}

// A whole character goes: its continuation bytes and its lead.
void PasswordBuffer::erase() {
    if (size == 0) return;
    do {
        --size;
    } while (size > 0 && (static_cast<unsigned char>(bytes[size]) & 0xC0) == 0x80);
    explicit_bzero(bytes + size, static_cast<size_t>(kPasswordCapacity - size));
    --characters;
}

void PasswordBuffer::wipe() {
    explicit_bzero(bytes, sizeof bytes);
    size = 0;
    characters = 0;
}

PasswordBuffer& ThePasswordBuffer() {
    static PasswordBuffer buffer{};
    static const bool locked = mlock(&buffer, sizeof buffer) == 0;
    (void)locked;  // without the limit for it, the buffer is still wiped; swap is the system's
    return buffer;
}

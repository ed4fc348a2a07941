#pragma once

#include <cstdint>

// The JPEG streams compiled into the executable, keyed by their resource names.
struct EmbeddedStream {
    const char* name;
    const unsigned char* bytes;
    uint32_t size;
};

extern const EmbeddedStream embeddedStreams[];
extern const uint32_t embeddedStreamCount;

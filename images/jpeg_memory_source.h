#pragma once

#include <cstdint>

#include "images/jpeg_library.h"

// One stream's bytes, held where the lookup found them. Does not own them.
struct ResourceBuffer {
    const unsigned char* bytes;
    uint32_t size;
};

// libjpeg's source manager over a block held whole in memory. The library sees only
// `pub`, so it must stay first.
struct MemorySource {
    jpeg_source_mgr pub;
    ResourceBuffer* buffer;
};

// Installs a MemorySource on the object (once, from its permanent pool) or re-points the
// one it already has at another stream.
void UseMemorySource(j_decompress_ptr cinfo, ResourceBuffer* buffer);

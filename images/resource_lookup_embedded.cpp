#include <cstring>

#include "images/embedded_streams.h"
#include "images/resource_lookup.h"

bool LookupImageResource(const char* name, const unsigned char** bytes, uint32_t* size) {
    for (uint32_t i = 0; i < embeddedStreamCount; ++i) {
        const EmbeddedStream& stream = embeddedStreams[i];
        if (std::strcmp(stream.name, name) != 0) continue;
        if (stream.size == 0) return false;
        *bytes = stream.bytes;
        *size = stream.size;
        return true;
    }
    return false;
}

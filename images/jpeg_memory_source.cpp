#include "images/jpeg_memory_source.h"

namespace {

// What the decoder reads once the block is used up: an end-of-image marker, so that a
// truncated stream ends (with the library's warning) instead of reading past the block.
const JOCTET fakeEndOfImage[2] = {0xFF, JPEG_EOI};

void initSource(j_decompress_ptr) {}

void termSource(j_decompress_ptr) {}

boolean fillInputBuffer(j_decompress_ptr cinfo) {
    WARNMS(cinfo, JWRN_JPEG_EOF);
    cinfo->src->next_input_byte = fakeEndOfImage;
    cinfo->src->bytes_in_buffer = sizeof fakeEndOfImage;
    return TRUE;
}

void skipInputData(j_decompress_ptr cinfo, long count) {
    if (count <= 0) return;
    jpeg_source_mgr* src = cinfo->src;
    // A damaged length may ask for more than is left; stop at the end and let the next
    // read supply the end-of-image marker.
    size_t n = static_cast<unsigned long>(count) < src->bytes_in_buffer
                   ? static_cast<size_t>(count)
                   : src->bytes_in_buffer;
    src->next_input_byte += n;
    src->bytes_in_buffer -= n;
}

}  // namespace

void UseMemorySource(j_decompress_ptr cinfo, ResourceBuffer* buffer) {
    if (cinfo->src == nullptr) {
        cinfo->src = static_cast<jpeg_source_mgr*>((*cinfo->mem->alloc_small)(
            reinterpret_cast<j_common_ptr>(cinfo), JPOOL_PERMANENT, sizeof(MemorySource)));
    }
    MemorySource* source = reinterpret_cast<MemorySource*>(cinfo->src);
    source->pub.init_source = initSource;
    source->pub.fill_input_buffer = fillInputBuffer;
    source->pub.skip_input_data = skipInputData;
    source->pub.resync_to_restart = jpeg_resync_to_restart;
    source->pub.term_source = termSource;
    source->buffer = buffer;
    source->pub.next_input_byte = buffer->bytes;
    source->pub.bytes_in_buffer = buffer->size;
}

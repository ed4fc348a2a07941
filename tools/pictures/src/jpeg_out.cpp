#include "jpeg_out.h"

#include <cstdio>
#include <vector>

#include <jpeglib.h>

namespace {

void writeSegment(jpeg_compress_struct& cinfo, int marker, const std::string& bytes) {
    jpeg_write_marker(&cinfo, marker, reinterpret_cast<const JOCTET*>(bytes.data()),
                      static_cast<unsigned int>(bytes.size()));
}

// Minimal, valid and empty: loaders must step over such segments without reading them.
void writeMetadata(jpeg_compress_struct& cinfo) {
    writeSegment(cinfo, JPEG_APP0 + 1, std::string("Exif\0\0MM\0*\0\0\0\x08\0\0\0\0\0\0", 20));
    writeSegment(cinfo, JPEG_APP0 + 1,
                 std::string("http://ns.adobe.com/xap/1.0/\0", 29) +
                     "<?xpacket begin=\"\xEF\xBB\xBF\" id=\"W5M0MpCehiHzreSzNTczkc9d\"?>"
                     "<x:xmpmeta xmlns:x=\"adobe:ns:meta/\"/><?xpacket end=\"r\"?>");
    writeSegment(cinfo, JPEG_APP0 + 13, std::string("Photoshop 3.0\0" "8BIM\x04\x04\0\0\0\0\0\0", 26));
}

}  // namespace

bool writeJpeg(const std::string& path, const uint8_t* pixels, int width, int height, int components,
               const JpegOptions& options) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    jpeg_compress_struct cinfo;
    jpeg_error_mgr jerr;
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_compress(&cinfo);
    jpeg_stdio_dest(&cinfo, f);
    cinfo.image_width = static_cast<JDIMENSION>(width);
    cinfo.image_height = static_cast<JDIMENSION>(height);
    cinfo.input_components = components;
    cinfo.in_color_space = components == 3 ? JCS_RGB : JCS_GRAYSCALE;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, options.quality, TRUE);
    cinfo.optimize_coding = TRUE;  // still baseline Huffman, just smaller tables
    cinfo.restart_interval = static_cast<unsigned int>(options.restartInterval);
    if (options.metadataSegments) cinfo.write_Adobe_marker = TRUE;
    jpeg_start_compress(&cinfo, TRUE);
    if (options.metadataSegments) writeMetadata(cinfo);
    size_t stride = static_cast<size_t>(width) * components;
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(pixels + cinfo.next_scanline * stride);
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    bool ok = std::ferror(f) == 0;
    return std::fclose(f) == 0 && ok;
}

#include "verify.h"

#include <cstdio>
#include <vector>

#include <jpeglib.h>

#include "atlas.h"

namespace {

struct Decoded {
    int width = 0, height = 0, components = 0;
    bool baseline = false;
    int lumaH = 0, lumaV = 0, chromaH = 0, chromaV = 0;
    unsigned restart = 0;
    std::vector<unsigned char> pixels;
};

bool decode(const std::string& path, Decoded& d) {
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return false;
    jpeg_decompress_struct cinfo;
    jpeg_error_mgr jerr;
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_decompress(&cinfo);
    jpeg_stdio_src(&cinfo, f);
    jpeg_read_header(&cinfo, TRUE);
    d.width = static_cast<int>(cinfo.image_width);
    d.height = static_cast<int>(cinfo.image_height);
    d.components = cinfo.num_components;
    d.baseline = !cinfo.progressive_mode && !cinfo.arith_code && cinfo.data_precision == 8;
    d.lumaH = cinfo.comp_info[0].h_samp_factor;
    d.lumaV = cinfo.comp_info[0].v_samp_factor;
    if (cinfo.num_components == 3) {
        d.chromaH = cinfo.comp_info[1].h_samp_factor | cinfo.comp_info[2].h_samp_factor;
        d.chromaV = cinfo.comp_info[1].v_samp_factor | cinfo.comp_info[2].v_samp_factor;
    }
    d.restart = cinfo.restart_interval;
    jpeg_start_decompress(&cinfo);
    size_t stride = static_cast<size_t>(cinfo.output_width) * cinfo.output_components;
    d.pixels.resize(stride * cinfo.output_height);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = d.pixels.data() + cinfo.output_scanline * stride;
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    std::fclose(f);
    return true;
}

int faults = 0;
void expect(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "picture check failed: %s\n", what);
        ++faults;
    }
}

}  // namespace

bool verifyPictures(const std::string& dir) {
    faults = 0;
    Decoded rgb, mask, logo;
    expect(decode(dir + "/JPEG_ORBELINE_RGB.jpg", rgb), "colour atlas readable");
    expect(decode(dir + "/JPEG_ORBELINE_MASK.jpg", mask), "atlas mask readable");
    expect(decode(dir + "/LOGO_MASK.jpg", logo), "logo readable");
    if (faults) return false;

    expect(rgb.width == kAtlasWidth && rgb.height == kAtlasHeight && rgb.components == 3, "colour atlas 2048x1024, 3 components");
    expect(rgb.baseline && rgb.lumaH == 2 && rgb.lumaV == 2 && rgb.chromaH == 1 && rgb.chromaV == 1,
           "colour atlas baseline with 2x2 luma and 1x1 chroma");
    expect(mask.width == rgb.width && mask.height == rgb.height && mask.components == 1 && mask.baseline,
           "mask the atlas's size, 1 component, baseline");
    expect(logo.width == 256 && logo.height == 64 && logo.components == 1 && logo.baseline, "logo 256x64, 1 component");
    expect(logo.restart == 32, "logo restart interval 32");
    if (faults) return false;

    // Every cell: opaque, non-black face at the centre; transparent, black corners.
    for (int cell = 0; cell < kColumns * kRows; ++cell) {
        int cx = (cell % kColumns) * kCell + kCell / 2, cy = (cell / kColumns) * kCell + kCell / 2;
        size_t centre = static_cast<size_t>(cy) * kAtlasWidth + cx;
        size_t corner = static_cast<size_t>(cy - kCell / 2 + 1) * kAtlasWidth + (cx - kCell / 2 + 1);
        size_t rim = static_cast<size_t>(cy) * kAtlasWidth + (cx + 59);
        expect(mask.pixels[centre] >= 250 && mask.pixels[rim] >= 250, "mask opaque inside each disc");
        expect(mask.pixels[corner] <= 5, "mask transparent in each cell's corners");
        int sum = rgb.pixels[centre * 3] + rgb.pixels[centre * 3 + 1] + rgb.pixels[centre * 3 + 2];
        int cornerSum = rgb.pixels[corner * 3] + rgb.pixels[corner * 3 + 1] + rgb.pixels[corner * 3 + 2];
        expect(sum > 0 && cornerSum <= 12, "colour face inside each disc, black outside");
    }
    // Lettering present, with a black margin all round.
    int lit = 0, edge = 0;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 256; ++x) {
            int v = logo.pixels[static_cast<size_t>(y) * 256 + x];
            if (v > 128) ++lit;
            if ((x < 3 || x > 252 || y < 3 || y > 60) && v > 16) ++edge;
        }
    expect(lit > 2000 && edge == 0, "logo lettering inside a clear margin");
    return faults == 0;
}

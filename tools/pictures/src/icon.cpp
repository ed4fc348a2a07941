#include "icon.h"

#include <zlib.h>

#include <cmath>
#include <cstdio>

#include "finish.h"

namespace {

uint8_t toByte(double v) { return static_cast<uint8_t>(std::lround(clamp01(v) * 255.0)); }

void put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}
void put32(std::vector<uint8_t>& out, uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}
void put32be(std::vector<uint8_t>& out, uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(v >> shift));
}

void chunk(std::vector<uint8_t>& png, const char* type, const std::vector<uint8_t>& data) {
    put32be(png, static_cast<uint32_t>(data.size()));
    const size_t start = png.size();
    png.insert(png.end(), type, type + 4);
    png.insert(png.end(), data.begin(), data.end());
    put32be(png, static_cast<uint32_t>(crc32(0, png.data() + start, static_cast<uInt>(png.size() - start))));
}

std::vector<uint8_t> encodePng(const std::vector<uint8_t>& rgba, int size) {
    std::vector<uint8_t> raw;
    for (int y = 0; y < size; ++y) {
        raw.push_back(0);  // no filter
        raw.insert(raw.end(), rgba.begin() + static_cast<long>(y) * size * 4,
                   rgba.begin() + static_cast<long>(y + 1) * size * 4);
    }
    uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
    std::vector<uint8_t> packed(packedSize);
    if (compress2(packed.data(), &packedSize, raw.data(), static_cast<uLong>(raw.size()), 9) != Z_OK) return {};
    packed.resize(packedSize);

    std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> header;
    put32be(header, static_cast<uint32_t>(size));
    put32be(header, static_cast<uint32_t>(size));
    header.insert(header.end(), {8, 6, 0, 0, 0});  // 8 bits, RGBA, deflate, no filter set, no interlace
    chunk(png, "IHDR", header);
    chunk(png, "IDAT", packed);
    chunk(png, "IEND", {});
    return png;
}

// An icon directory's BMP entry: a BITMAPINFOHEADER of twice the height (colour and mask),
// bottom-up BGRA rows, then the 1-bit mask, all clear: the alpha decides.
std::vector<uint8_t> encodeIconBitmap(const std::vector<uint8_t>& rgba, int size) {
    std::vector<uint8_t> out;
    const uint32_t maskRow = static_cast<uint32_t>((size + 31) / 32 * 4);
    put32(out, 40);
    put32(out, static_cast<uint32_t>(size));
    put32(out, static_cast<uint32_t>(size * 2));
    put16(out, 1);
    put16(out, 32);
    put32(out, 0);  // BI_RGB
    put32(out, static_cast<uint32_t>(size * size * 4) + maskRow * static_cast<uint32_t>(size));
    for (int i = 0; i < 4; ++i) put32(out, 0);
    for (int y = size - 1; y >= 0; --y) {
        for (int x = 0; x < size; ++x) {
            const uint8_t* p = &rgba[(static_cast<size_t>(y) * size + x) * 4];
            out.insert(out.end(), {p[2], p[1], p[0], p[3]});
        }
    }
    out.insert(out.end(), maskRow * static_cast<size_t>(size), 0);
    return out;
}

bool writeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

}  // namespace

std::vector<uint8_t> renderIcon(const Face& face, int size) {
    // Small icons take more samples a pixel: each of their pixels covers more of the face.
    const int samples = size <= 48 ? 8 : 4;
    const double radius = size / 2.0 - 0.5;
    const double rim = std::max(1.0, size / 80.0);
    std::vector<uint8_t> rgba(static_cast<size_t>(size) * size * 4, 0);
    const double centre = size / 2.0;
    for (int py = 0; py < size; ++py) {
        for (int px = 0; px < size; ++px) {
            const double dc = std::hypot(px + 0.5 - centre, py + 0.5 - centre);
            const double alpha = 1 - smoothstep(radius - rim / 2, radius + rim / 2, dc);
            if (alpha <= 0) continue;
            Col sum{0, 0, 0};
            for (int sy = 0; sy < samples; ++sy) {
                for (int sx = 0; sx < samples; ++sx) {
                    double x = (px + (sx + 0.5) / samples - centre) / radius;
                    double y = -(py + (sy + 0.5) / samples - centre) / radius;
                    const double r = std::hypot(x, y);
                    if (r > 1) x /= r, y /= r;  // the rim's colour reaches into the fade
                    sum = sum + finishButton(clamp01(face.at(x, y)), x, y, face.gloss);
                }
            }
            sum = sum * (1.0 / (samples * samples));
            uint8_t* p = &rgba[(static_cast<size_t>(py) * size + px) * 4];
            p[0] = toByte(sum.r);
            p[1] = toByte(sum.g);
            p[2] = toByte(sum.b);
            p[3] = toByte(alpha);
        }
    }
    return rgba;
}

bool writeIcons(const std::string& dir, const Face& face) {
    std::vector<std::vector<uint8_t>> entries;
    std::vector<int> sizes;
    bool ok = true;
    for (int size : kIconSizes) {
        const std::vector<uint8_t> rgba = renderIcon(face, size);
        const std::vector<uint8_t> png = encodePng(rgba, size);
        ok = ok && !png.empty() && writeFile(dir + "/brisalo-" + std::to_string(size) + ".png", png);
        entries.push_back(size >= 256 ? png : encodeIconBitmap(rgba, size));
        sizes.push_back(size);
    }
    std::vector<uint8_t> ico;
    put16(ico, 0);
    put16(ico, 1);  // an icon
    put16(ico, static_cast<uint32_t>(entries.size()));
    uint32_t offset = 6 + 16 * static_cast<uint32_t>(entries.size());
    for (size_t i = 0; i < entries.size(); ++i) {
        ico.push_back(static_cast<uint8_t>(sizes[i] >= 256 ? 0 : sizes[i]));  // 0 means 256
        ico.push_back(static_cast<uint8_t>(sizes[i] >= 256 ? 0 : sizes[i]));
        ico.push_back(0);
        ico.push_back(0);
        put16(ico, 1);
        put16(ico, 32);
        put32(ico, static_cast<uint32_t>(entries[i].size()));
        put32(ico, offset);
        offset += static_cast<uint32_t>(entries[i].size());
    }
    for (const std::vector<uint8_t>& entry : entries) ico.insert(ico.end(), entry.begin(), entry.end());
    return ok && writeFile(dir + "/Brisalo.ico", ico);
}

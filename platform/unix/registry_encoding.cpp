#include "platform/unix/registry_encoding.h"

#include <cstdint>

namespace {

void AppendUtf8(uint32_t point, std::string* out) {
    if (point < 0x80) {
        out->push_back(static_cast<char>(point));
    } else if (point < 0x800) {
        out->push_back(static_cast<char>(0xC0 | point >> 6));
        out->push_back(static_cast<char>(0x80 | (point & 0x3F)));
    } else if (point < 0x10000) {
        out->push_back(static_cast<char>(0xE0 | point >> 12));
        out->push_back(static_cast<char>(0x80 | (point >> 6 & 0x3F)));
        out->push_back(static_cast<char>(0x80 | (point & 0x3F)));
    } else {
        out->push_back(static_cast<char>(0xF0 | point >> 18));
        out->push_back(static_cast<char>(0x80 | (point >> 12 & 0x3F)));
        out->push_back(static_cast<char>(0x80 | (point >> 6 & 0x3F)));
        out->push_back(static_cast<char>(0x80 | (point & 0x3F)));
    }
}

void AppendUnit(uint32_t unit, std::string* out) {
    out->push_back(static_cast<char>(unit & 0xFF));
    out->push_back(static_cast<char>(unit >> 8));
}

// The code point of the sequence at text[*pos], or -1 when it is no well-formed sequence
// (overlong forms included); surrogates are accepted so that unpaired ones come back.
int32_t DecodeUtf8(const std::string& text, size_t* pos) {
    const auto byte = [&](size_t i) { return static_cast<uint8_t>(text[i]); };
    const uint8_t lead = byte(*pos);
    size_t length = 0;
    uint32_t point = 0;
    if (lead < 0x80) {
        ++*pos;
        return lead;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2;
        point = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        point = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        point = lead & 0x07;
    } else {
        return -1;
    }
    if (text.size() - *pos < length) return -1;
    for (size_t i = 1; i < length; ++i) {
        if ((byte(*pos + i) & 0xC0) != 0x80) return -1;
        point = point << 6 | (byte(*pos + i) & 0x3F);
    }
    static const uint32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (point < kSmallest[length] || point > 0x10FFFF) return -1;
    *pos += length;
    return static_cast<int32_t>(point);
}

}  // namespace

std::string Utf16LeToUtf8(const char* data, size_t size) {
    std::string out;
    out.reserve(size);
    const auto unit = [&](size_t i) {
        return static_cast<uint32_t>(static_cast<uint8_t>(data[2 * i]) | static_cast<uint8_t>(data[2 * i + 1]) << 8);
    };
    const size_t units = size / 2;
    for (size_t i = 0; i < units; ++i) {
        const uint32_t first = unit(i);
        if (first >= 0xD800 && first < 0xDC00 && i + 1 < units) {
            const uint32_t second = unit(i + 1);
            if (second >= 0xDC00 && second < 0xE000) {
                AppendUtf8(0x10000 + ((first - 0xD800) << 10) + (second - 0xDC00), &out);
                ++i;
                continue;
            }
        }
        AppendUtf8(first, &out);
    }
    return out;
}

std::string Utf8ToUtf16Le(const std::string& text) {
    std::string out;
    out.reserve(text.size() * 2);
    for (size_t pos = 0; pos < text.size();) {
        const int32_t point = DecodeUtf8(text, &pos);
        if (point < 0) {
            AppendUnit(static_cast<uint8_t>(text[pos++]), &out);
        } else if (point >= 0x10000) {
            const uint32_t rest = static_cast<uint32_t>(point) - 0x10000;
            AppendUnit(0xD800 + (rest >> 10), &out);
            AppendUnit(0xDC00 + (rest & 0x3FF), &out);
        } else {
            AppendUnit(static_cast<uint32_t>(point), &out);
        }
    }
    return out;
}

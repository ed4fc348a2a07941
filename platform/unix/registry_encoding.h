#pragma once

#include <cstddef>
#include <string>

// regedit 5 exports are UTF-16LE; the parser works on UTF-8. Unpaired surrogates travel as
// their three-byte forms and a byte that is no part of UTF-8 as the code unit of its value,
// so that a text decoded here encodes back to the same code units.
std::string Utf16LeToUtf8(const char* data, size_t size);
std::string Utf8ToUtf16Le(const std::string& text);

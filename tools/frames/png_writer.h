#pragma once

#include <cstdint>
#include <string>

// Writes tightly packed RGB rows, top row first, as an 8-bit PNG. The file carries no
// time stamp, so the same pixels give the same bytes.
bool WriteRgbPng(const std::string& path, const unsigned char* rgb, int32_t width, int32_t height,
                 std::string* error);

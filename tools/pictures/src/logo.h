#pragma once

#include <cstdint>
#include <string>
#include <vector>

// White anti-aliased lettering on black, centred with a margin; empty on failure.
std::vector<uint8_t> renderLogo(const std::string& fontPath, const std::string& text, int width, int height,
                                int margin);

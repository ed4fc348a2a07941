#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "faces.h"

// The program's icon: one button face as a round, anti-aliased RGBA picture, the disc
// touching the edges. Row 0 is the top.
std::vector<uint8_t> renderIcon(const Face& face, int size);

// The icon sizes Windows and the desktop menus ask for.
constexpr int kIconSizes[] = {16, 32, 48, 256};

// Writes brisalo-N.png for each size and Brisalo.ico holding all of them (BMP entries for
// the small sizes, which every Windows reads; PNG for 256, as Windows wants it). True when
// every file was written.
bool writeIcons(const std::string& dir, const Face& face);

#pragma once

#include <cstdint>
#include <vector>

#include "faces.h"

constexpr int kCell = 128;
constexpr int kColumns = 16;
constexpr int kRows = 8;
constexpr int kAtlasWidth = kCell * kColumns;
constexpr int kAtlasHeight = kCell * kRows;

// Renders every face into its cell (cell i at column i % 16, row i / 16) as RGB bytes,
// and the matching alpha discs as grey bytes. cellFilter, when set, limits work to the cells it accepts.
void renderAtlas(const std::vector<Face>& faces, std::vector<uint8_t>& rgb, std::vector<uint8_t>& mask,
                 const std::function<bool(int)>& cellFilter);

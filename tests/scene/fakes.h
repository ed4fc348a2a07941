#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "images/texture_image.h"

// Link-time stand-ins for what the Scene and the frame clock call outside themselves.

// Every loader and GL call the fakes saw, in order, one line each.
extern std::vector<std::string> fakeCalls;

// What the fake loaders put into the records they are given.
struct FakeLoad {
    bool succeeds = true;
    uint32_t width = 0;
    uint32_t height = 0;
    uint32_t texture = 0;
};
extern FakeLoad fakeAtlasLoad;
extern FakeLoad fakeLogoLoad;
// The records the loaders were handed, to check which record got which image.
extern const TextureImage* fakeAtlasRecord;
extern const TextureImage* fakeLogoRecord;

// Restores the shipped images (2048 x 1024 atlas, 256 x 64 logo) and clears the log.
void ResetFakes();

// The monotonic counter the frame clock reads.
extern int64_t fakeCounterFrequency;
extern int64_t fakeCounterNow;

#pragma once

#include <cstdint>

// The lock's password prompt over the kaleidoscope: a ring in the middle of a view, in the
// manner of other Wayland lockers. It never shows what was typed, only that keys came.
enum class LockRing : uint8_t { Typing, Checking, Wrong };

struct LockPromptLook {
    LockRing ring = LockRing::Typing;
    int32_t keyPresses = 0;  // each press lights the ring elsewhere
    bool erased = false;     // the last press took a character away (or all of them)
    float seconds = 0.0f;    // turns the lit arc while checking
};

// The ring's colours, whole bytes so that a picture can be read for them.
constexpr uint8_t kRingTyping[3] = {40, 130, 210};
constexpr uint8_t kRingChecking[3] = {150, 90, 220};
constexpr uint8_t kRingWrong[3] = {220, 40, 40};

// Draws the prompt over the view (x, y, width, height: its GL viewport) just drawn. Every
// piece of GL state it changes is put back as it was.
void DrawLockPrompt(const LockPromptLook& look, int32_t x, int32_t y, int32_t width, int32_t height);

#pragma once

#include <gtest/gtest.h>

#include "platform/offscreen_context.h"

// A fixture with a current GL context on an offscreen drawable of the given size.
// Skips (not passes) the test when there is no X display to draw on.
class GlTest : public ::testing::Test {
protected:
    void SetUp() override { openContext(640, 480); }
    void TearDown() override { gl.close(); }
    void openContext(int width, int height);
    OffscreenContext gl;
};

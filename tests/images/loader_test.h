#pragma once

#include <gtest/gtest.h>

#include <string>

#include "images/texture_image.h"
#include "tests/images/fake_build_texture.h"
#include "tests/images/fake_resources.h"

// Loader tests start with no streams and a builder that has seen nothing.
class LoaderTest : public ::testing::Test {
protected:
    void SetUp() override {
        ClearFakeResources();
        ResetBuiltTexture();
    }
    void TearDown() override { ClearFakeResources(); }

    // A failed load leaves no texture, no buffer, and never reached the builder.
    static void ExpectNothingBuilt(const TextureImage& image) {
        EXPECT_EQ(image.texture, 0u);
        EXPECT_EQ(image.pixels, nullptr);
        EXPECT_EQ(builtTexture.calls, 0);
    }
};

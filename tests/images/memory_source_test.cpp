#include <gtest/gtest.h>

#include "images/jpeg_memory_source.h"

namespace {

class MemorySourceTest : public ::testing::Test {
protected:
    void SetUp() override {
        cinfo.err = jpeg_std_error(&errors);
        jpeg_create_decompress(&cinfo);
    }
    void TearDown() override { jpeg_destroy_decompress(&cinfo); }

    jpeg_decompress_struct cinfo;
    jpeg_error_mgr errors;
};

TEST_F(MemorySourceTest, SkipsStopAtTheEndAndThenOnlyAnEndOfImageMarkerIsSupplied) {
    const unsigned char bytes[10] = {};
    ResourceBuffer buffer{bytes, sizeof bytes};
    UseMemorySource(&cinfo, &buffer);
    jpeg_source_mgr* src = cinfo.src;
    EXPECT_EQ(src->next_input_byte, bytes);
    EXPECT_EQ(src->bytes_in_buffer, 10u);

    src->skip_input_data(&cinfo, 4);
    EXPECT_EQ(src->next_input_byte, bytes + 4);
    EXPECT_EQ(src->bytes_in_buffer, 6u);
    src->skip_input_data(&cinfo, 0);
    src->skip_input_data(&cinfo, -3);
    EXPECT_EQ(src->next_input_byte, bytes + 4);

    src->skip_input_data(&cinfo, 1000);
    EXPECT_EQ(src->next_input_byte, bytes + sizeof bytes);
    EXPECT_EQ(src->bytes_in_buffer, 0u);

    testing::internal::CaptureStderr();
    EXPECT_TRUE(src->fill_input_buffer(&cinfo));
    ASSERT_EQ(src->bytes_in_buffer, 2u);
    EXPECT_EQ(src->next_input_byte[0], 0xFF);
    EXPECT_EQ(src->next_input_byte[1], JPEG_EOI);
    // Skipping past the supplied marker stays within it, and asking again gives it again;
    // only the first warning is written.
    src->skip_input_data(&cinfo, 5);
    EXPECT_EQ(src->bytes_in_buffer, 0u);
    EXPECT_TRUE(src->fill_input_buffer(&cinfo));
    EXPECT_EQ(src->bytes_in_buffer, 2u);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Premature end of JPEG file\n");
    EXPECT_EQ(errors.num_warnings, 2);
}

}  // namespace

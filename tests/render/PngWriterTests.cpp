// The screenshot writer: a file other programs can open depends on the checksums and the bit
// order of the compressed stream, which are easy to get subtly wrong.
#include <gtest/gtest.h>

#include <cstdio>

#include "PngWriter.h"

TEST(PngWriter, ChecksumsAndCompressedStreamMatchTheFormat) {
    const uint8_t iend[4] = {'I', 'E', 'N', 'D'};
    EXPECT_EQ(Crc32(iend, 4), 0xAE426082u);

    EXPECT_EQ(ZlibCompress({}), (std::vector<uint8_t>{0x78, 0x01, 0x03, 0x00, 0, 0, 0, 1}));

    // Literals, a short run and a run longer than one match can cover; checked once against an
    // independent inflater.
    std::vector<uint8_t> data = {'a', 'b', 'c', 'c', 'c', 'c', 'c',
                                 'c', 'c', 'c', 'c', 'c', 'c', 'd'};
    data.insert(data.end(), 300, 0);
    const std::vector<uint8_t> expected = {0x78, 0x01, 0x4B, 0x4C, 0x4A, 0x46, 0x80,
                                           0x14, 0x86, 0x51, 0xC0, 0x40, 0x2C, 0x00,
                                           0x00, 0x7F, 0xE7, 0x05, 0x69};
    EXPECT_EQ(ZlibCompress(data), expected);
}

TEST(PngWriter, WritesAFileOnlyForAConsistentImage) {
    const std::string path = ::testing::TempDir() + "kestrane-png-test.png";
    std::vector<uint8_t> rgb(4 * 3 * 3, 200);
    EXPECT_FALSE(WritePng(path, 4, 4, rgb));  // one row short
    EXPECT_FALSE(WritePng(path, 0, 3, {}));
    ASSERT_TRUE(WritePng(path, 4, 3, rgb));

    FILE* in = std::fopen(path.c_str(), "rb");
    ASSERT_NE(in, nullptr);
    uint8_t head[24] = {};
    EXPECT_EQ(std::fread(head, 1, sizeof head, in), sizeof head);
    std::fclose(in);
    std::remove(path.c_str());
    EXPECT_EQ(head[0], 0x89);
    EXPECT_EQ(head[1], 'P');
    EXPECT_EQ(head[12], 'I');  // the header chunk comes first, with width 4 and height 3
    EXPECT_EQ(head[19], 4);
    EXPECT_EQ(head[23], 3);
    EXPECT_FALSE(WritePng("/nonexistent-dir/x.png", 4, 3, rgb));
}

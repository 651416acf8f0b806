#include "support/png_file.h"

#include <gtest/gtest.h>
#include <zlib.h>

namespace rb::test {
namespace {

uint32_t Big32(const std::vector<uint8_t>& b, size_t at) {
    return uint32_t(b[at]) << 24 | uint32_t(b[at + 1]) << 16 | uint32_t(b[at + 2]) << 8 | b[at + 3];
}

// The picture comes back from the file's chunks: size in the header, every row behind its
// filter byte, and each chunk's check sum right.
TEST(PngFile, ChunksCarryThePictureAndTheirCheckSums) {
    const std::vector<uint8_t> rgb = {255, 0, 0, 0, 255, 0, 0, 0, 255, 10, 20, 30};  // 2 x 2
    const std::vector<uint8_t> png = EncodePng(2, 2, rgb);
    ASSERT_GT(png.size(), 8u);
    size_t at = 8;
    std::vector<std::string> types;
    std::vector<uint8_t> packed;
    while (at + 12 <= png.size()) {
        const uint32_t length = Big32(png, at);
        const std::string type(png.begin() + at + 4, png.begin() + at + 8);
        types.push_back(type);
        const uLong crc = crc32(0L, png.data() + at + 4, uInt(length + 4));
        EXPECT_EQ(Big32(png, at + 8 + length), uint32_t(crc)) << type;
        if (type == "IHDR") {
            EXPECT_EQ(Big32(png, at + 8), 2u);
            EXPECT_EQ(Big32(png, at + 12), 2u);
        }
        if (type == "IDAT") packed.assign(png.begin() + at + 8, png.begin() + at + 8 + length);
        at += 12 + length;
    }
    EXPECT_EQ(types, (std::vector<std::string>{"IHDR", "IDAT", "IEND"}));
    std::vector<uint8_t> raw(2 * (1 + 6));
    uLongf rawSize = uLongf(raw.size());
    ASSERT_EQ(uncompress(raw.data(), &rawSize, packed.data(), uLong(packed.size())), Z_OK);
    EXPECT_EQ(raw, (std::vector<uint8_t>{0, 255, 0, 0, 0, 255, 0, 0, 0, 0, 255, 10, 20, 30}));
}

}  // namespace
}  // namespace rb::test

// Writes pictures as PNG files (8-bit RGB, no interlace): the test runs' screenshots.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace rb::test {

// `rgb` holds height rows of width pixels, three bytes each (red, green, blue), top row first.
std::vector<uint8_t> EncodePng(uint32_t width, uint32_t height, const std::vector<uint8_t>& rgb);

// Writes the picture to `path`, creating its folder when missing; false when it cannot.
bool WritePngFile(const std::string& path, uint32_t width, uint32_t height,
                  const std::vector<uint8_t>& rgb);

}  // namespace rb::test

#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Writes an 8-bit RGB image as a PNG file, rows given top first. The pixels are compressed with
// fixed-code deflate and runs only: screenshots are mostly flat colour, which that handles well
// enough without a compression library. False when the file cannot be written.
bool WritePng(const std::string& path, int width, int height, const std::vector<uint8_t>& rgb);

// The deflate stream alone (zlib header, fixed-code block, Adler-32), for tests.
std::vector<uint8_t> ZlibCompress(const std::vector<uint8_t>& data);
uint32_t Crc32(const uint8_t* data, size_t size, uint32_t crc = 0);

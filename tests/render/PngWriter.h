#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Writes an 8-bit RGB image as a PNG file, rows given bottom first as the GL reads them back.
// The pixels go uncompressed in stored deflate blocks: screenshots are few, and this needs no
// compression library. False when the image is inconsistent or the file cannot be written.
bool WritePng(const std::string& path, int width, int height, const std::vector<uint8_t>& rgb);

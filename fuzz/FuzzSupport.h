#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Helpers the fuzz targets share: the readers under test take files, so each input is written to
// a file of its own in a folder that lives as long as the process.
const std::string& FuzzFolder();
// Writes the input to `name` in the fuzz folder and returns the file's path.
std::string WriteInput(const char* name, const std::uint8_t* data, std::size_t size);

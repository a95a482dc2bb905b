#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "PngWriter.h"

// Fixtures for the PNG tests: pictures from the project's writer and the
// byte edits that damage them.

// A deterministic picture of any colour type, depth and interlace; unused
// low bits at the end of each row are zero, as the loader leaves them.
PngPicture patternPicture(uint32_t width, uint32_t height, int colourType, int bitDepth, bool interlaced);

// Offset of the first chunk of `type` (its length field), or npos.
size_t findChunk(const std::string& png, const char* type);
// Length of the chunk at `offset`.
uint32_t chunkLength(const std::string& png, size_t offset);
// Recomputes the CRC of the chunk at `offset` after its data was edited.
void fixCrc(std::string& png, size_t offset);
// Writes `value` big-endian at `offset`.
void putBigEndian(std::string& png, size_t offset, uint32_t value);

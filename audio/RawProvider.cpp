#include "RawProvider.h"

#include <cstring>

#include "AudioFile.h"

bool RawProvider::fill(uint8_t* buffer, uint32_t bytes) {
  lastFillBytes = 0;
  if (file->isEof()) {
    if (bytes) std::memset(buffer, 0, bytes);
    return false;
  }
  if (!bytes) return true;
  // A short or failed read still counts as a fill; the end-of-file indicator ends the music.
  size_t got = file->read(buffer, 1, bytes);
  if (got > bytes) got = bytes;
  std::memset(buffer + got, 0, bytes - got);
  lastFillBytes = static_cast<uint32_t>(got);
  return true;
}

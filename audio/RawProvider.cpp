#include "RawProvider.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "AudioFile.h"

bool RawProvider::fill(uint8_t* buffer, uint32_t bytes) {
  std::lock_guard<std::mutex> lock(readLock);
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

bool RawProvider::seek(double seconds) {
  // Whole frames of two 16-bit samples; the file's offsets are 32-bit.
  const double frames = std::floor(seconds * 44100.0 + 0.5);
  if (!(frames >= 0.0) || frames * 4.0 > 2147483647.0) return false;
  std::lock_guard<std::mutex> lock(readLock);
  return file->seek(static_cast<int32_t>(frames) * 4, SEEK_SET) == 0;
}

#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "ByteReader.h"

// One chunk's data read a window at a time into a buffer that is reused, for
// chunks too large to hold whole without touching megabytes of fresh memory.
// Stops where the chunk or the file ends.
class ChunkStream {
public:
  ChunkStream(std::FILE* stream, uint8_t* window, size_t windowSize, size_t chunkSize)
      : file(stream), buffer(window), capacity(windowSize), unread(chunkSize) {}

  // The bytes not yet taken: at least `want` of them (at most the buffer's
  // capacity) unless the chunk ends first.
  ByteReader window(size_t want);
  // What `reader`, from the latest window, has not taken stays for the next.
  void keep(const ByteReader& reader) { begin = end - reader.remaining(); }
  // True once every byte of the chunk is in the latest window.
  bool atLastWindow() const { return unread == 0; }
  // Reads the chunk's remaining bytes and drops them.
  void skipRest();

private:
  std::FILE* file;
  uint8_t* buffer;
  size_t capacity;
  size_t unread;
  size_t begin = 0, end = 0;
};

#include "ChunkStream.h"

#include <algorithm>
#include <cstring>

ByteReader ChunkStream::window(size_t want) {
  want = std::min(want, capacity);
  if (end - begin < want && unread > 0) {
    std::memmove(buffer, buffer + begin, end - begin);
    end -= begin;
    begin = 0;
    size_t piece = std::min(unread, capacity - end);
    size_t got = std::fread(buffer + end, 1, piece, file);
    end += got;
    unread = got < piece ? 0 : unread - got; // the file ends inside the chunk
  }
  return ByteReader(buffer + begin, end - begin);
}

void ChunkStream::skipRest() {
  begin = end = 0;
  while (unread > 0) {
    size_t piece = std::min(unread, capacity);
    size_t got = std::fread(buffer, 1, piece, file);
    unread = got < piece ? 0 : unread - got;
  }
}

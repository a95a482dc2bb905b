// libFuzzer target: arbitrary bytes as a music file named *.ogg, opened and
// decoded by the system's own source.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include <sanitizer/lsan_interface.h>

#include "AudioFile.h"
#include "AudioProvider.h"

namespace {

// The AudioFile operations over bytes in memory, with the stdio end-of-file rules.
class MemoryAudioFile : public AudioFile {
public:
  MemoryAudioFile(const uint8_t* data, size_t size) : bytes(data, data + size) { name = "fuzz.ogg"; }

  int open(const char*, int32_t) override { return 0; }
  size_t read(void* buffer, size_t size, size_t count) override {
    if (size == 0 || count == 0) return 0;
    size_t wanted = size * count, left = bytes.size() - position;
    size_t got = std::min(wanted, left);
    if (got) std::memcpy(buffer, bytes.data() + position, got);
    position += got;
    if (got < wanted) eof = true;
    return got / size;
  }
  int seek(int32_t offset, int origin) override {
    long base = origin == SEEK_SET   ? 0
                : origin == SEEK_CUR ? static_cast<long>(position)
                                     : static_cast<long>(bytes.size());
    long target = base + offset;
    if (target < 0) return -1;
    position = std::min(static_cast<size_t>(target), bytes.size());
    eof = false;
    return 0;
  }
  int32_t tell() override { return static_cast<int32_t>(position); }
  int close() override { return 0; }
  int isEof() override { return eof ? 1 : 0; }

private:
  std::vector<uint8_t> bytes;
  size_t position = 0;
  bool eof = false;
};

// vorbisfile 1.3.7 itself leaks a serial-number list when opening a damaged
// chained file fails (_bisect_forward_serialno). So every input is first
// opened with leak checking off; only inputs that open go on, and their run
// is leak-checked in full, the source's own release included.
bool opens(const uint8_t* data, size_t size) {
  __lsan::ScopedDisabler libraryLeaks;
  MemoryAudioFile probe(data, size);
  try {
    delete createAudioProvider(&probe);
    return true;
  } catch (const char*) {
    return false;
  }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (!opens(data, size)) return 0;
  MemoryAudioFile file(data, size);
  std::unique_ptr<AudioProvider> provider(createAudioProvider(&file));
  // Odd and even sizes, capped so that one input cannot decode for ever.
  static const uint32_t sizes[] = {4096, 1, 3, 17640, 0, 7, 65536};
  std::vector<uint8_t> buffer(65536);
  size_t total = 0;
  for (size_t i = 0; total < (16u << 20); ++i) {
    uint32_t bytes = sizes[i % (sizeof sizes / sizeof sizes[0])];
    bool more = provider->fill(buffer.data(), bytes);
    total += bytes;
    provider->getTime();
    if (!more) break;
  }
  return 0;
}

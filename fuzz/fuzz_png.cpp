// libFuzzer target: arbitrary bytes as a picture file, loaded by the
// system's own PNG loader (which reads only from a named file).
#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

#include "PngImage.h"

namespace {

uint32_t bigEndian(const uint8_t* bytes) {
  return uint32_t{bytes[0]} << 24 | uint32_t{bytes[1]} << 16 | uint32_t{bytes[2]} << 8 | bytes[3];
}

// The loader allocates (and clears) the whole block a header asks for, up to
// 4 GiB; libFuzzer would report such an allocation as running out of memory.
// Those sizes are covered by the unit tests, so big headers are left out.
bool declaresHugeImage(const uint8_t* data, size_t size) {
  if (size < 24) return false;
  uint64_t pixels = uint64_t{bigEndian(data + 16)} * bigEndian(data + 20);
  return pixels > (uint64_t{1} << 22);
}

// One file per fuzzing process, removed when it exits.
struct InputFile {
  std::string path = "/tmp/zeph-fuzz-png-" + std::to_string(getpid()) + ".png";
  ~InputFile() { std::remove(path.c_str()); }
};

const std::string& inputPath() {
  static const InputFile file;
  return file.path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (declaresHugeImage(data, size)) return -1; // not added to the corpus
  std::FILE* file = std::fopen(inputPath().c_str(), "wb");
  if (!file) return 0;
  std::fwrite(data, 1, size, file);
  std::fclose(file);
  try {
    PngImage image(inputPath().c_str());
  } catch (const char*) {
  }
  return 0;
}

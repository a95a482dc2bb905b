// What a hostile file makes the loader allocate, seen in the process's peak
// resident memory (POSIX only).
#include <gtest/gtest.h>

#include <sys/resource.h>

#include <string>

#include "PngFixtures.h"
#include "PngImage.h"
#include "TempDir.h"

namespace {

long peakResidentMiB() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss / 1024;
}

TEST(PngMemory, DeclaredChunkLengthsSizeNoAllocation) {
  PngPicture picture = patternPicture(8, 8, 2, 8, false);
  std::string png = encodePng(picture);
  // A text chunk that claims almost 2 GiB, then the file ends.
  size_t afterHeader = findChunk(png, "IHDR") + 12 + 13;
  std::string chunk(8, '\0');
  putBigEndian(chunk, 0, 0x7ffffff0);
  chunk.replace(4, 4, "tEXt");
  png = png.substr(0, afterHeader) + chunk + std::string(100, 'x');
  TempDir dir;
  std::string path = dir.write("text.png", png);

  long before = peakResidentMiB();
  try {
    PngImage image(path.c_str());
    ADD_FAILURE() << "loaded";
  } catch (const char* message) {
    EXPECT_STREQ(message, "[png] corrupt or unreadable file");
  }
  EXPECT_LT(peakResidentMiB() - before, 256);
}

} // namespace

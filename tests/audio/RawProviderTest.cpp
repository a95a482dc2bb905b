#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "AudioFile.h"
#include "AudioProvider.h"
#include "RawProvider.h"
#include "TempDir.h"

namespace {

class RawSource : public ::testing::Test {
protected:
  void open(const std::string& bytes) {
    file.reset(createAudioFile(dir.write("music.raw", bytes).c_str(), -1));
    provider.reset(createAudioProvider(file.get()));
    ASSERT_NE(dynamic_cast<RawProvider*>(provider.get()), nullptr);
  }
  std::string fill(uint32_t bytes, bool expected) {
    std::vector<uint8_t> buffer(bytes + 1, 0xAA);
    EXPECT_EQ(provider->fill(buffer.data(), bytes), expected);
    EXPECT_EQ(buffer[bytes], 0xAA);
    return std::string(buffer.begin(), buffer.end() - 1);
  }

  TempDir dir;
  std::unique_ptr<AudioFile> file;
  std::unique_ptr<AudioProvider> provider;
};

TEST_F(RawSource, CopiesTheBytesThenSilence) {
  open("0123456789");
  EXPECT_EQ(fill(0, true), "");
  EXPECT_EQ(fill(4, true), "0123");
  EXPECT_EQ(provider->getLastFillBytes(), 4u);
  // The short read at the end still returns true; the rest is silence.
  EXPECT_EQ(fill(8, true), std::string("456789\0\0", 8));
  EXPECT_EQ(provider->getLastFillBytes(), 6u);
  EXPECT_EQ(fill(3, false), std::string(3, '\0'));
  EXPECT_EQ(fill(3, false), std::string(3, '\0'));
  EXPECT_EQ(provider->getLastFillBytes(), 0u);
  EXPECT_EQ(provider->getTime(), 0.0);
}

TEST_F(RawSource, AnEmptyFileEndsAfterItsFirstFill) {
  open("");
  EXPECT_EQ(fill(4, true), std::string(4, '\0'));
  EXPECT_EQ(fill(4, false), std::string(4, '\0'));
  EXPECT_EQ(provider->getTime(), 0.0);
}

} // namespace

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "AudioFile.h"
#include "TempDir.h"

namespace {

TEST(AudioFile, ReadsSeeksAndReportsTheEndOfFile) {
  TempDir dir;
  std::string path = dir.write("data.bin", "0123456789");
  std::unique_ptr<AudioFile> file(createAudioFile(path.c_str(), -1));
  EXPECT_EQ(file->getName(), path);

  char buffer[16] = {};
  EXPECT_EQ(file->read(buffer, 4, 2), 2u);
  EXPECT_EQ(std::string(buffer, 8), "01234567");
  EXPECT_EQ(file->tell(), 8);
  EXPECT_EQ(file->isEof(), 0);
  // Two items asked, half of one left: no whole item, and the end is reached.
  EXPECT_EQ(file->read(buffer, 4, 2), 0u);
  EXPECT_NE(file->isEof(), 0);

  // A seek clears the indicator, even after the end has been read.
  EXPECT_EQ(file->seek(-3, SEEK_END), 0);
  EXPECT_EQ(file->isEof(), 0);
  EXPECT_EQ(file->read(buffer, 1, 3), 3u);
  EXPECT_EQ(std::string(buffer, 3), "789");
  EXPECT_EQ(file->isEof(), 0); // exactly at the end, but no read has run into it
  EXPECT_EQ(file->seek(2, SEEK_SET), 0);
  EXPECT_EQ(file->tell(), 2);
  EXPECT_NE(file->seek(-100, SEEK_SET), 0);
  EXPECT_EQ(file->close(), 0);
}

TEST(AudioFile, MissingFileThrowsButKeepsTheName) {
  TempDir dir;
  std::string missing = dir.file("missing.ogg");
  AudioFile file;
  try {
    file.open(missing.c_str(), -1);
    FAIL() << "no failure";
  } catch (const char* message) {
    EXPECT_STREQ(message, "Could not open file!");
  }
  EXPECT_EQ(file.getName(), missing);
  EXPECT_EQ(file.read(nullptr, 1, 0), 0u);
  EXPECT_EQ(file.isEof(), 0);

  try {
    createAudioFile(missing.c_str(), -1);
    FAIL() << "no failure";
  } catch (const char* message) {
    EXPECT_STREQ(message, "Could not open file!");
  }
}

TEST(AudioFile, OtherKindsGiveTheNullFile) {
  std::unique_ptr<AudioFile> file(createAudioFile("anything.ogg", 0));
  ASSERT_NE(dynamic_cast<NullAudioFile*>(file.get()), nullptr);
  EXPECT_EQ(file->getName(), "");
  char buffer[4] = {'a', 'b', 'c', 'd'};
  EXPECT_EQ(file->read(buffer, 1, 4), 0u);
  EXPECT_EQ(std::memcmp(buffer, "abcd", 4), 0);
  EXPECT_EQ(file->seek(10, SEEK_SET), 0);
  EXPECT_EQ(file->tell(), 0);
  EXPECT_EQ(file->isEof(), 0);
  EXPECT_EQ(file->close(), 0);
  EXPECT_EQ(file->open("other", 7), 0);
  EXPECT_EQ(file->getName(), "");
}

} // namespace

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "AudioFile.h"
#include "AudioFixtures.h"
#include "AudioProvider.h"
#include "MillisecondTimer.h"
#include "TestMusic.h"
#include "VorbisEncoder.h"

namespace {

uint32_t frozenTimer() {
  return 42;
}

bool allZero(const uint8_t* bytes, size_t count) {
  return std::all_of(bytes, bytes + count, [](uint8_t b) { return b == 0; });
}

class OggSource : public ::testing::Test {
protected:
  void open(const std::string& path) {
    file.reset(createAudioFile(path.c_str(), -1));
    provider.reset(createAudioProvider(file.get()));
  }

  TempDir dir;
  std::unique_ptr<AudioFile> file;
  std::unique_ptr<AudioProvider> provider;
};

TEST_F(OggSource, DecodesTheWholeMusicExactly) {
  std::string path = writeOgg(dir, "music.ogg", 1.5);
  std::vector<uint8_t> whole = decodeWhole(path, playbackBytes(3.0));
  ASSERT_EQ(whole.size(), playbackBytes(1.5));
  EXPECT_FALSE(allZero(whole.data(), whole.size()));
}

TEST_F(OggSource, OpeningLeavesTheEndOfFileIndicatorClear) {
  // The decoder reads all of this short music while opening.
  open(writeOgg(dir, "music.ogg", 0.2));
  EXPECT_EQ(file->isEof(), 0);
  std::vector<uint8_t> buffer(4096, 0xAA);
  EXPECT_TRUE(provider->fill(buffer.data(), 4096));
  EXPECT_EQ(provider->getLastFillBytes(), 4096u);
}

TEST_F(OggSource, ZeroByteFillsWriteNothing) {
  open(writeOgg(dir, "music.ogg", 0.2));
  uint8_t sentinel = 0xAA;
  EXPECT_TRUE(provider->fill(&sentinel, 0));
  EXPECT_EQ(sentinel, 0xAA);
  std::vector<uint8_t> rest(playbackBytes(1.0));
  EXPECT_FALSE(provider->fill(rest.data(), static_cast<uint32_t>(rest.size())));
  EXPECT_NE(file->isEof(), 0);
  EXPECT_FALSE(provider->fill(&sentinel, 0));
  EXPECT_EQ(sentinel, 0xAA);
}

TEST_F(OggSource, OddSizedFillsDeliverTheSameByteStream) {
  std::string path = writeOgg(dir, "music.ogg", 1.0);
  std::vector<uint8_t> whole = decodeWhole(path, playbackBytes(2.0));
  open(path);
  const uint32_t sizes[] = {1, 3, 2, 7, 4097, 5, 0, 11025, 2, 1, 6};
  std::vector<uint8_t> joined, buffer(11025);
  for (size_t i = 0;; ++i) {
    uint32_t size = sizes[i % (sizeof sizes / sizeof sizes[0])];
    bool more = provider->fill(buffer.data(), size);
    uint32_t got = provider->getLastFillBytes();
    joined.insert(joined.end(), buffer.begin(), buffer.begin() + got);
    if (!more) break;
    ASSERT_EQ(got, size);
  }
  ASSERT_LE(joined.size(), whole.size());
  // Only the end-of-file rule may end the music early: by what the decoder read ahead.
  EXPECT_GT(joined.size(), whole.size() - playbackBytes(0.5));
  EXPECT_TRUE(std::equal(joined.begin(), joined.end(), whole.begin()));
}

TEST_F(OggSource, EndOfStreamGivesSilenceAndFalseFromThenOn) {
  open(writeOgg(dir, "music.ogg", 0.3));
  std::vector<uint8_t> buffer(playbackBytes(1.0), 0xAA);
  EXPECT_FALSE(provider->fill(buffer.data(), static_cast<uint32_t>(buffer.size())));
  uint32_t got = provider->getLastFillBytes();
  EXPECT_EQ(got, playbackBytes(0.3));
  EXPECT_FALSE(allZero(buffer.data(), got));
  EXPECT_TRUE(allZero(buffer.data() + got, buffer.size() - got));
  for (int i = 0; i < 2; ++i) {
    std::fill(buffer.begin(), buffer.end(), 0xAA);
    EXPECT_FALSE(provider->fill(buffer.data(), 1000));
    EXPECT_EQ(provider->getLastFillBytes(), 0u);
    EXPECT_TRUE(allZero(buffer.data(), 1000));
    EXPECT_EQ(buffer[1000], 0xAA);
  }
}

TEST_F(OggSource, EndOfFileIndicatorEndsTheMusicBeforeTheDecoderIsDrained) {
  open(writeOgg(dir, "music.ogg", 1.0));
  std::vector<uint8_t> buffer(4096);
  uint32_t total = 0;
  bool more = true;
  while (more && !file->isEof()) {
    more = provider->fill(buffer.data(), 4096);
    total += provider->getLastFillBytes();
  }
  // With small fills the file's end is read while the decoder still holds
  // audio; the next fill returns silence all the same.
  ASSERT_TRUE(more);
  std::fill(buffer.begin(), buffer.end(), 0xAA);
  EXPECT_FALSE(provider->fill(buffer.data(), 4096));
  EXPECT_TRUE(allZero(buffer.data(), 4096));
  EXPECT_LT(total, playbackBytes(1.0));
  EXPECT_GT(total, playbackBytes(0.5));
}

TEST_F(OggSource, ChainedStreamsDecodeOneAfterTheOther) {
  music::Pcm first = music::renderTestMusic(0.6), second = music::renderTestMusic(0.4);
  std::string bytes = music::encodeVorbisChain({first, second});
  std::vector<uint8_t> chained = decodeWhole(dir.write("chain.ogg", bytes), playbackBytes(2.0));
  std::vector<uint8_t> alone =
      decodeWhole(dir.write("first.ogg", music::encodeVorbis(first)), playbackBytes(2.0));
  ASSERT_EQ(chained.size(), playbackBytes(1.0));
  EXPECT_TRUE(std::equal(alone.begin(), alone.end(), chained.begin()));

  // The clock's position runs on across the link, and through the silence after the end.
  open(dir.file("chain.ogg"));
  std::vector<uint8_t> buffer(playbackBytes(2.0));
  setMillisecondTimer(frozenTimer);
  provider->fill(buffer.data(), static_cast<uint32_t>(buffer.size()));
  provider->reportPlayed(buffer.size(), frozenTimer());
  double clock = provider->getTime();
  setMillisecondTimer(nullptr);
  EXPECT_NEAR(clock, 2.0, 1e-9);
}

TEST_F(OggSource, OtherRatesAndChannelCountsDecodeAsTheyAre) {
  // Nothing is resampled or remixed: mono gives two bytes a frame.
  EXPECT_EQ(decodeWhole(writeOgg(dir, "mono.ogg", 0.5, 44100, 1), playbackBytes(2.0)).size(), 44100u);
  EXPECT_EQ(decodeWhole(writeOgg(dir, "slow.ogg", 0.5, 22050, 2), playbackBytes(2.0)).size(), 44100u);
  std::string mixed = music::encodeVorbisChain(
      {music::renderTestMusic(0.5, 44100, 2), music::renderTestMusic(0.5, 44100, 1)});
  EXPECT_EQ(decodeWhole(dir.write("mixed.ogg", mixed), playbackBytes(2.0)).size(), 88200u + 44100u);
}

} // namespace

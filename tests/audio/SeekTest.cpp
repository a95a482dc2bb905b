// Seeking a source, alone and while the "Null" output plays it.
#include <algorithm>
#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "AudioDevice.h"
#include "AudioFile.h"
#include "AudioFixtures.h"
#include "AudioProvider.h"
#include "MillisecondTimer.h"
#include "NullAudioDevice.h"

namespace {

class Seek : public ::testing::Test {
protected:
  static void SetUpTestSuite() { ogg = new std::string(oggBytes(32.0)); }
  static void TearDownTestSuite() { delete ogg; }
  void SetUp() override { installScriptedTimer(5000); }
  void TearDown() override { setMillisecondTimer(nullptr); }

  AudioProvider* open(const std::string& name, const std::string& bytes) {
    file.reset(createAudioFile(dir.write(name, bytes).c_str(), -1));
    source.reset(createAudioProvider(file.get()));
    return source.get();
  }
  std::vector<uint8_t> take(uint32_t bytes) {
    std::vector<uint8_t> pcm(bytes);
    source->fill(pcm.data(), bytes);
    return pcm;
  }

  static std::string* ogg;
  TempDir dir;
  std::unique_ptr<AudioFile> file;
  std::unique_ptr<AudioProvider> source;
};
std::string* Seek::ogg = nullptr;

TEST_F(Seek, OggVorbisDeliversTheMusicFromThereAndTheClockReadsItAtOnce) {
  const std::vector<uint8_t> whole = decodeWhole(dir.write("whole.ogg", *ogg), playbackBytes(33.0));
  open("music.ogg", *ogg);
  take(playbackBytes(2.0)); // playing somewhere else first
  ASSERT_TRUE(source->seek(30.0));
  EXPECT_NEAR(source->getTime(), 30.0, 0.001);
  scriptedMs = 5250;
  EXPECT_NEAR(source->getTime(), 30.0, 0.001) << "and holds until an output plays from there";
  const std::vector<uint8_t> pcm = take(playbackBytes(1.0));
  EXPECT_TRUE(std::equal(pcm.begin(), pcm.end(), whole.begin() + playbackBytes(30.0)));

  // Back to the start, and past the end: silence.
  ASSERT_TRUE(source->seek(0.0));
  EXPECT_NEAR(source->getTime(), 0.0, 0.001);
  const std::vector<uint8_t> first = take(4096);
  EXPECT_TRUE(std::equal(first.begin(), first.end(), whole.begin()));
  ASSERT_TRUE(source->seek(40.0));
  const std::vector<uint8_t> after = take(4096);
  EXPECT_TRUE(std::all_of(after.begin(), after.end(), [](uint8_t b) { return b == 0; }));
  EXPECT_FALSE(source->seek(-1.0));
}

TEST_F(Seek, RawGoesToTheFrameAndKeepsItsClockAtZero) {
  std::string bytes(playbackBytes(2.0), '\0');
  for (size_t i = 0; i < bytes.size(); ++i)
    bytes[i] = static_cast<char>(i * 7 + i / 256);
  open("music.raw", bytes);
  ASSERT_TRUE(source->seek(1.5));
  const std::vector<uint8_t> pcm = take(4096);
  EXPECT_EQ(std::string(pcm.begin(), pcm.end()), bytes.substr(playbackBytes(1.5), 4096));
  EXPECT_EQ(source->getTime(), 0.0);
}

// Playing on the Null output, with 96 ms from its position to what is heard:
// a seek and, 100 ms later, a restart. The clock steps once, to the seek's
// position, holds there until the music from there is heard, and never goes
// back.
TEST_F(Seek, DuringPlaybackWithARestartOnTheNullOutput) {
  open("music.ogg", *ogg);
  std::unique_ptr<NullAudioDevice> output(
      static_cast<NullAudioDevice*>(createAudioDevice("Null", source.get(), nullptr)));
  const double latency = 0.096;
  source->setOutputLatency(latency);
  output->start();
  auto at = [&](uint32_t ms) {
    scriptedMs = 5000 + ms;
    output->poll();
    return source->getTime();
  };
  EXPECT_NEAR(at(2500), 2.5 - latency, 0.001);
  ASSERT_TRUE(source->seek(20.0));
  EXPECT_NEAR(source->getTime(), 20.0, 0.001);
  EXPECT_NEAR(at(2600), 20.0, 0.001) << "before the restart: at the seek";
  const uint64_t before = output->takenBytes();
  output->restart();
  EXPECT_EQ(output->takenBytes(), before + playbackBytes(2.0)) << "two buffers from the new position";
  double previous = 0.0;
  for (uint32_t ms = 2610; ms <= 6000; ms += 10) {
    const double clock = at(ms);
    ASSERT_NEAR(clock, std::max(20.0, 20.0 + (ms - 2600) * 0.001 - latency), 0.001) << ms;
    ASSERT_GE(clock, previous) << ms;
    previous = clock;
  }
  output->close();
}

} // namespace

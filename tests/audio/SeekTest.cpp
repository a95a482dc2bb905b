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

// Playing on the Null output, with 96 ms from its position to what is heard.
// A seek steps the clock once, to its target, which it holds until the music
// from there is heard; a pause lets it run on to what was played and hold; a
// seek while paused steps again; a resume holds until the music is heard. A
// seek the source refuses changes nothing. Otherwise the clock never goes back.
TEST_F(Seek, ThroughTheNullOutputStepsOnlyToItsTarget) {
  open("music.ogg", *ogg);
  std::unique_ptr<NullAudioDevice> output(
      static_cast<NullAudioDevice*>(createAudioDevice("Null", source.get(), nullptr)));
  const double latency = 0.096;
  source->setOutputLatency(latency);
  output->start();
  auto expected = [&](uint32_t ms) {
    const double s = ms * 0.001;
    if (ms < 2500) return s - latency;
    if (ms < 4000) return std::max(20.0, 20.0 + (s - 2.5) - latency);
    if (ms < 6000) return std::min(21.5, 20.0 + (s - 2.5) - latency);
    if (ms < 7000) return 10.0;
    return std::max(10.0, 10.0 + (s - 7.0) - latency);
  };
  double previous = -1.0;
  for (uint32_t ms = 10; ms <= 9000; ms += 10) {
    scriptedMs = 5000 + ms;
    output->poll();
    const uint64_t taken = output->takenBytes();
    const bool stepped = ms == 2500 || ms == 6000;
    bool sought = true;
    if (ms == 2500) sought = output->seek(20.0);
    if (ms == 4000) output->pause();
    if (ms == 6000) sought = output->seek(10.0);
    if (ms == 7000) output->resume();
    if (ms == 8000) sought = !output->seek(-1.0);
    ASSERT_TRUE(sought) << ms;
    // Two buffers from the seek's position; none for the seek refused.
    const uint64_t takenBySeek = stepped ? playbackBytes(2.0) : 0;
    if (stepped || ms == 8000) {
      EXPECT_EQ(output->takenBytes(), taken + takenBySeek) << ms;
    }
    const double clock = source->getTime();
    ASSERT_NEAR(clock, expected(ms), 0.001) << ms;
    ASSERT_GE(clock, stepped ? clock : previous) << ms;
    previous = clock;
  }
  output->close();
}

} // namespace

// The "Null" output under a scripted millisecond timer: its own thread polls
// too, but a poll for a timer reading that has been handled changes nothing,
// so the test's own polls decide what happens.
#include <atomic>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "AudioDevice.h"
#include "AudioFile.h"
#include "AudioFixtures.h"
#include "AudioProvider.h"
#include "MillisecondTimer.h"
#include "NullAudioDevice.h"

namespace {

class NullOutput : public ::testing::Test {
protected:
  static void SetUpTestSuite() { ogg = new std::string(oggBytes(3.0)); }
  static void TearDownTestSuite() { delete ogg; }
  void SetUp() override {
    installScriptedTimer(startMs);
    file.reset(createAudioFile(dir.write("music.ogg", *ogg).c_str(), -1));
    source.reset(createAudioProvider(file.get()));
    output.reset(static_cast<NullAudioDevice*>(createAudioDevice("Null", source.get(), nullptr)));
  }
  void TearDown() override {
    output->close();
    setMillisecondTimer(nullptr);
  }
  // Sets the timer to `ms` after start and polls as the output's thread would.
  void at(uint32_t ms) {
    scriptedMs = startMs + ms;
    output->poll();
  }

  // Near the timer's wrap, which nothing may notice.
  static constexpr uint32_t startMs = 0xFFFFF000u;
  static std::string* ogg;
  TempDir dir;
  std::unique_ptr<AudioFile> file;
  std::unique_ptr<AudioProvider> source;
  std::unique_ptr<NullAudioDevice> output;
};
std::string* NullOutput::ogg = nullptr;

TEST_F(NullOutput, TakesOneBufferForEachSecondOfTheTimer) {
  EXPECT_EQ(output->bufferBytes, 176400);
  EXPECT_FALSE(output->running);
  output->start();
  EXPECT_EQ(output->takenBytes(), playbackBytes(2.0));
  at(999);
  EXPECT_EQ(output->takenBytes(), playbackBytes(2.0));
  at(1000);
  EXPECT_EQ(output->takenBytes(), playbackBytes(3.0));
  at(5500); // a late poll catches up
  EXPECT_EQ(output->takenBytes(), playbackBytes(7.0));
  output->stop();
  at(9000);
  EXPECT_EQ(output->takenBytes(), playbackBytes(7.0));
}

// The music lasts 3 s; the output plays silence after it, and the clock
// follows the timer on past the end, never back.
TEST_F(NullOutput, TheClockPassesTheMusicsEndAtRealTime) {
  output->start();
  EXPECT_NEAR(source->getTime(), 0.0, 1e-9);
  double previous = 0.0;
  for (uint32_t ms = 100; ms <= 8000; ms += 100) {
    at(ms);
    const double clock = source->getTime();
    ASSERT_NEAR(clock, ms * 0.001, 0.001) << ms;
    ASSERT_GT(clock, previous);
    previous = clock;
  }
}

} // namespace

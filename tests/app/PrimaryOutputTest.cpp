// The platform's primary output ("WaveOut" on Windows, "SDL2" elsewhere)
// playing into the machine's real sound service.
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <memory>
#include <thread>

#include "AudioDevice.h"
#include "OutputProbe.h"
#include "PatternProvider.h"

namespace {

struct OpenOutput {
  PatternProvider source;
  std::unique_ptr<AudioDevice> output{createAudioDevice(primaryAudioOutputName(), &source, nullptr)};
};

TEST(PrimaryOutput, OpensForOneSecondBuffersWithoutPlaying) {
  OpenOutput o;
  EXPECT_EQ(o.output->bufferBytes, 176400);
  EXPECT_FALSE(o.output->running);
  EXPECT_EQ(nextBuffer(o.output.get()), 0);
  EXPECT_EQ(o.source.fillCount(), 0);
  // Two one-second buffers are decoded ahead of what is heard.
  EXPECT_EQ(o.source.getOutputLead(), 2.0);
}

TEST(PrimaryOutput, StartFillsBothBuffersThenRefillsOneEachSecondInTurn) {
  OpenOutput o;
  o.output->start();
  std::vector<PatternProvider::Fill> started = o.source.fills();
  ASSERT_EQ(started.size(), 2u);
  EXPECT_EQ(started[0].buffer, outputBuffer(o.output.get(), 0));
  EXPECT_EQ(started[1].buffer, outputBuffer(o.output.get(), 1));
  EXPECT_EQ(started[0].thread, std::this_thread::get_id());
  EXPECT_EQ(started[1].thread, std::this_thread::get_id());

  // Each played second brings one refill, away from this thread, of the
  // buffer that has just finished.
  ASSERT_TRUE(o.source.waitForFills(5, 20.0));
  std::vector<PatternProvider::Fill> fills = o.source.fills();
  for (size_t i = 2; i < 5; ++i) {
    EXPECT_EQ(fills[i].buffer, outputBuffer(o.output.get(), static_cast<int>(i % 2))) << "fill " << i;
    EXPECT_NE(fills[i].thread, std::this_thread::get_id()) << "fill " << i;
  }
  o.output->close();
  EXPECT_TRUE(outputClosed(o.output.get()));
}

TEST(PrimaryOutput, StopEndsTheRefillsAndTheQueuedBuffersPlayOut) {
  OpenOutput o;
  o.output->start();
  ASSERT_TRUE(o.source.waitForFills(3, 20.0));
  o.output->stop();
  EXPECT_FALSE(o.output->running);
  int fillsAtStop = o.source.fillCount();
  // A refill that began before the stop still finishes and moves on.
  int32_t nextAtStop = fillsAtStop % 2;
  for (int i = 0; i < 1000 && nextBuffer(o.output.get()) != nextAtStop; ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  // Both queued buffers finish within two seconds; neither is refilled.
  std::this_thread::sleep_for(std::chrono::milliseconds(3000));
  EXPECT_EQ(o.source.fillCount(), fillsAtStop);
  EXPECT_EQ(nextBuffer(o.output.get()), nextAtStop);
  o.output->close();
}

// A restart drops what was queued: both buffers come from the source again,
// and playback and closing go on as before.
TEST(PrimaryOutput, RestartQueuesBothBuffersAgainAndPlaysOn) {
  OpenOutput o;
  o.output->restart(); // not playing: nothing to drop
  EXPECT_EQ(o.source.fillCount(), 0);
  o.output->start();
  o.output->restart();
  ASSERT_TRUE(o.source.waitForFills(5, 20.0));
  o.output->close();
  EXPECT_TRUE(outputClosed(o.output.get()));
}

TEST(PrimaryOutput, CloseWhilePlayingCancelsTheQueue) {
  OpenOutput o;
  o.output->start();
  o.output->close();
  EXPECT_FALSE(o.output->running);
  EXPECT_TRUE(outputClosed(o.output.get()));
  EXPECT_EQ(o.source.fillCount(), 2);
}

} // namespace

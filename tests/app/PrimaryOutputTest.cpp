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

// A seek in ordinary playback drops what was queued: the next byte played is
// the seek's first, and both buffers come from the source again, at once.
// Played on instead, the queue would take two seconds to reach that byte,
// and the buffers would come one a second.
TEST(PrimaryOutput, SeekDropsTheQueueAndPlaysFromThereAtOnce) {
  OpenOutput o;
  EXPECT_TRUE(o.output->seek(1.0)); // not playing: the source alone
  EXPECT_EQ(o.source.fillCount(), 0);
  o.output->start();
  ASSERT_TRUE(o.source.waitForFills(3, 20.0));
  ASSERT_TRUE(o.output->seek(5.0));
  EXPECT_EQ(o.source.seeks(), (std::vector<double>{1.0, 5.0}));
  EXPECT_TRUE(o.source.waitForFills(5, 0.8)) << "the buffers were not refilled from the seek";
  EXPECT_GE(o.source.seekByte(), 3u * 176400u);
  EXPECT_TRUE(o.source.waitForPlayed(o.source.seekByte(), 0.8))
      << "what was queued before the seek still plays";
  o.output->close();
  EXPECT_TRUE(outputClosed(o.output.get()));
}

// Paused, the position holds, through a seek too; resumed, it plays on.
TEST(PrimaryOutput, PauseHoldsThroughASeekAndResumePlaysOn) {
  const uint64_t tenthOfASecond = 17640;
  OpenOutput o;
  o.output->start();
  ASSERT_TRUE(o.source.waitForPlayed(tenthOfASecond, 20.0));
  o.output->pause();
  EXPECT_TRUE(o.output->paused);
  const int fills = o.source.fillCount();
  ASSERT_TRUE(o.output->seek(9.0));
  const uint64_t seekByte = o.source.seekByte();
  ASSERT_TRUE(o.source.waitForFills(fills + 2, 0.8)) << "the buffers were not refilled from the seek";
  ASSERT_TRUE(o.source.waitForPlayed(seekByte, 0.8)) << "what was queued before the seek still plays";
  // Wine's waveOut counts what it hands its engine as played, so the
  // position may pass the seek's first byte; but it does not move on.
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  const uint64_t held = o.source.playedByte();
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  EXPECT_EQ(o.source.playedByte(), held) << "it played on while paused";
  o.output->resume();
  EXPECT_FALSE(o.output->paused);
  EXPECT_TRUE(o.source.waitForPlayed(held + tenthOfASecond, 5.0)) << "it did not play on when resumed";
  o.output->close();
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

// The SDL2 output when SDL refuses to queue a buffer (here: one queued for a
// device that is not open).
#include <gtest/gtest.h>

#include <memory>

#include "PatternProvider.h"
#include "SdlAudioDevice.h"

namespace {

TEST(SdlOutput, ARefusedBufferIsNeitherCountedNorLostButQueuedNextTime) {
  PatternProvider source;
  std::unique_ptr<AudioDevice> output{createAudioDevice("SDL2", &source, nullptr)};
  auto* sdl = static_cast<SdlAudioDevice*>(output.get());
  sdl->running = true; // without start: no feeder, and the paused device keeps its queue
  const SDL_AudioDeviceID open = sdl->device;

  sdl->device = 0;
  EXPECT_FALSE(sdl->refill());
  EXPECT_EQ(sdl->queuedBytes.load(), 0u);
  EXPECT_EQ(sdl->current, 0);

  sdl->device = open;
  EXPECT_TRUE(sdl->refill());
  EXPECT_EQ(source.fillCount(), 1) << "the refused second was filled again: it is lost";
  EXPECT_EQ(sdl->queuedBytes.load(), 176400u);
  EXPECT_EQ(SDL_GetQueuedAudioSize(open), 176400u);
  EXPECT_TRUE(sdl->refill());
  EXPECT_EQ(source.fillCount(), 2);
  EXPECT_EQ(sdl->queuedBytes.load(), 2 * 176400u);
  EXPECT_EQ(sdl->current, 0);
  output->close();
}

} // namespace

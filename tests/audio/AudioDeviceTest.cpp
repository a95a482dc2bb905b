#include <cstdlib>
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "AudioDevice.h"

namespace {

class SilentDevice : public AudioDevice {
public:
  int open(void*) override { return 0; }
  void start() override { running = true; }
  void close() override {}
};

TEST(AudioDevice, SetFormatSizesOneSecondOfTwoChannels) {
  SilentDevice device;
  device.setFormat(44100, 16);
  EXPECT_EQ(device.bytesPerSample, 2);
  EXPECT_EQ(device.bufferBytes, 176400);
  device.setFormat(44100, 12); // rounds down to whole bytes
  EXPECT_EQ(device.bytesPerSample, 1);
  EXPECT_EQ(device.bufferBytes, 88200);
  EXPECT_EQ(device.bitsPerSample, 12);
}

TEST(AudioDevice, StopOnlyClearsRunning) {
  SilentDevice device;
  device.start();
  device.stop();
  EXPECT_FALSE(device.running);
}

// Closing it ends the process with status 5.
class ExitingDevice : public SilentDevice {
public:
  void close() override { std::_Exit(5); }
};

TEST(AudioDeviceDeathTest, AnOutputLeftOpenIsClosedWhenTheProcessExits) {
  EXPECT_EXIT(
      {
        closeAtExit(new ExitingDevice);
        std::exit(3);
      },
      ::testing::ExitedWithCode(5), "");
}

TEST(AudioDeviceDeathTest, ADeletedOutputIsNotClosedAtExit) {
  EXPECT_EXIT(
      {
        auto* device = new ExitingDevice;
        closeAtExit(device);
        delete device;
        std::exit(4);
      },
      ::testing::ExitedWithCode(4), "");
}

bool registered(const char* name) {
  for (const AudioDevicePlugin* plugin = platformAudioDevicePlugins(); plugin->name; ++plugin)
    if (std::strcmp(plugin->name, name) == 0) return true;
  return false;
}

TEST(AudioDevice, FactoryMatchesNamesExactly) {
  for (const char* name :
       {"waveout", "WAVEOUT", "WaveOut ", "DirectSound", "directsound8", "sdl2", "null", "Null ", ""}) {
    ASSERT_FALSE(registered(name));
    try {
      createAudioDevice(name, nullptr, nullptr);
      ADD_FAILURE() << name;
    } catch (const char* message) {
      EXPECT_STREQ(message, "No plugin found for desired AudioDevice found!");
    }
  }
  EXPECT_GT(std::strlen(primaryAudioOutputName()), 0u);
  EXPECT_TRUE(registered(primaryAudioOutputName()));
  EXPECT_TRUE(registered("Null")) << "on every platform";
}

} // namespace

// WaveOutDevice against the real waveOut (under Wine here).
#include <gtest/gtest.h>

#include <cstring>

#include "PatternProvider.h"
#include "WaveOutDevice.h"

namespace {

struct Device {
  PatternProvider source;
  WaveOutDevice output;
  Device() {
    output.provider = &source;
    output.setFormat(44100, 16);
  }
};

TEST(WaveOutDevice, OpenFailureThrowsBeforeAnyBufferExists) {
  Device d;
  d.output.setFormat(0, 16); // no device plays 0 Hz
  try {
    d.output.open(nullptr);
    FAIL() << "open accepted 0 Hz";
  } catch (const char* message) {
    EXPECT_STREQ(message, "waveOutOpen failed!");
  }
  EXPECT_EQ(d.output.buffers[0], nullptr);
  EXPECT_EQ(d.output.buffers[1], nullptr);
}

TEST(WaveOutDevice, StartQueuesBothHeadersOverTheirOwnBuffers) {
  Device d;
  d.output.open(nullptr);
  EXPECT_EQ(d.output.headers[0].dwFlags, 0u);
  EXPECT_EQ(d.output.headers[1].dwFlags, 0u);
  d.output.start();
  for (int i = 0; i < 2; ++i) {
    const WAVEHDR& header = d.output.headers[i];
    EXPECT_TRUE(header.dwFlags & WHDR_PREPARED) << i;
    EXPECT_EQ(reinterpret_cast<uint8_t*>(header.lpData), d.output.buffers[i]) << i;
    EXPECT_EQ(header.dwBufferLength, 176400u) << i;
  }
  EXPECT_EQ(d.output.current.load(), 0);
  d.output.close();
}

TEST(WaveOutDevice, CallbackRefillsOnlyForItsDeviceOnWomDone) {
  Device d;
  d.output.open(nullptr);
  auto instance = reinterpret_cast<DWORD_PTR>(&d.output);
  waveOutCallback(d.output.waveOut, WOM_DONE, 0, 0, 0); // no device named
  waveOutCallback(d.output.waveOut, WOM_OPEN, instance, 0, 0);
  waveOutCallback(d.output.waveOut, WOM_CLOSE, instance, 0, 0);
  // A completion while not running does not refill or advance.
  waveOutCallback(d.output.waveOut, WOM_DONE, instance, 0, 0);
  d.output.close();
  EXPECT_EQ(d.source.fillCount(), 0);
  EXPECT_EQ(d.output.current.load(), 0);
}

TEST(WaveOutDevice, CloseResetsTheQueueSoTheHandleReallyCloses) {
  Device d;
  d.output.open(nullptr);
  d.output.start();
  HWAVEOUT handle = d.output.waveOut;
  d.output.close();
  MMTIME position = {};
  position.wType = TIME_BYTES;
  EXPECT_EQ(waveOutGetPosition(handle, &position, sizeof(position)), MMSYSERR_INVALHANDLE);
  EXPECT_FALSE(d.output.headers[0].dwFlags & WHDR_PREPARED);
  EXPECT_FALSE(d.output.headers[1].dwFlags & WHDR_PREPARED);
}

} // namespace

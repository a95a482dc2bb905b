// The DirectSound output against the platform's real DirectSound (under Wine:
// its PulseAudio driver, which needs a sound server and a display).

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <memory>
#include <mutex>
#include <vector>

#include <gtest/gtest.h>

#include "AudioProvider.h"
#include "DirectSoundDevice.h"

namespace {

const uint32_t oneSecond = 176400;

uint8_t patternByte(uint32_t streamOffset) {
  return static_cast<uint8_t>((streamOffset * 7u + 1u) % 251u);
}

// A source whose stream is a known byte pattern; it keeps the size of every
// fill. A seek changes nothing: the pattern goes on.
class PatternProvider : public AudioProvider {
public:
  PatternProvider() : AudioProvider(nullptr) {}
  double getTime() override { return 0.0; }
  bool seek(double) override { return true; }
  bool fill(uint8_t* buffer, uint32_t bytes) override {
    for (uint32_t i = 0; i < bytes; ++i)
      buffer[i] = patternByte(delivered + i);
    delivered += bytes;
    std::lock_guard<std::mutex> guard(mutex);
    fills.push_back(bytes);
    return true;
  }
  std::vector<uint32_t> fillSizes() {
    std::lock_guard<std::mutex> guard(mutex);
    return fills;
  }

private:
  uint32_t delivered = 0;
  std::mutex mutex;
  std::vector<uint32_t> fills;
};

// The pattern's stream bytes [from, from + count).
std::vector<uint8_t> pattern(uint32_t from, uint32_t count) {
  std::vector<uint8_t> bytes(count);
  for (uint32_t i = 0; i < count; ++i)
    bytes[i] = patternByte(from + i);
  return bytes;
}

std::vector<uint8_t> slice(const std::vector<uint8_t>& bytes, uint32_t from, uint32_t count) {
  return std::vector<uint8_t>(bytes.begin() + from, bytes.begin() + from + count);
}

bool allZero(const std::vector<uint8_t>& bytes, uint32_t from, uint32_t to) {
  for (uint32_t i = from; i < to; ++i)
    if (bytes[i]) return false;
  return true;
}

// The whole sound buffer as it stands.
std::vector<uint8_t> bufferContents(DirectSoundDevice& device) {
  std::vector<uint8_t> bytes(static_cast<size_t>(device.bufferBytes));
  void* first = nullptr;
  void* second = nullptr;
  DWORD firstBytes = 0, secondBytes = 0;
  EXPECT_EQ(device.soundBuffer->Lock(0, static_cast<DWORD>(device.bufferBytes), &first, &firstBytes, &second,
                                     &secondBytes, 0),
            DS_OK);
  if (first) std::memcpy(bytes.data(), first, firstBytes);
  if (second) std::memcpy(bytes.data() + firstBytes, second, secondBytes);
  device.soundBuffer->Unlock(first, firstBytes, second, secondBytes);
  return bytes;
}

// A window that is never shown: DirectSound's cooperative level needs one.
class HiddenWindow {
public:
  HiddenWindow()
      : handle(CreateWindowExA(0, "STATIC", "zeph DirectSound test", WS_OVERLAPPEDWINDOW, 0, 0, 64, 64,
                               nullptr, nullptr, GetModuleHandleA(nullptr), nullptr)) {}
  ~HiddenWindow() { DestroyWindow(handle); }
  HWND handle;
};

// A thread function is WINAPI (stdcall on 32-bit Windows), which no lambda is.
DWORD WINAPI closeDevice(LPVOID device) {
  static_cast<DirectSoundDevice*>(device)->close();
  return 0;
}

// close() on another thread, so that a hang fails the test instead of
// stopping the run. Returns the milliseconds it took.
DWORD closeWithin(DirectSoundDevice& device, DWORD limitMs) {
  DWORD begin = GetTickCount();
  HANDLE closer = CreateThread(nullptr, 0, closeDevice, &device, 0, nullptr);
  if (WaitForSingleObject(closer, limitMs) != WAIT_OBJECT_0) {
    std::printf("close did not return within %lu ms\n", static_cast<unsigned long>(limitMs));
    std::fflush(stdout);
    ExitProcess(3); // the device cannot be destroyed while close runs
  }
  CloseHandle(closer);
  return GetTickCount() - begin;
}

class DirectSound : public ::testing::Test {
protected:
  void SetUp() override {
    AudioDevice* made = createAudioDevice("DirectSound8", &provider, window.handle);
    device.reset(dynamic_cast<DirectSoundDevice*>(made));
    ASSERT_TRUE(device);
  }

  DWORD playCursor() {
    DWORD play = 0;
    device->soundBuffer->GetCurrentPosition(&play, nullptr);
    return play;
  }

  // Places the stopped buffer's play cursor and the feeder's write position.
  void placeCursors(uint32_t play, uint32_t write) {
    ASSERT_EQ(device->soundBuffer->SetCurrentPosition(play), DS_OK);
    ASSERT_EQ(playCursor(), play);
    device->writePosition = write;
  }

  // Waits (up to 10 s) until the source has been asked for `count` fills.
  bool waitForFills(size_t count) {
    for (int i = 0; i < 1000; ++i) {
      if (provider.fillSizes().size() >= count) return true;
      Sleep(10);
    }
    return false;
  }

  HiddenWindow window;
  PatternProvider provider;
  std::unique_ptr<DirectSoundDevice> device;
};

TEST_F(DirectSound, OpenMakesOneSilentSecondOfLoopingPcm) {
  EXPECT_FALSE(device->running);
  EXPECT_EQ(device->bufferBytes, static_cast<int32_t>(oneSecond));

  DSBCAPS caps = {};
  caps.dwSize = sizeof(caps);
  ASSERT_EQ(device->soundBuffer->GetCaps(&caps), DS_OK);
  EXPECT_EQ(caps.dwBufferBytes, oneSecond);
  EXPECT_EQ(caps.dwFlags & (DSBCAPS_GETCURRENTPOSITION2 | DSBCAPS_STICKYFOCUS),
            static_cast<DWORD>(DSBCAPS_GETCURRENTPOSITION2 | DSBCAPS_STICKYFOCUS));

  WAVEFORMATEX format = {};
  ASSERT_EQ(device->soundBuffer->GetFormat(&format, sizeof(format), nullptr), DS_OK);
  EXPECT_EQ(format.wFormatTag, WAVE_FORMAT_PCM);
  EXPECT_EQ(format.nChannels, 2);
  EXPECT_EQ(format.nSamplesPerSec, 44100u);
  EXPECT_EQ(format.nAvgBytesPerSec, oneSecond);
  EXPECT_EQ(format.nBlockAlign, 4);
  EXPECT_EQ(format.wBitsPerSample, 16);

  EXPECT_EQ(playCursor(), 0u);
  std::vector<uint8_t> contents = bufferContents(*device);
  EXPECT_TRUE(allZero(contents, 0, oneSecond));
  EXPECT_TRUE(provider.fillSizes().empty());
}

TEST_F(DirectSound, AnUnusableFormatFailsWithTheBufferText) {
  DirectSoundDevice other;
  other.provider = &provider;
  other.setFormat(44100, 0); // a buffer of 0 bytes
  try {
    other.open(window.handle);
    FAIL() << "open succeeded";
  } catch (const char* message) {
    EXPECT_STREQ(message, "Could not create DirectSoundBuffer8!");
  }
}

TEST_F(DirectSound, FirstWriteCoversTheWholeBufferBeforePlaying) {
  device->primeBuffer();
  EXPECT_EQ(provider.fillSizes(), std::vector<uint32_t>{oneSecond});
  EXPECT_EQ(bufferContents(*device), pattern(0, oneSecond));
  DWORD status = 0;
  device->soundBuffer->GetStatus(&status);
  EXPECT_EQ(status & (DSBSTATUS_PLAYING | DSBSTATUS_LOOPING),
            static_cast<DWORD>(DSBSTATUS_PLAYING | DSBSTATUS_LOOPING));
}

TEST_F(DirectSound, PassWithTheCursorUnmovedWritesNothing) {
  for (uint32_t at : {0u, 40000u, oneSecond - 4}) {
    placeCursors(at, at);
    EXPECT_EQ(device->feedPass(), 0u);
    EXPECT_EQ(device->writePosition, at);
  }
  EXPECT_EQ(provider.fillSizes(), (std::vector<uint32_t>{0, 0, 0}));
  std::vector<uint8_t> contents = bufferContents(*device);
  EXPECT_TRUE(allZero(contents, 0, oneSecond));
}

TEST_F(DirectSound, PassWritesWhatTheCursorPassed) {
  placeCursors(40000, 10000);
  EXPECT_EQ(device->feedPass(), 30000u);
  EXPECT_EQ(device->writePosition, 40000u);
  std::vector<uint8_t> contents = bufferContents(*device);
  EXPECT_TRUE(allZero(contents, 0, 10000));
  EXPECT_EQ(slice(contents, 10000, 30000), pattern(0, 30000));
  EXPECT_TRUE(allZero(contents, 40000, oneSecond));
}

TEST_F(DirectSound, PassBehindTheCursorWrapsAndWritesTwoParts) {
  // What the platform gives for a region across the end: two parts.
  void* first = nullptr;
  void* second = nullptr;
  DWORD firstBytes = 0, secondBytes = 0;
  ASSERT_EQ(device->soundBuffer->Lock(170000, 10400, &first, &firstBytes, &second, &secondBytes, 0), DS_OK);
  device->soundBuffer->Unlock(first, firstBytes, second, secondBytes);
  EXPECT_EQ(firstBytes, 6400u);
  EXPECT_EQ(secondBytes, 4000u);
  EXPECT_NE(second, nullptr);

  placeCursors(4000, 170000);
  EXPECT_EQ(device->feedPass(), 10400u);
  EXPECT_EQ(device->writePosition, 4000u);
  std::vector<uint8_t> contents = bufferContents(*device);
  EXPECT_EQ(slice(contents, 170000, 6400), pattern(0, 6400));
  EXPECT_EQ(slice(contents, 0, 4000), pattern(6400, 4000));
  EXPECT_TRUE(allZero(contents, 4000, 170000));

  // The cursor at 0 exactly: the rest of the buffer, in one part.
  placeCursors(0, 170000);
  EXPECT_EQ(device->feedPass(), oneSecond - 170000);
  EXPECT_EQ(device->writePosition, 0u);
  contents = bufferContents(*device);
  EXPECT_EQ(slice(contents, 170000, 6400), pattern(10400, 6400));
}

TEST_F(DirectSound, CloseRightAfterStartEndsTheFeederPromptly) {
  device->start();
  EXPECT_TRUE(device->running);
  DWORD took = closeWithin(*device, 5000);
  EXPECT_LT(took, 1000u);
  EXPECT_FALSE(device->running);
  EXPECT_EQ(device->threadState, DirectSoundDevice::feederStopped);
  EXPECT_EQ(device->soundBuffer, nullptr);
  EXPECT_EQ(device->directSound, nullptr);
  EXPECT_EQ(device->thread, nullptr);
  // The feeder primed the buffer, and the stop request made before its
  // first pass held.
  std::vector<uint32_t> fills = provider.fillSizes();
  ASSERT_GE(fills.size(), 1u);
  EXPECT_EQ(fills[0], oneSecond);
}

TEST_F(DirectSound, CloseDuringPlaybackEndsPromptlyAfterWholePasses) {
  device->start();
  ASSERT_TRUE(waitForFills(4)) << "the feeder made fewer than three passes in 10 s";
  DWORD took = closeWithin(*device, 5000);
  EXPECT_LT(took, 1000u);
  EXPECT_EQ(device->threadState, DirectSoundDevice::feederStopped);
  EXPECT_EQ(device->soundBuffer, nullptr);

  // One whole second first, then passes of what the cursor passed, which
  // add up to where the feeder would write next.
  std::vector<uint32_t> fills = provider.fillSizes();
  EXPECT_EQ(fills[0], oneSecond);
  uint64_t passed = 0;
  for (size_t i = 1; i < fills.size(); ++i) {
    EXPECT_LT(fills[i], oneSecond);
    passed += fills[i];
  }
  EXPECT_GT(passed, 0u);
  EXPECT_EQ(passed % oneSecond, device->writePosition);
  EXPECT_EQ(passed % 4, 0u); // whole sample frames
}

// A seek while the buffer plays (primed here without the feeder, so that
// nothing else writes) leaves the audio between the play and the write
// cursor, which the platform has taken already, and writes the audio from
// the seek from the write cursor round to the play cursor. The position
// reaches the seek's first byte where the play cursor reaches the write cursor.
TEST_F(DirectSound, SeekWritesFromTheWriteCursor) {
  EXPECT_TRUE(device->seek(1.0)); // not primed: the source alone
  EXPECT_TRUE(provider.fillSizes().empty());
  device->primeBuffer();
  Sleep(50);
  ASSERT_TRUE(device->seek(2.0));
  const uint32_t play = device->lastCursor;
  const uint32_t committed = oneSecond - provider.fillSizes().back();
  EXPECT_GT(committed, 0u) << "written from the play cursor";
  EXPECT_LT(committed, oneSecond / 4);
  EXPECT_EQ(device->playedBytes, oneSecond - committed);
  EXPECT_EQ(device->writePosition, play);
  std::vector<uint8_t> contents = bufferContents(*device);
  bool kept = true, written = true;
  for (uint32_t i = 0; i < oneSecond; ++i) {
    const uint32_t at = advancePosition(play, i, oneSecond);
    if (i < committed)
      kept = kept && contents[at] == patternByte(at); // the primed second
    else
      written = written && contents[at] == patternByte(oneSecond + i - committed);
  }
  EXPECT_TRUE(kept) << "the committed audio was overwritten";
  EXPECT_TRUE(written) << "the seek's audio does not start at the write cursor";
}

// Paused, the buffer stands still and a seek rewrites all of it from the
// cursor; resumed, it plays and the passes go on.
TEST_F(DirectSound, PauseStopsTheBufferAndAfterASeekThePassesGoOn) {
  device->start();
  ASSERT_TRUE(waitForFills(2));
  device->pause();
  const DWORD stoppedAt = playCursor();
  ASSERT_TRUE(device->seek(3.0));
  // Passes while paused find the cursor unmoved and write nothing.
  Sleep(300);
  EXPECT_EQ(playCursor(), stoppedAt);
  std::vector<uint32_t> fills = provider.fillSizes();
  while (fills.back() == 0)
    fills.pop_back();
  EXPECT_EQ(fills.back(), oneSecond) << "stopped, nothing is committed";
  const size_t before = provider.fillSizes().size();
  device->resume();
  bool passed = false;
  for (int i = 0; i < 1000 && !passed; ++i) {
    Sleep(10);
    fills = provider.fillSizes();
    passed = std::any_of(fills.begin() + static_cast<std::ptrdiff_t>(before), fills.end(),
                         [](uint32_t bytes) { return bytes > 0; });
  }
  EXPECT_TRUE(passed) << "no pass wrote anything after the resume";
  closeWithin(*device, 5000);
}

TEST_F(DirectSound, CloseWithoutStartAndTwiceReleasesOnce) {
  device->close();
  EXPECT_EQ(device->soundBuffer, nullptr);
  EXPECT_EQ(device->directSound, nullptr);
  device->close();
  EXPECT_TRUE(provider.fillSizes().empty());
}

TEST(DirectSoundPass, CountIsWhatTheCursorPassedAroundTheCircle) {
  EXPECT_EQ(bytesPassed(500, 500, oneSecond), 0u);
  EXPECT_EQ(bytesPassed(0, 0, oneSecond), 0u);
  EXPECT_EQ(bytesPassed(17640, 0, oneSecond), 17640u);
  EXPECT_EQ(bytesPassed(4000, 170000, oneSecond), 10400u);
  EXPECT_EQ(bytesPassed(0, 170000, oneSecond), 6400u);
  EXPECT_EQ(bytesPassed(oneSecond - 4, 0, oneSecond), oneSecond - 4);
  EXPECT_EQ(bytesPassed(0, 4, oneSecond), oneSecond - 4);
}

TEST(DirectSoundPass, PositionWrapsAtTheBufferEnd) {
  EXPECT_EQ(advancePosition(0, 0, oneSecond), 0u);
  EXPECT_EQ(advancePosition(10000, 30000, oneSecond), 40000u);
  EXPECT_EQ(advancePosition(170000, 6400, oneSecond), 0u);
  EXPECT_EQ(advancePosition(170000, 10400, oneSecond), 4000u);
  EXPECT_EQ(advancePosition(0, oneSecond, oneSecond), 0u);
}

TEST(DirectSoundPass, CopyFillsEachPartExactlyAndNeverReadsPastTheSource) {
  std::vector<uint8_t> source = pattern(0, 10);
  std::vector<uint8_t> first(6, 0xEE), second(4, 0xEE);
  copyIntoParts(source.data(), 10, first.data(), 6, second.data(), 4);
  EXPECT_EQ(first, pattern(0, 6));
  EXPECT_EQ(second, pattern(6, 4));

  std::vector<uint8_t> only(10, 0xEE);
  copyIntoParts(source.data(), 10, only.data(), 10, nullptr, 0);
  EXPECT_EQ(only, source);

  // Parts longer than the source: what is beyond it is left alone.
  std::vector<uint8_t> longFirst(8, 0xEE), longSecond(8, 0xEE);
  copyIntoParts(source.data(), 10, longFirst.data(), 8, longSecond.data(), 8);
  EXPECT_EQ(longFirst, pattern(0, 8));
  EXPECT_EQ(slice(longSecond, 0, 2), pattern(8, 2));
  EXPECT_EQ(slice(longSecond, 2, 6), std::vector<uint8_t>(6, 0xEE));
}

TEST(DirectSoundPass, LostBufferIsRecoveredUntilLockedOrStopRequested) {
  int tries = 0, recoveries = 0;
  bool locked =
      lockWithRecovery([&] { return ++tries == 4; }, [&] { ++recoveries; }, [] { return false; }, 0);
  EXPECT_TRUE(locked);
  EXPECT_EQ(tries, 4);
  EXPECT_EQ(recoveries, 3);

  tries = recoveries = 0;
  locked = lockWithRecovery([&] { return ++tries == 100; }, [&] { ++recoveries; },
                            [&] { return recoveries == 2; }, 0);
  EXPECT_FALSE(locked);
  EXPECT_EQ(tries, 3);
  EXPECT_EQ(recoveries, 2);
}

} // namespace

// The files of a capture: complete, as the options ask, and the same bytes
// every time.
#include <gtest/gtest.h>

#include <cmath>

#include "CaptureRun.h"
#include "DefaultData.h"
#include "DefaultSet.h"
#include "MediaProbe.h"
#include "TempDir.h"

// From 79.9 s at 10 frames per second: frames at 79.9, 80.0 and 80.1 s; the
// last one makes the production quit and is written too. A longer earlier
// capture's frames go; other files stay.
TEST(CaptureFiles, HoldTheFramesUpToTheProductionsQuitAndTheMusicToTheirEnd) {
  TempDir first, second;
  first.write("frame-000009.png", "an earlier capture's");
  first.write("notes.txt", "the author's");
  for (const TempDir* out : {&first, &second}) {
    const CaptureRun run = runCapture(defaultSetFolder(), out->path(), "--fps 10 --from 79.9 --frames");
    ASSERT_EQ(run.status, 0) << run.errors;
  }
  const std::string files = "frame-000000.png frame-000001.png frame-000002.png music.wav ";
  ASSERT_EQ(listFolder(first.path()), files + "notes.txt zeph.mp4 ");
  ASSERT_EQ(listFolder(second.path()), files + "zeph.mp4 ");
  for (const char* name :
       {"frame-000000.png", "frame-000001.png", "frame-000002.png", "music.wav", "zeph.mp4"})
    EXPECT_TRUE(readBytes(first.file(name)) == readBytes(second.file(name)))
        << name << " differs between runs";

  const int64_t start = 3523590; // 79.9 s
  const int64_t length = 13230;  // three frames of 0.1 s
  const WavFile wav = parseWav(readBytes(first.file("music.wav")));
  EXPECT_EQ(wav.channels, 2);
  EXPECT_EQ(wav.sampleRate, 44100);
  EXPECT_EQ(wav.bitsPerSample, 16);
  ASSERT_EQ(wav.samples.size(), static_cast<size_t>(length * 2));
  EXPECT_TRUE(wav.samples == decodeMusic(defaultDataFolder() + "/" + defaultdata::musicFile, start, length));

  const VideoFileFacts video = probeVideoFile(first.file("zeph.mp4"));
  ASSERT_TRUE(video.opened);
  EXPECT_EQ(video.videoStreams, 1);
  EXPECT_EQ(video.videoCodec, "h264");
  EXPECT_EQ(video.width, 640);
  EXPECT_EQ(video.height, 480);
  EXPECT_EQ(video.frameRateNum, 10);
  EXPECT_EQ(video.frameRateDen, 1);
  EXPECT_EQ(video.videoPackets, 3);
  EXPECT_NEAR(video.videoSeconds, 0.3, 1e-6);
  EXPECT_NEAR(video.fileSeconds, 0.3, 1e-3);
  EXPECT_EQ(video.audioStreams, 1);
  EXPECT_EQ(video.audioCodec, "aac");
  EXPECT_EQ(video.sampleRate, 44100);
  EXPECT_EQ(video.channels, 2);
}

#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "StageTimes.h"
#include "VideoStream.h"

class Mp4Writer;
class MusicReader;
class OutputFiles;
class WavWriter;

// Everything a capture writes, on a thread of its own so that the next frame
// is drawn while this one is encoded: the MP4 file and, with stills, every
// frame as a PNG file and the music as a WAV file. The music runs to the
// end of the latest frame.
class CaptureSink {
public:
  // The video goes to `videoName` in the output folder.
  CaptureSink(OutputFiles& files, const std::string& videoName, const VideoSettings& video, bool stills,
              MusicReader& music);
  ~CaptureSink();
  CaptureSink(const CaptureSink&) = delete;
  CaptureSink& operator=(const CaptureSink&) = delete;

  // Queues the next frame: RGBA, top row first. Waits while the writer is a
  // few frames behind; rethrows a failure of the writer.
  void push(const uint8_t* rgba);
  // Writes what is queued and completes the files; rethrows a failure.
  void finish();
  // Whether `name` is one of the frames' file names.
  static bool isStillName(const std::string& name);

  // The writer's share, and the pushing thread's waits; valid after finish.
  const StageTimes& times() const { return spent; }

private:
  void run();
  void write(const std::vector<uint8_t>& rgba, int64_t index);
  void writeMusic(int64_t frames);
  void writeStill(const std::vector<uint8_t>& rgba, int64_t index);
  void stop();

  OutputFiles& files;
  VideoSettings settings;
  MusicReader& music;
  std::unique_ptr<Mp4Writer> mp4;
  std::unique_ptr<WavWriter> wav; // with stills only
  bool stills;
  int64_t musicWritten = 0; // sample frames
  StageTimes spent;

  std::mutex mutex;
  std::condition_variable changed;
  std::deque<std::vector<uint8_t>> queue;
  std::vector<std::vector<uint8_t>> spare;
  bool closing = false;   // no more frames: write the rest
  bool abandoned = false; // failed elsewhere: write nothing more
  std::exception_ptr failure;
  std::thread writer;
};

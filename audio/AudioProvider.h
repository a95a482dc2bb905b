#pragma once

#include <atomic>
#include <cstdint>

class AudioFile;

// An audio source: PCM on request (16-bit signed little-endian, two channels
// interleaved, 44100 Hz) and the playback clock in seconds.
//
// One thread at a time calls fill (the output's); any other thread may call
// getTime meanwhile.
class AudioProvider {
public:
  explicit AudioProvider(AudioFile* source) : file(source) {}
  AudioProvider(const AudioProvider&) = delete;
  AudioProvider& operator=(const AudioProvider&) = delete;
  // Leaves the file open: the source never closes or deletes it.
  virtual ~AudioProvider() = default;

  virtual double getTime() = 0;
  // Writes `bytes` bytes: what the source delivers, then silence. False once
  // the music has ended.
  virtual bool fill(uint8_t* buffer, uint32_t bytes) = 0;

  // Moves playback to `seconds` into the music, to the sample: the next fill
  // delivers from there, and the clock reads `seconds` at once and holds
  // there until the output reports playing from there. False where the
  // source cannot seek. Any thread; it waits for a fill under way. While
  // playing, seek through the output (AudioDevice::seek), which drops what
  // it holds of the music before.
  virtual bool seek(double seconds) {
    (void)seconds;
    return false;
  }

  // How many bytes of music the latest fill delivered before any silence.
  // For the filling thread.
  uint32_t getLastFillBytes() const { return lastFillBytes; }

  // The output plays byte `streamByte` of all that fill has delivered
  // (counted from the first fill) at millisecond timer reading `atMs`. The
  // output's thread reports it at least every 20 ms from start on; from the
  // first report the clock follows these positions (until then it holds at
  // where the music opened, less the latency). Sources without a clock
  // ignore it.
  virtual void reportPlayed(uint64_t streamByte, uint32_t atMs) {
    (void)streamByte;
    (void)atMs;
  }
  // The output has paused at byte `streamByte` (as counted for reportPlayed)
  // at `atMs`: what it had played is still heard, and then the clock holds,
  // until reportResumed. The positions it reports meanwhile do not move.
  virtual void reportPaused(uint64_t streamByte, uint32_t atMs) {
    (void)streamByte;
    (void)atMs;
  }
  // The output plays on from where it paused; its next position is where.
  virtual void reportResumed() {}
  // Seconds from the reported position to what is heard, as far as the
  // platform says; the clock subtracts it, and ZEPH_AUDIO_LATENCY_MS too.
  virtual void setOutputLatency(double seconds) { outputLatency = seconds; }
  double getOutputLatency() const { return outputLatency; }

protected:
  AudioFile* file;
  uint32_t lastFillBytes = 0;
  std::atomic<double> outputLatency{0.0};
};

// Chooses the source by a case-sensitive substring of the file's name:
// ".raw" first, then ".ogg". Throws
// "No plugin found for desired AudioProvider found!" otherwise.
AudioProvider* createAudioProvider(AudioFile* file);

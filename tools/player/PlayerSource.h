#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>

#include "AudioProvider.h"

// The music as the player hands it to the output. Paused, it delivers
// silence and holds the clock; a seek or a resume starts a new stretch of
// music at a chosen time. The output counts every byte it was given, silence
// included, so its play positions are passed on to the music counted in the
// music's own bytes, and only those of the current stretch.
//
// After each pause, resume or seek the caller restarts the output, so that
// what it had queued is dropped. The first fill of a new stretch may fall
// between the change and that restart and be dropped with the rest; the play
// positions show it, and lostStart() then asks for the stretch once more.
class PlayerSource : public AudioProvider {
public:
  explicit PlayerSource(AudioProvider* music);

  // Held while paused and until the output plays the current stretch.
  double getTime() override;
  bool fill(uint8_t* buffer, uint32_t bytes) override;
  void reportPlayed(uint64_t streamByte, uint32_t atMs) override;
  void setOutputLead(double seconds) override;
  void setOutputLatency(double seconds) override;

  // The main thread's side.
  // Moves the music to `seconds`; while paused, only where it will resume.
  void seekTo(double seconds);
  // Stops the music where the output has taken it to.
  void pause();
  // Plays on from where the music stopped.
  void resume();
  bool paused() const { return isPaused; }
  // True once after the output dropped the start of the current stretch;
  // the caller then restarts the output.
  bool lostStart();

private:
  // Under `lock`: the next music fill starts a stretch at `seconds`.
  void beginStretch(double seconds);
  double musicAtPlayed() const;

  AudioProvider* music;
  std::mutex lock;

  // Read by any thread.
  std::atomic<bool> holding{true};
  std::atomic<double> held{0.0};
  std::atomic<bool> isPaused{false};
  std::atomic<bool> startLost{false};

  // Under `lock`.
  double resumeAt = 0.0;
  uint64_t delivered = 0;      // bytes given to the output, silence included
  uint64_t musicDelivered = 0; // bytes the music delivered
  bool stretchPending = false; // no fill of the current stretch yet
  double stretchMusic = 0.0;   // where the current stretch starts in the music
  uint64_t stretchByte = 0;    // its first byte, counted as the output counts
  uint64_t stretchMusicByte = 0;
  uint64_t firstFillEnd = 0;
  bool confirmed = false; // the output plays the current stretch
  bool anyPlayed = false;
  uint64_t lastPlayed = 0;
};

// Where a seek to `seconds` lands in music of `length` seconds.
double clampSeek(double seconds, double length);

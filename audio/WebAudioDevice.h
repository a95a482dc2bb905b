#pragma once

#include <cstdint>
#include <deque>
#include <vector>

#include "AudioDevice.h"
#include "PollingThread.h"

// "WebAudio": the web page's output. Like the waveOut output it hands the
// music on in one-second buffers decoded by the source, here as Web Audio
// buffers scheduled back to back on the page's AudioContext: four seconds at
// start, then up to twelve ahead of what is heard, topped up from the page's
// timer (the buffers already scheduled play on while the page's thread is
// busy or its timer slowed down in a background tab). Its play position is the
// context's output timestamp: the frame reaching the output now.
class WebAudioDevice : public AudioDevice {
public:
  WebAudioDevice() = default;
  ~WebAudioDevice() override;

  int open(void* window) override;
  void start() override;
  void close() override;
  bool seek(double seconds) override;
  void pause() override;
  void resume() override;

  // Reports the position and schedules what has become due.
  void poll();

private:
  // One scheduled buffer: where on the context's clock it starts, and the
  // stream bytes it holds.
  struct Scheduled {
    double start;
    uint64_t firstByte;
    uint32_t frames;
  };
  void scheduleAhead(double seconds, bool once);
  void scheduleOne();
  double scheduledEnd() const;
  uint64_t playedBytes(double contextTime) const;
  void dropScheduled();

  std::vector<uint8_t> buffer;
  std::deque<Scheduled> scheduled;
  uint64_t taken = 0;
  PollingThread poller;
};

#pragma once

#include <pulse/mainloop.h>
#include <pulse/operation.h>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

struct pa_context;
struct SinkInputFound;

// What the PulseAudio server holds of this process's newest playback stream:
// the stream's buffer in the server plus the sink's latency, as the server
// reports them. A thread of its own asks on a connection of its own every
// 50 ms and, every half second, reports the level it drains to over the last
// two seconds: both parts rise and fall as the client writes and the sink
// renders, in blocks, and the samples fall on many phases of that. Reports
// nothing if there is no server or no such stream.
class PulseStreamLatency {
public:
  explicit PulseStreamLatency(std::function<void(double seconds)> report);
  ~PulseStreamLatency();
  PulseStreamLatency(const PulseStreamLatency&) = delete;
  PulseStreamLatency& operator=(const PulseStreamLatency&) = delete;

private:
  void run();
  bool connect();
  void watch();
  // Asks for the sink inputs; false once stopping or the connection fails.
  bool query(SinkInputFound& found);
  // Handles the server's messages until the operation sets `done`; false as iterateUntil.
  bool await(pa_operation* operation, const bool& done);
  // Handles the server's messages until `done`; false once stopping or the connection fails.
  bool iterateUntil(const std::function<bool()>& done);
  // Waits a sample period; false once stopping.
  bool pause();

  std::function<void(double)> report;
  pa_mainloop* loop = nullptr;
  pa_context* context = nullptr;
  std::atomic<bool> stopping{false};
  std::mutex pauseLock;
  std::condition_variable wake;
  std::thread thread;
};

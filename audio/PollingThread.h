#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

// The thread behind an output that polls: it runs `step` every `interval`
// until stopped. `step` returns true when more work waits, to run again at
// once instead of waiting. wake() cuts the current wait short; stop() ends the
// thread and joins it, and may be called twice (and from the destructor).
class PollingThread {
public:
  PollingThread() = default;
  PollingThread(const PollingThread&) = delete;
  PollingThread& operator=(const PollingThread&) = delete;
  ~PollingThread();

  // Does nothing while a thread started earlier has not been stopped.
  void start(std::chrono::milliseconds interval, std::function<bool()> step);
  void wake();
  void stop();
  bool started() const;

private:
  void loop(std::chrono::milliseconds interval, const std::function<bool()>& step);

  std::mutex lock;
  std::condition_variable woken;
  bool stopping = false;
  bool wakeRequested = false;
  std::thread thread;
};

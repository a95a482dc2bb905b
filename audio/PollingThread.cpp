#include "PollingThread.h"

#include <utility>

PollingThread::~PollingThread() {
  stop();
}

void PollingThread::start(std::chrono::milliseconds interval, std::function<bool()> step) {
  if (thread.joinable()) return;
  stopping = false;
  wakeRequested = false;
  thread = std::thread([this, interval, work = std::move(step)] { loop(interval, work); });
}

bool PollingThread::started() const {
  return thread.joinable();
}

void PollingThread::wake() {
  {
    std::lock_guard<std::mutex> guard(lock);
    wakeRequested = true;
  }
  woken.notify_all();
}

void PollingThread::stop() {
  if (!thread.joinable()) return;
  {
    std::lock_guard<std::mutex> guard(lock);
    stopping = true;
  }
  woken.notify_all();
  thread.join();
}

// The step runs without the lock, so that wake and stop never wait for it.
void PollingThread::loop(std::chrono::milliseconds interval, const std::function<bool()>& step) {
  std::unique_lock<std::mutex> guard(lock);
  while (!stopping) {
    guard.unlock();
    const bool again = step();
    guard.lock();
    if (again) continue;
    woken.wait_for(guard, interval, [this] { return stopping || wakeRequested; });
    wakeRequested = false;
  }
}

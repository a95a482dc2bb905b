#include "MillisecondTimer.h"

#include <atomic>

namespace {
// Read by the clock on the main thread and by fills on the output's thread.
std::atomic<MillisecondTimer> injectedTimer{nullptr};
} // namespace

uint32_t readMillisecondTimer() {
  MillisecondTimer timer = injectedTimer.load(std::memory_order_acquire);
  return timer ? timer() : platformMilliseconds();
}

void setMillisecondTimer(MillisecondTimer timer) {
  injectedTimer.store(timer, std::memory_order_release);
}

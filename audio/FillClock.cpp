#include "FillClock.h"

#include <thread>

void FillClock::reset(double at) {
  write(at, 0, false);
}

void FillClock::publish(double at, uint32_t start) {
  write(at, start, true);
}

void FillClock::write(double at, uint32_t start, bool hasFilled) {
  uint32_t s = sequence.load(std::memory_order_relaxed);
  sequence.store(s + 1, std::memory_order_relaxed);
  std::atomic_thread_fence(std::memory_order_release);
  position.store(at, std::memory_order_relaxed);
  fillStart.store(start, std::memory_order_relaxed);
  filled.store(hasFilled, std::memory_order_relaxed);
  sequence.store(s + 2, std::memory_order_release);
}

FillClock::Reading FillClock::read() const {
  for (;;) {
    uint32_t before = sequence.load(std::memory_order_acquire);
    if (before & 1u) {
      std::this_thread::yield();
      continue;
    }
    Reading reading;
    reading.position = position.load(std::memory_order_relaxed);
    reading.fillStart = fillStart.load(std::memory_order_relaxed);
    reading.filled = filled.load(std::memory_order_relaxed);
    std::atomic_thread_fence(std::memory_order_acquire);
    if (sequence.load(std::memory_order_relaxed) == before) return reading;
  }
}

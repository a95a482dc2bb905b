#include "FillClock.h"

#include <thread>

// A sequence lock over atomics. Every access is sequentially consistent, so
// a reader whose two sequence reads agree (and are even) saw no publish in
// between; the cost is nothing next to a fill.

void FillClock::reset(double at) {
  write(at, 0, false);
}

void FillClock::publish(double at, uint32_t start) {
  write(at, start, true);
}

void FillClock::write(double at, uint32_t start, bool hasFilled) {
  uint32_t s = sequence.load();
  sequence.store(s + 1);
  position.store(at);
  fillStart.store(start);
  filled.store(hasFilled);
  sequence.store(s + 2);
}

FillClock::Reading FillClock::read() const {
  for (;;) {
    uint32_t before = sequence.load();
    if (before & 1u) {
      std::this_thread::yield();
      continue;
    }
    Reading reading;
    reading.position = position.load();
    reading.fillStart = fillStart.load();
    reading.filled = filled.load();
    if (sequence.load() == before) return reading;
  }
}

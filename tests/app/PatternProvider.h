#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

#include "AudioProvider.h"

// A source of a quiet, known signal that records each fill: which buffer
// it wrote, on which thread. Its clock is not used.
class PatternProvider : public AudioProvider {
public:
  struct Fill {
    const uint8_t* buffer;
    std::thread::id thread;
  };

  PatternProvider() : AudioProvider(nullptr) { outputLead = -1.0; }
  double getTime() override { return 0.0; }
  bool fill(uint8_t* buffer, uint32_t bytes) override;

  int fillCount() const { return count.load(); }
  std::vector<Fill> fills();
  // Waits until `n` fills have begun, or `seconds` have passed.
  bool waitForFills(int n, double seconds) const;

private:
  std::atomic<int> count{0};
  std::mutex mutex;
  std::vector<Fill> log;
  uint32_t phase = 0;
};

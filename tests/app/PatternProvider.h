#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

#include "AudioProvider.h"

// A source of a quiet, known signal that records each fill (which buffer
// it wrote, on which thread), its seeks and the latest position played.
// Its clock is not used; a seek only notes where to, and after which byte.
class PatternProvider : public AudioProvider {
public:
  struct Fill {
    const uint8_t* buffer;
    std::thread::id thread;
  };

  PatternProvider() : AudioProvider(nullptr) {}
  double getTime() override { return 0.0; }
  bool fill(uint8_t* buffer, uint32_t bytes) override;
  bool seek(double seconds) override;
  void reportPlayed(uint64_t streamByte, uint32_t) override { played = streamByte; }

  int fillCount() const { return count.load(); }
  // The bytes delivered before the latest seek: where it starts.
  uint64_t seekByte() const { return deliveredAtSeek.load(); }
  uint64_t playedByte() const { return played.load(); }
  std::vector<Fill> fills();
  std::vector<double> seeks();
  // Wait until `n` fills have begun, or the output plays `streamByte`; false
  // once `seconds` have passed.
  bool waitForFills(int n, double seconds) const;
  bool waitForPlayed(uint64_t streamByte, double seconds) const;

private:
  template <class Done> static bool waitFor(Done done, double seconds);

  std::atomic<int> count{0};
  std::atomic<uint64_t> delivered{0};
  std::atomic<uint64_t> played{0};
  std::atomic<uint64_t> deliveredAtSeek{0};
  std::vector<double> seekTargets;
  std::mutex mutex;
  std::vector<Fill> log;
  uint32_t phase = 0;
};

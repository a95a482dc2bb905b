#include "PatternProvider.h"

#include <chrono>

bool PatternProvider::fill(uint8_t* buffer, uint32_t bytes) {
  ++count;
  {
    std::lock_guard<std::mutex> lock(mutex);
    log.push_back({buffer, std::this_thread::get_id()});
  }
  for (uint32_t i = 0; i < bytes; ++i)
    buffer[i] = static_cast<uint8_t>((phase++ >> 4) & 0x0f);
  delivered += bytes;
  return true;
}

bool PatternProvider::seek(double seconds) {
  std::lock_guard<std::mutex> lock(mutex);
  seekTargets.push_back(seconds);
  deliveredAtSeek = delivered.load();
  return true;
}

std::vector<double> PatternProvider::seeks() {
  std::lock_guard<std::mutex> lock(mutex);
  return seekTargets;
}

std::vector<PatternProvider::Fill> PatternProvider::fills() {
  std::lock_guard<std::mutex> lock(mutex);
  return log;
}

template <class Done> bool PatternProvider::waitFor(Done done, double seconds) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  while (!done()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return true;
}

bool PatternProvider::waitForFills(int n, double seconds) const {
  return waitFor([&] { return count.load() >= n; }, seconds);
}

bool PatternProvider::waitForPlayed(uint64_t streamByte, double seconds) const {
  return waitFor([&] { return played.load() >= streamByte; }, seconds);
}

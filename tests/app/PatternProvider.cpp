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
  return true;
}

std::vector<PatternProvider::Fill> PatternProvider::fills() {
  std::lock_guard<std::mutex> lock(mutex);
  return log;
}

bool PatternProvider::waitForFills(int n, double seconds) const {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  while (count.load() < n) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return true;
}

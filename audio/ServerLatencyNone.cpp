#include "ServerLatency.h"

// Built without a sound server's client library.
std::unique_ptr<ServerLatency> createServerLatency(const char*, std::function<void(double)>) {
  return nullptr;
}

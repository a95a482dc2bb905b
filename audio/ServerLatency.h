#pragma once

#include <functional>
#include <memory>

// What the sound server behind the output holds of this process's newest
// playback stream, reported now and then (in seconds) from a thread of its
// own. Destroying it stops that thread without waiting for the server.
class ServerLatency {
public:
  virtual ~ServerLatency() = default;
};

// A watch over the server that SDL's audio driver `driver` plays through;
// null where this build has no client for it (then only SDL's own buffer counts).
std::unique_ptr<ServerLatency> createServerLatency(const char* driver,
                                                   std::function<void(double seconds)> report);

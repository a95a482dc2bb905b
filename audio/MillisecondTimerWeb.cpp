#include <emscripten.h>

#include <cstdint>

#include "MillisecondTimer.h"

// The page's performance.now(), the time base of Web Audio's output
// timestamps; like timeGetTime it is cut to 32 bits and wraps.
uint32_t platformMilliseconds() {
  return static_cast<uint32_t>(static_cast<uint64_t>(emscripten_get_now()));
}

#pragma once

#include <cstdint>

// The 32-bit, wrapping millisecond counter behind the playback clock
// (timeGetTime on Windows, SDL's tick counter elsewhere).
using MillisecondTimer = uint32_t (*)();

uint32_t readMillisecondTimer();
// Replaces the counter, for tests; nullptr restores the platform's own.
void setMillisecondTimer(MillisecondTimer timer);
// The platform's own counter.
uint32_t platformMilliseconds();

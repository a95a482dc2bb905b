#include "MillisecondTimer.h"

#include <SDL.h>

// SDL starts its tick counter on first use; like timeGetTime it is 32 bits wide and wraps.
uint32_t platformMilliseconds() {
  return SDL_GetTicks();
}

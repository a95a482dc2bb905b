#include "MillisecondTimer.h"

#include <windows.h>
// after windows.h, which it needs
#include <mmsystem.h>

uint32_t platformMilliseconds() {
  return timeGetTime();
}

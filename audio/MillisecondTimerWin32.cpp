#include "MillisecondTimer.h"

#include <mmsystem.h>
#include <windows.h>

uint32_t platformMilliseconds() {
  return timeGetTime();
}

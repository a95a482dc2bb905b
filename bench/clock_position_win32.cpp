#include "ClockPosition.h"

#include "WaveOutDevice.h"

// waveOut's own byte position.
double playedSeconds(AudioDevice* output) {
  auto* waveOut = static_cast<WaveOutDevice*>(output);
  MMTIME time = {};
  time.wType = TIME_BYTES;
  waveOutGetPosition(waveOut->waveOut, &time, sizeof(time));
  return static_cast<double>(time.u.cb) / waveOut->bufferBytes;
}

#include "FrameSetup.h"

#include <GL/gl.h>

#include "AudioDevice.h"

void applyDefaultGlState() {
  glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
  glShadeModel(GL_SMOOTH);
  glClearDepth(1.0);
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_LEQUAL);
  glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
}

AudioDevice* openAudioOutput(int audioOutput, AudioProvider* provider, void* window) {
  if (!provider) return nullptr;
  if (audioOutput == 1) return createAudioDevice(primaryAudioOutputName(), provider, window);
  if (audioOutput == 2) return createAudioDevice("DirectSound8", provider, window);
  if (audioOutput == 3) return createAudioDevice("Null", provider, window);
  return nullptr;
}

#include "FrameSetup.h"

#include <GL/gl.h>

#include <cstring>

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

bool listsExtension(const char* list, const char* name) {
  const size_t length = std::strlen(name);
  if (!list || length == 0) return false;
  for (const char* at = list; (at = std::strstr(at, name)) != nullptr; at += length) {
    const bool starts = at == list || at[-1] == ' ';
    const bool ends = at[length] == ' ' || at[length] == '\0';
    if (starts && ends) return true;
  }
  return false;
}

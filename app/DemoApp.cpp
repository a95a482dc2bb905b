#include "DemoApp.h"

#include <GL/gl.h>
#include <GL/glu.h>

// Which output setting 1 or 2 the build asked for (ZEPH_AUDIO_OUTPUT).
#ifndef ZEPH_AUDIO_OUTPUT
#define ZEPH_AUDIO_OUTPUT 1
#endif

int32_t DemoApp::width = 0;
int32_t DemoApp::height = 0;
int32_t DemoApp::colourBits = 0;
int32_t DemoApp::depthBits = 0;
int32_t DemoApp::refreshRate = 85;
bool DemoApp::fullscreen = false;
int32_t DemoApp::audioOutput = ZEPH_AUDIO_OUTPUT;
bool DemoApp::quit = false;
void* DemoApp::window = nullptr;
float DemoApp::farPlane = 1000.0f;
float DemoApp::nearPlane = 1.0f;
float DemoApp::fieldOfView = 45.0f;

DemoApp::DemoApp(const char* windowTitle, int32_t clientWidth, int32_t clientHeight, int32_t colour,
                 int32_t depth, bool switchToFullscreen)
    : title(windowTitle) {
  width = clientWidth;
  height = clientHeight;
  colourBits = colour;
  depthBits = depth;
  fullscreen = switchToFullscreen;
  refreshRate = 85;
  audioOutput = ZEPH_AUDIO_OUTPUT;
  quit = false;
  window = nullptr;
  fieldOfView = 45.0f;
  nearPlane = 1.0f;
  farPlane = 1000.0f;
}

void DemoApp::setCallbacks(FrameCallback init, FrameCallback frame, FrameCallback exit) {
  initCallback = init;
  frameCallback = frame;
  exitCallback = exit;
}

void DemoApp::setupProjection() {
  glViewport(0, 0, width, height);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  double aspect = static_cast<double>(width) / static_cast<double>(height);
  gluPerspective(static_cast<double>(fieldOfView), aspect, static_cast<double>(nearPlane),
                 static_cast<double>(farPlane));
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}

#include "Platform.h"

#include <windows.h>

#include "DemoApp.h"
#include "FrameSetup.h"

void showErrorBox(const char* text) {
  // A full-screen frame would otherwise hide the box behind its topmost window.
  releaseScreenForErrorBox();
  MessageBoxA(nullptr, text, "Error!", MB_ICONERROR);
}

void platformPostQuit() {
  PostQuitMessage(0);
}

void setWindowTitle(const char* text) {
  if (DemoApp::window) SetWindowTextA(static_cast<HWND>(DemoApp::window), text);
}

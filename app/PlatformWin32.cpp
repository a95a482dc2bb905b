#include "Platform.h"

#include <windows.h>

#include "FrameSetup.h"

void showErrorBox(const char* text) {
  // A full-screen frame would otherwise hide the box behind its topmost window.
  releaseScreenForErrorBox();
  MessageBoxA(nullptr, text, "Error!", MB_ICONERROR);
}

void platformPostQuit() {
  PostQuitMessage(0);
}

#include "DemoProbe.h"

#include <windows.h>

#include <cstdio>

#include "DemoApp.h"
#include "DemoAppWin32.h"

namespace {

HWND frameWindow() {
  return static_cast<HWND>(DemoApp::window);
}

LONG WINAPI refuseRates(DEVMODEA* mode, DWORD flags) {
  if (mode && (mode->dmFields & DM_DISPLAYFREQUENCY)) {
    std::printf("display refused %lux%lu@%lu\n", mode->dmPelsWidth, mode->dmPelsHeight,
                mode->dmDisplayFrequency);
    return DISP_CHANGE_BADMODE;
  }
  LONG result = ChangeDisplaySettingsA(mode, flags);
  std::printf("display set %lux%lu result=%ld\n", mode ? mode->dmPelsWidth : 0, mode ? mode->dmPelsHeight : 0,
              result);
  return result;
}

} // namespace

void postOwnMessages(int count) {
  for (int i = 0; i < count; ++i)
    PostMessageA(frameWindow(), WM_USER + 1, 0, 0);
}

bool messageWaiting() {
  MSG message;
  return PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE) != 0;
}

bool contextCurrent(const DemoApp& app) {
  return app.glContext && wglGetCurrentContext() == static_cast<HGLRC>(app.glContext);
}

std::string describeWindow() {
  RECT client = {};
  GetClientRect(frameWindow(), &client);
  POINT origin = {0, 0};
  ClientToScreen(frameWindow(), &origin);
  RECT outer = {};
  GetWindowRect(frameWindow(), &outer);
  char className[64] = {};
  GetClassNameA(frameWindow(), className, sizeof(className));
  char title[64] = {};
  GetWindowTextA(frameWindow(), title, sizeof(title));
  char text[256];
  std::snprintf(text, sizeof(text), "client=%ld,%ld,%ldx%ld window=%ld,%ld class=%s title=%s", origin.x,
                origin.y, client.right - client.left, client.bottom - client.top, outer.left, outer.top,
                className, title);
  return text;
}

void refuseRefreshRates() {
  setDisplayModeChanger(refuseRates);
}

VideoKept::VideoKept() = default;
VideoKept::~VideoKept() = default;

void postEscape(bool down) {
  PostMessageA(frameWindow(), down ? WM_KEYDOWN : WM_KEYUP, VK_ESCAPE, 0);
}

void postOtherKey() {
  PostMessageA(frameWindow(), WM_KEYDOWN, 'A', 0);
  PostMessageA(frameWindow(), WM_KEYUP, 'A', 0);
}

void postWindowClose() {
  PostMessageA(frameWindow(), WM_CLOSE, 0, 0);
}

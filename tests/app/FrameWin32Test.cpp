// Win32 parts of the frame: the window procedure, the window it makes, and
// the full-screen request with its refresh-rate fallback.
#include <gtest/gtest.h>

#include <vector>

#include "DemoApp.h"
#include "DemoAppWin32.h"
#include "FrameSetup.h"

namespace {

bool quitPosted() {
  MSG message;
  bool posted = false;
  while (PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE))
    posted = true;
  return posted;
}

TEST(WindowProc, EscapeAndCloseQuitOtherKeysAreSwallowed) {
  quitPosted();
  EXPECT_EQ(windowProc(nullptr, WM_KEYDOWN, VK_ESCAPE, 0), 0);
  EXPECT_TRUE(quitPosted());
  EXPECT_EQ(windowProc(nullptr, WM_KEYUP, VK_ESCAPE, 0), 0);
  EXPECT_TRUE(quitPosted());
  EXPECT_EQ(windowProc(nullptr, WM_CLOSE, 0, 0), 0);
  EXPECT_TRUE(quitPosted());
  EXPECT_EQ(windowProc(nullptr, WM_KEYDOWN, 'A', 0), 0);
  EXPECT_EQ(windowProc(nullptr, WM_KEYUP, VK_RETURN, 0), 0);
  EXPECT_FALSE(quitPosted());
}

struct WindowSeen {
  char className[32] = {};
  LONG style = 0, extended = 0;
  RECT client = {}, outer = {};
  bool cursorShown = false;
};
WindowSeen seen;

void inspectWindow(DemoApp*) {
  HWND window = static_cast<HWND>(DemoApp::window);
  GetClassNameA(window, seen.className, sizeof(seen.className));
  seen.style = GetWindowLongA(window, GWL_STYLE);
  seen.extended = GetWindowLongA(window, GWL_EXSTYLE);
  GetClientRect(window, &seen.client);
  GetWindowRect(window, &seen.outer);
  CURSORINFO cursor = {};
  cursor.cbSize = sizeof(cursor);
  seen.cursorShown = GetCursorInfo(&cursor) && (cursor.flags & CURSOR_SHOWING);
}
void quitAtOnce(DemoApp*) {
  PostQuitMessage(0);
}
void nothing(DemoApp*) {}

TEST(Win32Frame, WindowedWindowIsAtTheTopLeftWithAnExactClientArea) {
  DemoApp app("zeph frame test", 640, 480, 32, 16, false);
  app.setCallbacks(inspectWindow, quitAtOnce, nothing);
  app.run();
  EXPECT_STREQ(seen.className, "Window");
  EXPECT_TRUE(seen.style & WS_BORDER);
  EXPECT_TRUE(seen.style & WS_SYSMENU);
  EXPECT_TRUE(seen.style & WS_CLIPSIBLINGS);
  EXPECT_TRUE(seen.style & WS_CLIPCHILDREN);
  EXPECT_FALSE(seen.style & WS_POPUP);
  EXPECT_TRUE(seen.extended & WS_EX_APPWINDOW);
  EXPECT_EQ(seen.client.right, 640);
  EXPECT_EQ(seen.client.bottom, 480);
  EXPECT_EQ(seen.outer.left, 0);
  EXPECT_EQ(seen.outer.top, 0);
}

// A display that records each request and answers from a script.
std::vector<DEVMODEA> requests;
std::vector<LONG> answers;
LONG WINAPI scriptedDisplay(DEVMODEA* mode, DWORD) {
  requests.push_back(*mode);
  LONG answer = answers.empty() ? DISP_CHANGE_SUCCESSFUL : answers.front();
  if (!answers.empty()) answers.erase(answers.begin());
  return answer;
}

TEST(Win32Frame, FullScreenAsksFor85HzThenForTheDisplaysOwnRate) {
  requests.clear();
  answers = {DISP_CHANGE_BADMODE, DISP_CHANGE_SUCCESSFUL};
  setDisplayModeChanger(scriptedDisplay);
  DemoApp app("zeph frame test", 640, 480, 32, 16, true);
  app.setCallbacks(inspectWindow, quitAtOnce, nothing);
  app.run();
  setDisplayModeChanger(nullptr);

  ASSERT_EQ(requests.size(), 2u);
  EXPECT_EQ(requests[0].dmSize, sizeof(DEVMODEA));
  EXPECT_EQ(requests[0].dmFields, DWORD(DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT | DM_DISPLAYFREQUENCY));
  EXPECT_EQ(requests[0].dmPelsWidth, 640u);
  EXPECT_EQ(requests[0].dmPelsHeight, 480u);
  EXPECT_EQ(requests[0].dmBitsPerPel, 32u);
  EXPECT_EQ(requests[0].dmDisplayFrequency, 85u);
  EXPECT_EQ(requests[1].dmFields, DWORD(DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT));
  EXPECT_TRUE(seen.style & WS_POPUP);
  EXPECT_TRUE(seen.extended & WS_EX_TOPMOST);
  EXPECT_FALSE(seen.cursorShown);
  EXPECT_EQ(seen.client.right, 640);
  EXPECT_EQ(seen.client.bottom, 480);
}

TEST(Win32Frame, FullScreenFailsWhenTheDisplayRefusesBothRequests) {
  requests.clear();
  answers = {DISP_CHANGE_BADMODE, DISP_CHANGE_BADMODE};
  setDisplayModeChanger(scriptedDisplay);
  DemoApp app("zeph frame test", 640, 480, 32, 16, true);
  app.setCallbacks(nothing, quitAtOnce, nothing);
  const char* thrown = nullptr;
  try {
    app.run();
  } catch (const char* message) {
    thrown = message;
  }
  setDisplayModeChanger(nullptr);
  EXPECT_STREQ(thrown, "Could not set fullscreen mode");
  EXPECT_EQ(requests.size(), 2u);
  // The error box gets its cursor back.
  releaseScreenForErrorBox();
  CURSORINFO cursor = {};
  cursor.cbSize = sizeof(cursor);
  ASSERT_TRUE(GetCursorInfo(&cursor));
  EXPECT_TRUE(cursor.flags & CURSOR_SHOWING);
}

} // namespace

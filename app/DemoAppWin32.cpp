#include "DemoAppWin32.h"
#include "DemoApp.h"

#include <GL/gl.h>
#include <mmsystem.h>

#include "FramePacer.h"
#include "FrameSetup.h"
#include "FrameWindow.h"

namespace {

const char* const className = "Window";
// The module that registered the window class, to unregister it at close.
HINSTANCE classInstance = nullptr;

// The pixel-format request: class-wide, its variable fields filled on first use.
PIXELFORMATDESCRIPTOR pixelFormat = {};
bool pixelFormatFilled = false;

DisplayModeChanger changeDisplayMode = ChangeDisplaySettingsA;

// What the frame changed on the screen, for the error box to undo.
bool displaySwitched = false;
bool cursorHidden = false;

struct WindowStyles {
  DWORD style;
  DWORD extended;
};

WNDCLASSEXA windowClass(HINSTANCE instance) {
  WNDCLASSEXA wc = {};
  wc.cbSize = sizeof(WNDCLASSEXA);
  wc.style = CS_OWNDC | CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = windowProc;
  wc.hInstance = instance;
  wc.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
  wc.hIconSm = LoadIconA(nullptr, IDI_WINLOGO);
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  wc.lpszClassName = className;
  return wc;
}

// The requested mode at the set refresh rate; if the display refuses it, the
// same size and depth at the display's own rate.
void switchDisplayMode() {
  DEVMODEA mode;
  ZeroMemory(&mode, sizeof(mode));
  mode.dmSize = sizeof(DEVMODEA);
  mode.dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT | DM_DISPLAYFREQUENCY;
  mode.dmBitsPerPel = static_cast<DWORD>(DemoApp::colourBits);
  mode.dmPelsWidth = static_cast<DWORD>(DemoApp::width);
  mode.dmPelsHeight = static_cast<DWORD>(DemoApp::height);
  mode.dmDisplayFrequency = static_cast<DWORD>(DemoApp::refreshRate);
  if (changeDisplayMode(&mode, CDS_FULLSCREEN) != DISP_CHANGE_SUCCESSFUL) {
    mode.dmFields &= ~static_cast<DWORD>(DM_DISPLAYFREQUENCY);
    mode.dmDisplayFrequency = 0;
    if (changeDisplayMode(&mode, CDS_FULLSCREEN) != DISP_CHANGE_SUCCESSFUL)
      throw "Could not set fullscreen mode";
  }
  displaySwitched = true;
}

WindowStyles chooseStyles() {
  if (!DemoApp::fullscreen) return {WS_BORDER | WS_SYSMENU, WS_EX_APPWINDOW | WS_EX_WINDOWEDGE};
  ShowCursor(FALSE);
  cursorHidden = true;
  switchDisplayMode();
  return {WS_POPUP, WS_EX_APPWINDOW | WS_EX_TOPMOST};
}

// CreateWindowExA gives every overlapped window a caption, which the rectangle
// above leaves out: size the window again from the styles it really has.
void fitClientArea(HWND window) {
  RECT client = {};
  GetClientRect(window, &client);
  if (client.right == DemoApp::width && client.bottom == DemoApp::height) return;
  RECT rect = {0, 0, DemoApp::width, DemoApp::height};
  AdjustWindowRectEx(&rect, static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongA(window, GWL_EXSTYLE)));
  SetWindowPos(window, nullptr, 0, 0, rect.right - rect.left, rect.bottom - rect.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

HWND createWindow(const char* title, HINSTANCE instance, const WindowStyles& styles) {
  RECT rect = {0, 0, DemoApp::width, DemoApp::height};
  AdjustWindowRectEx(&rect, styles.style, FALSE, styles.extended);
  HWND window =
      CreateWindowExA(styles.extended, className, title, styles.style | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0,
                      0, rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr, instance, nullptr);
  if (!window) throw "hWnd is invalid";
  fitClientArea(window);
  return window;
}

void fillPixelFormat() {
  if (pixelFormatFilled) return;
  pixelFormat.nSize = sizeof(PIXELFORMATDESCRIPTOR);
  pixelFormat.nVersion = 1;
  pixelFormat.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
  pixelFormat.iPixelType = PFD_TYPE_RGBA;
  pixelFormat.cColorBits = static_cast<BYTE>(DemoApp::colourBits);
  pixelFormat.cBlueShift = 1;
  pixelFormat.cAccumAlphaBits = 0;
  // The frame and the productions depth-test and clear depth every frame.
  pixelFormat.cDepthBits = static_cast<BYTE>(DemoApp::depthBits);
  pixelFormatFilled = true;
}

// The nearest format the display offers, which must have a depth buffer.
void setPixelFormat(HDC deviceContext) {
  fillPixelFormat();
  int index = ChoosePixelFormat(deviceContext, &pixelFormat);
  PIXELFORMATDESCRIPTOR chosen = {};
  if (index == 0 || !DescribePixelFormat(deviceContext, index, sizeof(chosen), &chosen) ||
      chosen.cDepthBits == 0)
    throw "Could not set pixelformat";
  if (!SetPixelFormat(deviceContext, index, &pixelFormat)) throw "Could not set pixelformat";
}

// A WGL extension function, through void (*)(): a cast between other
// function types draws a warning. Null where the driver lacks it, which some
// drivers answer with 1, 2, 3 or -1 instead of null.
void (*wglFunction(const char* name))() {
  const PROC proc = wglGetProcAddress(name);
  const auto value = reinterpret_cast<intptr_t>(proc);
  if (value >= -1 && value <= 3) return nullptr;
  return reinterpret_cast<void (*)()>(proc);
}

// The context's WGL extensions, from whichever query the driver offers.
const char* wglExtensions(HDC deviceContext) {
  using ArbExtensions = const char*(WINAPI*)(HDC);
  using ExtExtensions = const char*(WINAPI*)();
  if (auto arb = wglFunction("wglGetExtensionsStringARB"))
    return reinterpret_cast<ArbExtensions>(arb)(deviceContext);
  if (auto ext = wglFunction("wglGetExtensionsStringEXT")) return reinterpret_cast<ExtExtensions>(ext)();
  return nullptr;
}

// Wait for the display at each swap where the driver offers swap control.
// Older drivers list it among GL's own extensions.
void requestSwapInterval(HDC deviceContext) {
  const char* const name = "WGL_EXT_swap_control";
  if (!listsExtension(wglExtensions(deviceContext), name) &&
      !listsExtension(reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS)), name))
    return;
  using SwapInterval = BOOL(WINAPI*)(int interval);
  if (auto proc = wglFunction("wglSwapIntervalEXT")) reinterpret_cast<SwapInterval>(proc)(1);
}

// The rate of the display now (full screen: the mode set); 0 or 1 stand for
// the hardware's default.
int displayRate(HDC deviceContext) {
  return GetDeviceCaps(deviceContext, VREFRESH);
}

// The DemoKey of a virtual-key code, if it is one.
bool demoKey(WPARAM virtualKey, DemoKey& found) {
  static const struct {
    WPARAM virtualKey;
    DemoKey demo;
  } keys[] = {{VK_SPACE, DemoKey::Space},
              {VK_LEFT, DemoKey::Left},
              {VK_RIGHT, DemoKey::Right},
              {VK_PRIOR, DemoKey::PageUp},
              {VK_NEXT, DemoKey::PageDown},
              {VK_HOME, DemoKey::Home},
              {'R', DemoKey::R}};
  for (const auto& key : keys) {
    if (key.virtualKey != virtualKey) continue;
    found = key.demo;
    return true;
  }
  return false;
}

// Key presses go to the application's key callback before the window
// procedure sees them; bit 30 marks the keyboard's repeats.
void deliverKey(DemoApp* app, const MSG& message) {
  DemoKey demo = DemoKey::Space;
  if (message.message != WM_KEYDOWN || (message.lParam & (LPARAM{1} << 30)) != 0) return;
  if (demoKey(message.wParam, demo)) app->keyCallback(app, demo);
}

HDC frameDeviceContext(const DemoApp& app) {
  return static_cast<HDC>(app.deviceContext);
}

void restoreDisplay() {
  if (displaySwitched) ChangeDisplaySettingsA(nullptr, 0);
  if (cursorHidden) ShowCursor(TRUE);
  displaySwitched = false;
  cursorHidden = false;
}

class Win32Window : public FrameWindow {
public:
  void open(DemoApp& app) override {
    classInstance = GetModuleHandleA(nullptr);
    WNDCLASSEXA wc = windowClass(classInstance);
    WindowStyles styles = chooseStyles();
    if (!RegisterClassExA(&wc)) throw "Could not register class";

    HWND hwnd = createWindow(app.title, classInstance, styles);
    DemoApp::window = hwnd;
    HDC hdc = GetDC(hwnd);
    if (!hdc) throw "Could not get devicecontext";
    app.deviceContext = hdc;
    setPixelFormat(hdc);
    HGLRC context = wglCreateContext(hdc);
    app.glContext = context;
    wglMakeCurrent(hdc, context);
    requestSwapInterval(hdc);

    ShowWindow(hwnd, SW_SHOWNORMAL);
    SetForegroundWindow(hwnd);
    SetFocus(hwnd);
    // Sleep's default granularity is longer than a frame.
    timeBeginPeriod(1);
  }

  // Key presses reach the key callback before the window procedure.
  WindowMessage takeMessage(DemoApp& app) override {
    MSG message;
    if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) return WindowMessage::None;
    if (message.message == WM_QUIT) return WindowMessage::Quit;
    if (app.keyCallback) deliverKey(&app, message);
    DispatchMessageA(&message);
    return WindowMessage::Handled;
  }

  void swap(DemoApp& app) override { SwapBuffers(frameDeviceContext(app)); }

  double pacingRate(DemoApp& app) override {
    return FramePacer::rateFor(displayRate(frameDeviceContext(app)), DemoApp::refreshRate);
  }

  void restoreScreen() override { restoreDisplay(); }

  void close(DemoApp& app) override {
    timeEndPeriod(1);
    HWND hwnd = static_cast<HWND>(DemoApp::window);
    wglDeleteContext(static_cast<HGLRC>(app.glContext));
    ReleaseDC(hwnd, frameDeviceContext(app));
    DestroyWindow(hwnd);
    UnregisterClassA(className, classInstance);
  }
};

} // namespace

void setDisplayModeChanger(DisplayModeChanger changer) {
  changeDisplayMode = changer ? changer : ChangeDisplaySettingsA;
}

void releaseScreenForErrorBox() {
  restoreDisplay();
  if (DemoApp::window) ShowWindow(static_cast<HWND>(DemoApp::window), SW_HIDE);
}

FrameWindow& platformWindow() {
  static Win32Window window;
  return window;
}

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
  case WM_CLOSE: PostQuitMessage(0); return 0;
  case WM_KEYDOWN:
  case WM_KEYUP:
    if (wParam == VK_ESCAPE) PostQuitMessage(0);
    return 0;
  default: return DefWindowProcA(window, message, wParam, lParam);
  }
}

#include "DemoApp.h"

#include <SDL.h>

#include "FramePacer.h"
#include "FrameSetup.h"
#include "FrameWindow.h"
#include "Platform.h"

namespace {

// What the frame changed on the screen, for the error box to undo.
bool displaySwitched = false;
bool cursorHidden = false;

SDL_Window* sdlWindow() {
  return static_cast<SDL_Window*>(DemoApp::window);
}

bool modeMatches(const SDL_DisplayMode& mode, bool withRate) {
  return mode.w == DemoApp::width && mode.h == DemoApp::height &&
         static_cast<int32_t>(SDL_BYTESPERPIXEL(mode.format)) * 8 == DemoApp::colourBits &&
         (!withRate || mode.refresh_rate == DemoApp::refreshRate);
}

bool findMode(bool withRate, SDL_DisplayMode& found) {
  int count = SDL_GetNumDisplayModes(0);
  for (int i = 0; i < count; ++i) {
    if (SDL_GetDisplayMode(0, i, &found) == 0 && modeMatches(found, withRate)) return true;
  }
  return false;
}

// The requested mode at the set refresh rate; if the display has none, the
// same size and depth at any rate it offers.
SDL_DisplayMode chooseDisplayMode() {
  SDL_DisplayMode mode = {};
  if (!findMode(true, mode) && !findMode(false, mode)) throw "Could not set fullscreen mode";
  return mode;
}

void requestGlFormat() {
  int channel = DemoApp::colourBits >= 24 ? 8 : 5;
  SDL_GL_SetAttribute(SDL_GL_RED_SIZE, channel);
  SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, channel);
  SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, channel);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  // The frame and the productions depth-test and clear depth every frame.
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, DemoApp::depthBits);
  SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 0);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
}

// Drivers that show nothing. SDL falls back to them when no display can be
// reached; the frame then ran unseen (an off-screen buffer, not even double
// buffered), so it takes them only when SDL_VIDEODRIVER asks for them.
bool showsNothing(const char* driver) {
  return driver && (SDL_strcmp(driver, "offscreen") == 0 || SDL_strcmp(driver, "dummy") == 0);
}

void startVideo() {
  // The X11 window class, as the Win32 frame registers it.
  SDL_setenv("SDL_VIDEO_X11_WMCLASS", "Window", 1);
  // Closing the window quits through the frame's own event handling.
  SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) throw "Could not register class";
  const char* asked = SDL_getenv("SDL_VIDEODRIVER");
  if (showsNothing(SDL_GetCurrentVideoDriver()) && !(asked && *asked)) {
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    throw "Could not register class";
  }
}

SDL_Window* createWindow(const char* title) {
  Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN;
  SDL_DisplayMode mode = {};
  if (DemoApp::fullscreen) {
    SDL_ShowCursor(SDL_DISABLE);
    cursorHidden = true;
    mode = chooseDisplayMode();
    flags |= SDL_WINDOW_FULLSCREEN;
  }
  requestGlFormat();
  SDL_Window* window = SDL_CreateWindow(title, 0, 0, DemoApp::width, DemoApp::height, flags);
  if (!window) throw "hWnd is invalid";
  DemoApp::window = window;
  if (DemoApp::fullscreen) {
    if (SDL_SetWindowDisplayMode(window, &mode) != 0) throw "Could not set fullscreen mode";
    displaySwitched = true;
  }
  return window;
}

SDL_GLContext createContext(SDL_Window* window) {
  SDL_GLContext context = SDL_GL_CreateContext(window);
  int depth = 0;
  if (!context || SDL_GL_GetAttribute(SDL_GL_DEPTH_SIZE, &depth) != 0 || depth == 0)
    throw "Could not set pixelformat";
  SDL_GL_MakeCurrent(window, context);
  // Wait for the display at each swap where the driver can.
  SDL_GL_SetSwapInterval(1);
  return context;
}

// The rate of the display the window is on now (full screen: the mode set).
int displayRate(SDL_Window* window) {
  SDL_DisplayMode mode = {};
  int display = SDL_GetWindowDisplayIndex(window);
  if (display < 0 || SDL_GetCurrentDisplayMode(display, &mode) != 0) return 0;
  return mode.refresh_rate;
}

void showWindow(SDL_Window* window) {
  SDL_ShowWindow(window);
  SDL_RaiseWindow(window);
  // Keys give key events only, no text events.
  SDL_StopTextInput();
}

// The DemoKey of an SDL key, if it is one.
bool demoKey(SDL_Keycode sdlKey, DemoKey& found) {
  static const struct {
    SDL_Keycode sdl;
    DemoKey demo;
  } keys[] = {{SDLK_SPACE, DemoKey::Space},
              {SDLK_LEFT, DemoKey::Left},
              {SDLK_RIGHT, DemoKey::Right},
              {SDLK_PAGEUP, DemoKey::PageUp},
              {SDLK_PAGEDOWN, DemoKey::PageDown},
              {SDLK_HOME, DemoKey::Home},
              {SDLK_r, DemoKey::R}};
  for (const auto& key : keys) {
    if (key.sdl != sdlKey) continue;
    found = key.demo;
    return true;
  }
  return false;
}

void deliverKey(DemoApp* app, const SDL_KeyboardEvent& key) {
  DemoKey demo = DemoKey::Space;
  if (app->keyCallback && !key.repeat && demoKey(key.keysym.sym, demo)) app->keyCallback(app, demo);
}

// The window procedure's counterpart.
void handleEvent(DemoApp* app, const SDL_Event& event) {
  switch (event.type) {
  case SDL_WINDOWEVENT:
    if (event.window.event == SDL_WINDOWEVENT_CLOSE) postQuit();
    break;
  case SDL_KEYDOWN:
    if (event.key.keysym.sym == SDLK_ESCAPE) postQuit();
    deliverKey(app, event.key);
    break;
  case SDL_KEYUP:
    if (event.key.keysym.sym == SDLK_ESCAPE) postQuit();
    break;
  default: break;
  }
}

void restoreDisplay() {
  if (displaySwitched && sdlWindow()) SDL_SetWindowFullscreen(sdlWindow(), 0);
  if (cursorHidden) SDL_ShowCursor(SDL_ENABLE);
  displaySwitched = false;
  cursorHidden = false;
}

class SdlWindow : public FrameWindow {
public:
  void open(DemoApp& app) override {
    startVideo();
    SDL_Window* window = createWindow(app.title);
    app.glContext = createContext(window);
    showWindow(window);
  }

  WindowMessage takeMessage(DemoApp& app) override {
    SDL_Event event;
    if (!SDL_PollEvent(&event)) return WindowMessage::None;
    if (event.type == SDL_QUIT) return WindowMessage::Quit;
    handleEvent(&app, event);
    return WindowMessage::Handled;
  }

  void swap(DemoApp&) override { SDL_GL_SwapWindow(sdlWindow()); }

  double pacingRate(DemoApp&) override {
    return FramePacer::rateFor(displayRate(sdlWindow()), DemoApp::refreshRate);
  }

  void restoreScreen() override { restoreDisplay(); }

  void close(DemoApp& app) override {
    SDL_GL_DeleteContext(app.glContext);
    app.glContext = nullptr;
    SDL_DestroyWindow(sdlWindow());
    DemoApp::window = nullptr;
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
  }
};

} // namespace

void releaseScreenForErrorBox() {
  restoreDisplay();
  if (sdlWindow()) SDL_HideWindow(sdlWindow());
}

FrameWindow& platformWindow() {
  static SdlWindow window;
  return window;
}

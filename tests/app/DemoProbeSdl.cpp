#include "DemoProbe.h"

#include <SDL.h>

#include <cstdio>

#include "DemoApp.h"

namespace {

SDL_Window* frameWindow() {
  return static_cast<SDL_Window*>(DemoApp::window);
}

void postKey(Uint32 type, SDL_Keycode key) {
  SDL_Event event = {};
  event.type = type;
  event.key.windowID = SDL_GetWindowID(frameWindow());
  event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
  event.key.keysym.sym = key;
  event.key.keysym.scancode = SDL_GetScancodeFromKey(key);
  SDL_PushEvent(&event);
}

} // namespace

void postOwnMessages(int count) {
  for (int i = 0; i < count; ++i) {
    SDL_Event event = {};
    event.type = SDL_USEREVENT;
    SDL_PushEvent(&event);
  }
}

bool messageWaiting() {
  return SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) > 0;
}

bool contextCurrent(const DemoApp& app) {
  return app.glContext && SDL_GL_GetCurrentContext() == static_cast<SDL_GLContext>(app.glContext);
}

std::string describeWindow() {
  int x = 0, y = 0, w = 0, h = 0;
  SDL_GetWindowPosition(frameWindow(), &x, &y);
  SDL_GL_GetDrawableSize(frameWindow(), &w, &h);
  char text[256];
  std::snprintf(text, sizeof(text), "client=%d,%d,%dx%d title=%s", x, y, w, h,
                SDL_GetWindowTitle(frameWindow()));
  return text;
}

// Xvfb's modes carry no refresh rate, so the display already refuses 85 Hz.
void refuseRefreshRates() {}

VideoKept::VideoKept() {
  SDL_InitSubSystem(SDL_INIT_VIDEO);
}
VideoKept::~VideoKept() {
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

void postEscape(bool down) {
  postKey(down ? SDL_KEYDOWN : SDL_KEYUP, SDLK_ESCAPE);
}

void postOtherKey() {
  postKey(SDL_KEYDOWN, SDLK_a);
  postKey(SDL_KEYUP, SDLK_a);
}

void postWindowClose() {
  SDL_Event event = {};
  event.type = SDL_WINDOWEVENT;
  event.window.windowID = SDL_GetWindowID(frameWindow());
  event.window.event = SDL_WINDOWEVENT_CLOSE;
  SDL_PushEvent(&event);
}

#include "Platform.h"

#include <SDL.h>
#include <cstdio>

#include "DemoApp.h"
#include "FrameSetup.h"

void showErrorBox(const char* text) {
  releaseScreenForErrorBox();
  // On X11, SDL shows the box from a forked process, which now and then fails
  // to come up on a busy display; a second try is cheap.
  for (int attempt = 0; attempt < 3; ++attempt)
    if (SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, "Error!", text, nullptr) == 0) return;
  std::fprintf(stderr, "Error! %s (no box: %s)\n", text, SDL_GetError());
}

void platformPostQuit() {
  SDL_Event event = {};
  event.type = SDL_QUIT;
  SDL_PushEvent(&event);
}

void setWindowTitle(const char* text) {
  if (DemoApp::window) SDL_SetWindowTitle(static_cast<SDL_Window*>(DemoApp::window), text);
}

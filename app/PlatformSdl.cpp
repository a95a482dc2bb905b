#include "Platform.h"

#include <SDL.h>
#include <cstdio>

#include "DemoApp.h"
#include "FrameSetup.h"

void showErrorBox(const char* text) {
  releaseScreenForErrorBox();
  // SDL's X11 box runs in a process of its own. With the video subsystem up it
  // places itself by the first display's driver data, which it reads without
  // a check; now and then that data was missing in the box's process, which
  // then died of a null dereference and no box came up. Without a video device
  // it centres itself on the screen instead. The process ends after the box.
  DemoApp::window = nullptr;
  while (SDL_WasInit(SDL_INIT_VIDEO) != 0)
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
  if (SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, "Error!", text, nullptr) != 0)
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

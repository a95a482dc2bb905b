#include "Platform.h"

#include <SDL.h>
#include <cstdio>

#include "FrameSetup.h"

void showErrorBox(const char* text) {
  releaseScreenForErrorBox();
  if (SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, "Error!", text, nullptr) != 0)
    std::fprintf(stderr, "Error! %s\n", text); // no display to show the box on
}

void postQuit() {
  SDL_Event event = {};
  event.type = SDL_QUIT;
  SDL_PushEvent(&event);
}

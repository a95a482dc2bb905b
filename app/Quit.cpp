#include "Platform.h"

namespace {
// Set and used on the main thread only.
QuitHandler quitHandler = nullptr;
} // namespace

void postQuit() {
  if (quitHandler)
    quitHandler();
  else
    platformPostQuit();
}

void setQuitHandler(QuitHandler handler) {
  quitHandler = handler;
}

// SDL2 parts of the frame: key events only, full screen on a display
// without the asked mode, no display at all, and no sound driver.
#include <gtest/gtest.h>

#include <SDL.h>

#include <string>

#include "AudioDevice.h"
#include "DemoApp.h"
#include "FrameSetup.h"

namespace {

bool textInputAtInit = true;
void inspect(DemoApp*) {
  textInputAtInit = SDL_IsTextInputActive();
}
void quitAtOnce(DemoApp*) {
  SDL_Event event = {};
  event.type = SDL_QUIT;
  SDL_PushEvent(&event);
}
void nothing(DemoApp*) {}

// The text the run threw, or null when it returned.
const char* runThrown(DemoApp& app) {
  try {
    app.run();
  } catch (const char* message) {
    return message;
  }
  return nullptr;
}

TEST(SdlFrame, KeysGiveNoTextEvents) {
  DemoApp app("zeph frame test", 640, 480, 32, 16, false);
  app.setCallbacks(inspect, quitAtOnce, nothing);
  app.run();
  EXPECT_FALSE(textInputAtInit);
}

TEST(SdlFrame, FullScreenFailsWithoutTheModeAndTheCursorComesBack) {
  // The test display has no 123 x 45 mode at any rate.
  DemoApp app("zeph frame test", 123, 45, 32, 16, true);
  app.setCallbacks(nothing, quitAtOnce, nothing);
  const char* thrown = runThrown(app);
  EXPECT_STREQ(thrown, "Could not set fullscreen mode");
  EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);
  releaseScreenForErrorBox();
  EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_ENABLE);
}

TEST(SdlFrame, NoReachableDisplayFailsInsteadOfRunningUnseen) {
  const std::string display = SDL_getenv("DISPLAY") ? SDL_getenv("DISPLAY") : "";
  // No X server answers there, and no Wayland compositor is named: SDL's
  // last resort would be its off-screen driver.
  SDL_setenv("DISPLAY", ":65000", 1);
  SDL_setenv("WAYLAND_DISPLAY", "zeph-no-such-display", 1);
  DemoApp app("zeph frame test", 640, 480, 32, 16, false);
  app.setCallbacks(nothing, quitAtOnce, nothing);
  const char* thrown = runThrown(app);
  SDL_setenv("DISPLAY", display.c_str(), 1);
  EXPECT_STREQ(thrown, "Could not register class");
  EXPECT_EQ(DemoApp::window, nullptr);
}

// The sanitizer builds' leak check sees whether the failed output, and what
// its open acquired, were given back.
TEST(SdlFrame, AnOutputThatCannotOpenThrowsItsText) {
  SDL_setenv("SDL_AUDIODRIVER", "zeph-no-such-driver", 1);
  const char* thrown = nullptr;
  try {
    createAudioDevice(primaryAudioOutputName(), nullptr, nullptr);
  } catch (const char* message) {
    thrown = message;
  }
  SDL_setenv("SDL_AUDIODRIVER", "", 1);
  EXPECT_STREQ(thrown, "SDL_OpenAudioDevice failed!");
}

} // namespace

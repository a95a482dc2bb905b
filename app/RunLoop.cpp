#include <optional>

#include "AudioDevice.h"
#include "DemoApp.h"
#include "FramePacer.h"
#include "FrameSetup.h"
#include "FrameWindow.h"

// The frame's order, the same for every window: window and context, the
// projection and default state, the output prepared, the init callback,
// playback, then a frame whenever no message waits; at the end the screen
// is restored before the exit callback, and the window goes last.
void DemoApp::run() {
  if (quit) return;
  FrameWindow& shown = frameWindow ? *frameWindow : platformWindow();
  shown.open(*this);
  setupProjection();
  applyDefaultGlState();

  audioDevice = openAudioOutput(audioOutput, audioProvider, window);
  initCallback(this);
  if (audioDevice) audioDevice->start();

  std::optional<FramePacer> pacer;
  if (const double rate = shown.pacingRate(*this); rate > 0.0) pacer.emplace(rate);
  while (!quit) {
    const WindowMessage message = shown.takeMessage(*this);
    if (message == WindowMessage::Quit) {
      quit = true;
    } else if (message == WindowMessage::None) {
      frameCallback(this);
      shown.swap(*this);
      if (pacer) pacer->frameShown();
    }
  }

  shown.restoreScreen();
  exitCallback(this);
  shown.close(*this);
}

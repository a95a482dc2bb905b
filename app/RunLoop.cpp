#include "AudioDevice.h"
#include "DemoApp.h"
#include "FramePacer.h"
#include "FrameSetup.h"
#include "FrameWindow.h"

// The frame's order, the same on every platform: window and context, the
// projection and default state, the output prepared, the init callback,
// playback, then a frame whenever no message waits; at the end the screen
// is restored before the exit callback, and the window goes last.
void DemoApp::run() {
  if (quit) return;
  openFrameWindow(*this);
  setupProjection();
  applyDefaultGlState();

  audioDevice = openAudioOutput(audioOutput, audioProvider, window);
  initCallback(this);
  if (audioDevice) audioDevice->start();

  FramePacer pacer(FramePacer::rateFor(frameDisplayRate(*this), refreshRate));
  while (!quit) {
    const WindowMessage message = takeWindowMessage(*this);
    if (message == WindowMessage::Quit) {
      quit = true;
    } else if (message == WindowMessage::None) {
      frameCallback(this);
      swapFrame(*this);
      pacer.frameShown();
    }
  }

  restoreFrameScreen();
  exitCallback(this);
  closeFrameWindow(*this);
}

// The entry of a production that brings none of its own: its record says
// everything the run needs. Compiled into each executable, so that the
// build's ZEPH_FULLSCREEN applies.
#include "AudioDevice.h"
#include "AudioFile.h"
#include "AudioProvider.h"
#include "DemoApp.h"
#include "FailureText.h"
#include "Platform.h"
#include "ProductionInfo.h"

// Set by the build: windowed builds serve the end-to-end tests.
#ifndef ZEPH_FULLSCREEN
#define ZEPH_FULLSCREEN 1
#endif

int productionMain() {
  try {
    const ProductionInfo& info = productionInfo();
    DemoApp* app = new DemoApp(info.title, info.width, info.height, info.colourBits, info.depthBits,
                               info.fullscreen && ZEPH_FULLSCREEN != 0);
    *info.application = app;
    app->setCallbacks(info.init, info.frame, info.finish);
    app->audioProvider = createAudioProvider(createAudioFile(info.musicFile, -1));
    app->run();
    // The music ends before the process does: an output still playing would
    // have its own thread and the system's sound threads torn down under it.
    if (app->audioDevice) app->audioDevice->close();
    return 1;
  } catch (...) {
    showErrorBox(failureText().c_str());
    return -1;
  }
}

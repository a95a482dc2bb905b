#include "AudioDevice.h"
#include "AudioFile.h"
#include "AudioProvider.h"
#include "DemoApp.h"
#include "FailureText.h"
#include "Orbit.h"
#include "Platform.h"
#include "ProductionInfo.h"

// Set by the build: the windowed build serves tests.
#ifndef ZEPH_FULLSCREEN
#define ZEPH_FULLSCREEN 1
#endif

int productionMain() {
  try {
    const ProductionInfo& info = productionInfo();
    app = new DemoApp(info.title, info.width, info.height, info.colourBits, info.depthBits,
                      info.fullscreen && ZEPH_FULLSCREEN != 0);
    app->setCallbacks(info.init, info.frame, info.finish);
    app->audioProvider = createAudioProvider(createAudioFile(info.musicFile, -1));
    app->run();
    if (app->audioDevice) app->audioDevice->close();
    return 1;
  } catch (...) {
    showErrorBox(failureText().c_str());
    return -1;
  }
}

// The frame's run loop in a real window (the test services' display), with
// callbacks that record what they see.
#include <gtest/gtest.h>

#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "AudioDevice.h"
#include "DemoApp.h"
#include "DemoProbe.h"
#include "FrameSetup.h"
#include "PatternProvider.h"

namespace {

// What the callbacks saw; one run at a time.
struct Record {
  std::vector<std::string> events;
  long frames = 0;
  bool exitContextCurrent = false;
  std::function<void(DemoApp*, long)> onFrame; // with the frame's number, from 1
  std::function<void(DemoApp*)> onInit;
};
Record* record = nullptr;

void initCallback(DemoApp* app) {
  record->events.push_back("init");
  if (record->onInit) record->onInit(app);
}
void frameCallback(DemoApp* app) {
  if (record->frames++ == 0) record->events.push_back("frame");
  record->onFrame(app, record->frames);
}
void exitCallback(DemoApp* app) {
  record->events.push_back("exit");
  record->exitContextCurrent = contextCurrent(*app);
}

class RunLoop : public ::testing::Test {
protected:
  RunLoop() {
    record = &seen;
    app.setCallbacks(initCallback, frameCallback, exitCallback);
  }
  ~RunLoop() override { record = nullptr; }

  Record seen;
  DemoApp app{"zeph frame test", 640, 480, 32, 16, false};
};

TEST(FrameSetup, ExtensionListsMatchWholeNamesOnly) {
  const char* const name = "WGL_EXT_swap_control";
  const struct {
    const char* list;
    bool listed;
  } cases[] = {
      {"WGL_EXT_swap_control", true},
      {"WGL_ARB_pixel_format WGL_EXT_swap_control WGL_ARB_multisample", true},
      {"WGL_ARB_pixel_format WGL_EXT_swap_control ", true},
      {"WGL_EXT_swap_control_tear", false},
      {"WGL_EXT_swap_control_tear WGL_EXT_swap_control", true},
      {"XWGL_EXT_swap_control", false},
      {"", false},
      {nullptr, false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(listsExtension(c.list, name), c.listed) << (c.list ? c.list : "(null)");
}

TEST(DemoApp, ConstructorStoresTheSettingsClassWide) {
  DemoApp::quit = true;
  DemoApp app("title", 320, 200, 16, 24, true);
  EXPECT_STREQ(app.title, "title");
  EXPECT_EQ(DemoApp::width, 320);
  EXPECT_EQ(DemoApp::height, 200);
  EXPECT_EQ(DemoApp::colourBits, 16);
  EXPECT_EQ(DemoApp::depthBits, 24);
  EXPECT_TRUE(DemoApp::fullscreen);
  EXPECT_EQ(DemoApp::refreshRate, 85);
  EXPECT_EQ(DemoApp::audioOutput, ZEPH_AUDIO_OUTPUT);
  EXPECT_FALSE(DemoApp::quit);
  EXPECT_EQ(DemoApp::fieldOfView, 45.0f);
  EXPECT_EQ(DemoApp::nearPlane, 1.0f);
  EXPECT_EQ(DemoApp::farPlane, 1000.0f);
  EXPECT_EQ(app.initCallback, nullptr);
  EXPECT_EQ(app.audioProvider, nullptr);
  EXPECT_EQ(app.audioDevice, nullptr);
  app.setCallbacks(initCallback, frameCallback, exitCallback);
  EXPECT_EQ(app.initCallback, initCallback);
  EXPECT_EQ(app.frameCallback, frameCallback);
  EXPECT_EQ(app.exitCallback, exitCallback);
}

TEST_F(RunLoop, EscapeDownEndsTheRunAndASecondRunReturnsAtOnce) {
  seen.onFrame = [](DemoApp*, long frame) {
    if (frame == 3) postEscape(true);
  };
  app.run();
  EXPECT_EQ(seen.events, (std::vector<std::string>{"init", "frame", "exit"}));
  EXPECT_GE(seen.frames, 3);
  EXPECT_TRUE(seen.exitContextCurrent);
  EXPECT_TRUE(DemoApp::quit);

  long frames = seen.frames;
  app.run();
  EXPECT_EQ(seen.events.size(), 3u);
  EXPECT_EQ(seen.frames, frames);
}

TEST_F(RunLoop, EscapeUpEndsTheRunAndOtherKeysDoNot) {
  seen.onFrame = [](DemoApp*, long frame) {
    if (frame == 2) postOtherKey();
    if (frame == 20) postEscape(false);
  };
  app.run();
  EXPECT_GE(seen.frames, 20);
  EXPECT_EQ(seen.events.back(), "exit");
}

TEST_F(RunLoop, ClosingTheWindowEndsTheRun) {
  seen.onFrame = [](DemoApp*, long frame) {
    if (frame == 2) postWindowClose();
  };
  app.run();
  EXPECT_GE(seen.frames, 2);
  EXPECT_TRUE(seen.exitContextCurrent);
}

TEST_F(RunLoop, NoFrameIsDrawnWhileMessagesWait) {
  bool waitingAtNextFrame = true;
  seen.onFrame = [&](DemoApp*, long frame) {
    if (frame == 2) postOwnMessages(200);
    if (frame == 3) {
      waitingAtNextFrame = messageWaiting();
      postEscape(true);
    }
  };
  app.run();
  EXPECT_FALSE(waitingAtNextFrame);
}

TEST_F(RunLoop, InitialiseSeesTheDefaultStateAndProjection) {
  GLfloat clear[4] = {}, projection[16] = {}, expected[16] = {};
  GLint viewport[4] = {}, depthBits = 0, depthFunc = 0, shadeModel = 0, hint = 0, matrixMode = 0;
  GLboolean depthTest = GL_FALSE, doubleBuffer = GL_FALSE;
  GLfloat depthClear = 0.0f;
  seen.onInit = [&](DemoApp*) {
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    glGetFloatv(GL_DEPTH_CLEAR_VALUE, &depthClear);
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    glGetIntegerv(GL_DEPTH_BITS, &depthBits);
    glGetIntegerv(GL_DEPTH_FUNC, &depthFunc);
    glGetIntegerv(GL_SHADE_MODEL, &shadeModel);
    glGetIntegerv(GL_PERSPECTIVE_CORRECTION_HINT, &hint);
    glGetIntegerv(GL_MATRIX_MODE, &matrixMode);
    depthTest = glIsEnabled(GL_DEPTH_TEST);
    glGetBooleanv(GL_DOUBLEBUFFER, &doubleBuffer);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    gluPerspective(45.0, 640.0 / 480.0, 1.0, 1000.0);
    glGetFloatv(GL_PROJECTION_MATRIX, expected);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
  };
  seen.onFrame = [](DemoApp*, long) { postEscape(true); };
  app.run();

  EXPECT_EQ(clear[0], 0.0f);
  EXPECT_EQ(clear[2], 0.0f);
  EXPECT_EQ(clear[3], 1.0f);
  EXPECT_EQ(depthClear, 1.0f);
  EXPECT_TRUE(depthTest);
  EXPECT_EQ(depthFunc, GL_LEQUAL);
  EXPECT_EQ(shadeModel, GL_SMOOTH);
  EXPECT_EQ(hint, GL_NICEST);
  EXPECT_GT(depthBits, 0);
  EXPECT_TRUE(doubleBuffer);
  EXPECT_EQ(matrixMode, GL_MODELVIEW);
  EXPECT_EQ(viewport[2], 640);
  EXPECT_EQ(viewport[3], 480);
  for (int i = 0; i < 16; ++i)
    EXPECT_FLOAT_EQ(projection[i], expected[i]) << i;
}

TEST_F(RunLoop, PlaybackStartsAfterInitialise) {
  PatternProvider source;
  app.audioProvider = &source;
  DemoApp::audioOutput = 3; // Null: the order needs no sound device
  int fillsAtInit = -1, fillsAtFirstFrame = -1;
  bool runningAtInit = true;
  seen.onInit = [&](DemoApp* a) {
    fillsAtInit = source.fillCount();
    runningAtInit = a->audioDevice && a->audioDevice->running;
  };
  seen.onFrame = [&](DemoApp*, long frame) {
    if (frame == 1) fillsAtFirstFrame = source.fillCount();
    postEscape(true);
  };
  app.run();
  ASSERT_NE(app.audioDevice, nullptr);
  EXPECT_EQ(fillsAtInit, 0);
  EXPECT_FALSE(runningAtInit);
  EXPECT_GE(fillsAtFirstFrame, 2);
  // The frame leaves the output playing.
  EXPECT_TRUE(app.audioDevice->running);
  app.audioDevice->close();
  delete app.audioDevice;
}

TEST_F(RunLoop, NoOutputWithoutSourceOrSetting) {
  VideoKept video;
  seen.onFrame = [](DemoApp*, long) { postEscape(true); };
  app.run();
  EXPECT_EQ(app.audioDevice, nullptr);

  PatternProvider source;
  DemoApp other("zeph frame test", 640, 480, 32, 16, false);
  other.setCallbacks(initCallback, frameCallback, exitCallback);
  other.audioProvider = &source;
  DemoApp::audioOutput = 0;
  other.run();
  EXPECT_EQ(other.audioDevice, nullptr);
  EXPECT_EQ(source.fillCount(), 0);
}

} // namespace

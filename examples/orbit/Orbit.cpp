// orbit, a second production on the frame: one picture for the first fifteen
// seconds of music, a red cube turning four times as fast as zeph's object in
// front of it throughout, and the end at thirty seconds. The script and its
// record are all of it: the frame brings the entry.
#include <GL/gl.h>

#include "AudioProvider.h"
#include "DemoApp.h"
#include "LwoObject.h"
#include "Platform.h"
#include "PngImage.h"
#include "ProductionInfo.h"
#include "Texture.h"

namespace {

DemoApp* app = nullptr;
Texture* skyTexture = nullptr;
LwoObject* cube = nullptr;
float cubeAngle = 0.0f;

const double skySeconds = 15.0;
const double endSeconds = 30.0;

double musicTime() {
  return app->audioProvider->getTime();
}

// The picture over the whole screen, its first row at the top.
void drawSky() {
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, skyTexture->textureName);
  glLoadIdentity();
  glTranslatef(0.0f, 0.0f, -1.4f);
  glBegin(GL_QUADS);
  glTexCoord2f(0.0f, 1.0f);
  glVertex2f(-0.78f, -0.58f);
  glTexCoord2f(1.0f, 1.0f);
  glVertex2f(0.78f, -0.58f);
  glTexCoord2f(1.0f, 0.0f);
  glVertex2f(0.78f, 0.58f);
  glTexCoord2f(0.0f, 0.0f);
  glVertex2f(-0.78f, 0.58f);
  glEnd();
}

void initOrbit(DemoApp*) {
  PngImage sky("data/sky.png");
  skyTexture = new Texture(sky);
  cube = new LwoObject();
  cube->load("data/cube.lwo");
}

void drawOrbit(DemoApp*) {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  cubeAngle += 0.6f;
  const double t = musicTime();
  // The sky is a backdrop: the cube stays in front of it.
  if (t > 0.0 && t < skySeconds) drawSky();
  glClear(GL_DEPTH_BUFFER_BIT);
  // The cube shows its own colour, not the picture's.
  glDisable(GL_TEXTURE_2D);
  glLoadIdentity();
  cube->drawAt(0.0f, 0.0f, -3.0f, 1.0f, 1.0f, 1.0f, 20.0f, cubeAngle, 0.0f);
  if (musicTime() > endSeconds) postQuit();
}

void finishOrbit(DemoApp*) {}

ProductionInfo describe() {
  ProductionInfo info{};
  info.name = "orbit";
  info.title = "orbit";
  info.musicFile = "data/orbit.ogg";
  using Kind = ProductionFile::Kind;
  info.files = {{"data/sky.png", Kind::Picture, &skyTexture, nullptr},
                {"data/cube.lwo", Kind::Object, nullptr, &cube}};
  info.endSeconds = endSeconds;
  info.init = initOrbit;
  info.frame = drawOrbit;
  info.finish = finishOrbit;
  info.application = &app;
  info.animation = floatAnimation<&cubeAngle>;
  info.setAnimation = setFloatAnimation<&cubeAngle>;
  return info;
}

} // namespace

const ProductionInfo& productionInfo() {
  static const ProductionInfo info = describe();
  return info;
}

#include "Production.h"

#include "AudioProvider.h"
#include "DemoApp.h"
#include "LwoObject.h"
#include "Platform.h"
#include "PngImage.h"
#include "Texture.h"
#include "Timeline.h"

DemoApp* app = nullptr;
Texture* logoTexture = nullptr;
Texture* voteTexture = nullptr;
Texture* duOgsaaTexture = nullptr;
Texture* zeph0Texture = nullptr;
LwoObject* sceneObject = nullptr;
float objectAngle = 0.0f;

namespace {

// The texture keeps no reference to its picture: the decoded pixels go once
// they are uploaded.
Texture* loadTexture(const char* fileName) {
  PngImage image(fileName);
  return new Texture(image);
}

double musicTime() {
  return app->audioProvider->getTime();
}

} // namespace

void initProduction(DemoApp*) {
  logoTexture = loadTexture("data/zeph-logo.png");
  voteTexture = loadTexture("data/vote.png");
  duOgsaaTexture = loadTexture("data/du_ogsaa.png");
  zeph0Texture = loadTexture("data/zeph0.png");
  sceneObject = new LwoObject();
  sceneObject->load("data/bl0ah.lwo");
  glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
  glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
}

void drawFrame(DemoApp*) {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glLoadIdentity();
  objectAngle += 0.15f;

  glDisable(GL_TEXTURE_GEN_S);
  glDisable(GL_TEXTURE_GEN_T);
  Texture* const pictures[timeline::pictureCount] = {logoTexture, voteTexture, duOgsaaTexture, zeph0Texture};
  timeline::drawPictures(musicTime, [&pictures](int i) { drawPicture(pictures[i]->textureName); });

  glEnable(GL_TEXTURE_GEN_S);
  glEnable(GL_TEXTURE_GEN_T);
  glLoadIdentity();
  sceneObject->drawAt(0.45f, -0.36f, -1.4f, 2.0f, 2.0f, 2.0f, 0.0f, objectAngle, 0.0f);

  if (timeline::finished(musicTime())) postQuit();
}

void finishProduction(DemoApp*) {}

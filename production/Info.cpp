#include "Production.h"
#include "ProductionInfo.h"
#include "Timeline.h"

namespace {

ProductionInfo describe() {
  ProductionInfo info{};
  info.name = "zeph";
  info.title = "zeph";
  info.width = 640;
  info.height = 480;
  info.colourBits = 32;
  info.depthBits = 16;
  info.fullscreen = true;
  info.musicFile = "data/tovi_does_brask.ogg";
  using Kind = ProductionFile::Kind;
  info.files = {{"data/zeph-logo.png", Kind::Picture, &logoTexture, nullptr},
                {"data/vote.png", Kind::Picture, &voteTexture, nullptr},
                {"data/du_ogsaa.png", Kind::Picture, &duOgsaaTexture, nullptr},
                {"data/zeph0.png", Kind::Picture, &zeph0Texture, nullptr},
                {"data/bl0ah.lwo", Kind::Object, nullptr, &sceneObject}};
  info.endSeconds = timeline::endSeconds;
  info.init = initProduction;
  info.frame = drawFrame;
  info.finish = finishProduction;
  info.application = &app;
  info.animation = floatAnimation<&objectAngle>;
  info.setAnimation = setFloatAnimation<&objectAngle>;
  return info;
}

} // namespace

const ProductionInfo& productionInfo() {
  static const ProductionInfo info = describe();
  return info;
}

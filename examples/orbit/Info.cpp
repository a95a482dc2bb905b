#include "Orbit.h"
#include "ProductionInfo.h"

namespace {

ProductionInfo describe() {
  ProductionInfo info{};
  info.name = "orbit";
  info.title = "orbit";
  info.width = 640;
  info.height = 480;
  info.colourBits = 32;
  info.depthBits = 16;
  info.fullscreen = true;
  info.musicFile = "data/orbit.ogg";
  using Kind = ProductionFile::Kind;
  info.files = {{"data/sky.png", Kind::Picture, &skyTexture, nullptr},
                {"data/cube.lwo", Kind::Object, nullptr, &cube}};
  info.endSeconds = 30.0;
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

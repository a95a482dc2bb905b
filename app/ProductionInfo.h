#pragma once

#include <cstdint>
#include <vector>

#include "DemoApp.h"

class LwoObject;
class Texture;

// A file a production loads at start-up, by the path it opens (relative to
// the folder it runs in): the data check reads it with the loader of its
// kind, and the player's reload replaces what the production keeps of it.
struct ProductionFile {
  enum class Kind { Picture, Object };

  const char* path;
  Kind kind;
  // Where the production keeps what it made of the file (a picture's
  // texture, the object); null where a reload should leave it alone.
  Texture** texture = nullptr;
  LwoObject** object = nullptr;
};

// One production as the frame and the authors' tools see it. The
// production fills one in and defines productionInfo(); the entry (the
// frame's own, app/ProductionEntry.cpp, unless the production brings one),
// the player, the capture and the data check all read it, so nothing of one
// production is written into them.
struct ProductionInfo {
  const char* name;  // names its tool and its video: "NAMEtool", "NAME.mp4"
  const char* title; // the window's title
  // The display: a production sets only what differs from these.
  int32_t width = 640;
  int32_t height = 480;
  int32_t colourBits = 32;
  int32_t depthBits = 16;
  bool fullscreen = true;
  const char* musicFile;
  // In the order the initialise callback opens them.
  std::vector<ProductionFile> files;
  // When the production quits by itself, in seconds of music; 0 when only
  // the viewer ends it.
  double endSeconds;

  FrameCallback init;
  FrameCallback frame;
  FrameCallback finish;
  // Where the production keeps its application object: the entry, or a tool
  // that makes its own, puts it there before the callbacks run.
  DemoApp** application;

  // Optional: what the frame callback advances once per frame (an object's
  // spin), read and put back so that a paused player draws the same frame
  // again. Both set or both null.
  double (*animation)() = nullptr;
  void (*setAnimation)(double value) = nullptr;
};

// The animation hooks of a production whose animation is one float, e.g.
// info.animation = floatAnimation<&spin>, info.setAnimation = setFloatAnimation<&spin>.
template <float* value> double floatAnimation() {
  return static_cast<double>(*value);
}
template <float* value> void setFloatAnimation(double animation) {
  *value = static_cast<float>(animation);
}

// The production linked into this program.
const ProductionInfo& productionInfo();

// SURF chunks: colours, transparency and the texture block of a surface.
#include <algorithm>
#include <cstdio>

#include "LwoIds.h"
#include "LwoObject.h"
#include "NameMatch.h"

namespace {

// Toward zero, clamped to a byte (NaN gives 0).
uint8_t clampedByte(double value) {
  if (!(value > 0.0)) return 0;
  if (value >= 255.0) return 255;
  return static_cast<uint8_t>(value);
}

uint8_t channel(float level) {
  return clampedByte(static_cast<double>(level) * 255.0);
}

} // namespace

void LwoObject::readSurface(ByteReader data) {
  std::string name = data.name();
  if (mesh.surfaces.empty()) return; // no TAGS before it
  int found = findSurface(mesh.surfaces, name);
  if (found < 0) return; // no tag of that name: it would change another surface
  LwoSurface& surface = mesh.surfaces[static_cast<size_t>(found)];
  data.name(); // the parent surface's name, empty in what LightWave writes
  surface.opacity = 0;
  surface.specular = 0.0f;
  surface.imageIndex = 0;

  while (data.remaining() >= 6) {
    char id[4];
    data.id(id);
    uint16_t length = data.u2();
    ByteReader sub = data.takePadded(length);
    if (isId(id, "COLR")) {
      float rgb[3] = {sub.f4(), sub.f4(), sub.f4()};
      if (!sub.complete()) continue;
      for (int i = 0; i < 3; ++i)
        surface.color[i] = channel(rgb[i]);
    } else if (isId(id, "DIFF")) {
      float level = sub.f4();
      if (!sub.complete()) continue;
      // In proportion to the colour read so far (LightWave writes COLR first).
      for (int i = 0; i < 3; ++i)
        surface.diffuseColor[i] = clampedByte(surface.color[i] * static_cast<double>(level));
    } else if (isId(id, "TRAN")) {
      float level = sub.f4();
      // Opacity 0 means opaque: full transparency keeps the faintest alpha instead.
      if (sub.complete()) surface.opacity = static_cast<uint8_t>(std::max(1, 255 - channel(level)));
    } else if (isId(id, "SPEC")) {
      float level = sub.f4();
      if (sub.complete()) surface.specular = level;
    } else if (isId(id, "RIND") || isId(id, "BUMP")) {
      // read and not used
    } else if (isId(id, "BLOK")) {
      readSurfaceBlock(sub, surface);
    } else {
      std::printf("SURF:UNKNOWN: %c%c%c%c size: %u\n", id[0], id[1], id[2], id[3], unsigned{length});
    }
  }
}

// The block's sub-chunks are taken at one level: the IMAP or SHDR header and
// TMAP are skipped whole with everything nested in them.
void LwoObject::readSurfaceBlock(ByteReader block, LwoSurface& surface) {
  while (block.remaining() >= 6) {
    char id[4];
    block.id(id);
    uint16_t length = block.u2();
    ByteReader sub = block.takePadded(length);
    if (isId(id, "IMAG")) {
      uint32_t image = sub.vx();
      if (sub.complete()) surface.imageIndex = static_cast<int16_t>(image);
    } else if (isId(id, "VMAP")) {
      surface.uvMapIndex = findUvMap(mesh.uvMaps, sub.name());
    } else if (isId(id, "PROJ")) {
      uint16_t projection = sub.u2();
      if (sub.complete()) surface.projection = static_cast<int16_t>(projection);
    } else {
      std::printf("SURF:BLOK:UNKNOWN: %c%c%c%c size: %u\n", id[0], id[1], id[2], id[3], unsigned{length});
    }
  }
}

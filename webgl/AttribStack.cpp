// glPushAttrib and glPopAttrib for the groups the frame's renderer saves:
// GL_ENABLE_BIT (the followed capabilities), GL_CURRENT_BIT (the colour and
// normal), GL_POLYGON_BIT (polygon mode, face culling). Other groups are
// saved as nothing.
#include <vector>

#include "LayerState.h"

namespace {

struct Saved {
  GLbitfield mask;
  LayerState state;
};

std::vector<Saved>& attribStack() {
  static std::vector<Saved> stack;
  return stack;
}

void restoreCap(const LayerState& saved, int index) {
  const LayerState& now = layerState();
  if (saved.enabled[index] == now.enabled[index]) return;
  if (saved.enabled[index])
    zephGlEnable(capAt(index));
  else
    zephGlDisable(capAt(index));
}

} // namespace

void zephGlPushAttrib(GLbitfield mask) {
  attribStack().push_back({mask, layerState()});
}

void zephGlPopAttrib() {
  if (attribStack().empty()) return; // GL_STACK_UNDERFLOW: nothing changes
  const Saved saved = attribStack().back();
  attribStack().pop_back();
  const LayerState& was = saved.state;
  if (saved.mask & GL_ENABLE_BIT) {
    for (int index = 0; index < LayerState::capCount; ++index)
      restoreCap(was, index);
  }
  if (saved.mask & GL_CURRENT_BIT) {
    zephGlColor4f(was.color[0], was.color[1], was.color[2], was.color[3]);
    for (int k = 0; k < 3; ++k)
      layerState().normal[k] = was.normal[k];
  }
  if (saved.mask & GL_POLYGON_BIT) {
    zephGlPolygonMode(GL_FRONT, was.polygonMode[0]);
    zephGlPolygonMode(GL_BACK, was.polygonMode[1]);
    restoreCap(was, capIndex(GL_CULL_FACE));
  }
}

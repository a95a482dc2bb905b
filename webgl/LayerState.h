#pragma once

#include <GL/gl.h>

#include "include/GL/WebGlLayer.h"

// What the web GL layer keeps beside emscripten's emulation: the state that
// the emulation ignores or does not have, and a shadow of the enables and the
// current colour for the attribute stack. Main thread only, like GL.
struct LayerState {
  // The capabilities the layer follows, in a fixed order (see GlLayer.cpp).
  static constexpr int capCount = 11;
  bool enabled[capCount] = {};
  GLfloat color[4] = {1.0f, 1.0f, 1.0f, 1.0f};
  GLfloat normal[3] = {0.0f, 0.0f, 1.0f};
  GLint genMode[2] = {GL_EYE_LINEAR, GL_EYE_LINEAR}; // S, T
  GLenum polygonMode[2] = {GL_FILL, GL_FILL};        // front, back
  GLenum colorMaterial[2] = {GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE};
};

LayerState& layerState();
// The index of `cap` among the followed capabilities, or -1.
int capIndex(GLenum cap);
GLenum capAt(int index);

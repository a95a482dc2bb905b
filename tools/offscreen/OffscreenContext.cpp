#include "OffscreenContext.h"

#include <GL/osmesa.h>

OffscreenContext::OffscreenContext(int width, int height, int depthBits)
    : w(width), h(height), buffer(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4) {
  OSMesaContext created = OSMesaCreateContextExt(OSMESA_RGBA, depthBits, 0, 0, nullptr);
  if (!created) throw "Could not create an off-screen GL context";
  context = created;
  if (!OSMesaMakeCurrent(created, buffer.data(), GL_UNSIGNED_BYTE, w, h)) {
    OSMesaDestroyContext(created);
    throw "Could not make the off-screen GL context current";
  }
  OSMesaPixelStore(OSMESA_Y_UP, 0); // row 0 is the top row
  // The GL entry points must reach Mesa's context, not a window system's
  // dispatcher that has no current context.
  if (!glGetString(GL_VERSION)) {
    OSMesaDestroyContext(created);
    throw "The GL functions do not reach the off-screen context";
  }
}

OffscreenContext::~OffscreenContext() {
  OSMesaDestroyContext(static_cast<OSMesaContext>(context));
}

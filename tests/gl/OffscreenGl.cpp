#include "OffscreenGl.h"

#include <GL/glu.h>
#include <GL/osmesa.h>

#include <stdexcept>

OffscreenGl::OffscreenGl(int width, int height)
    : w(width), h(height), buffer(static_cast<size_t>(width) * static_cast<size_t>(height) * 4) {
  OSMesaContext created = OSMesaCreateContextExt(OSMESA_RGBA, 16, 0, 0, nullptr);
  if (!created) throw std::runtime_error("OSMesaCreateContextExt failed");
  context = created;
  if (!OSMesaMakeCurrent(created, buffer.data(), GL_UNSIGNED_BYTE, w, h))
    throw std::runtime_error("OSMesaMakeCurrent failed");
  OSMesaPixelStore(OSMESA_Y_UP, 0); // row 0 is the top row
  glViewport(0, 0, w, h);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(45.0, static_cast<double>(w) / static_cast<double>(h), 1.0, 1000.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
  glShadeModel(GL_SMOOTH);
  glClearDepth(1.0);
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_LEQUAL);
  glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

OffscreenGl::~OffscreenGl() {
  OSMesaDestroyContext(static_cast<OSMesaContext>(context));
}

void OffscreenGl::finish() const {
  glFinish();
}

uint32_t OffscreenGl::pixel(int x, int y) const {
  const uint8_t* p = &buffer[(static_cast<size_t>(y) * static_cast<size_t>(w) + static_cast<size_t>(x)) * 4];
  return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | p[3];
}

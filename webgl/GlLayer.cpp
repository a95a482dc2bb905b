// The web GL layer over emscripten's GL 1.x emulation.
//
// The emulation takes immediate-mode vertices as one stream whose layout the
// block's first vertex sets, generates no texture coordinates and ignores
// polygon modes. So within glBegin/glEnd every vertex goes out the same way:
// the current normal when the block gives normals, texture coordinates the
// layer computes when generation is on (GL_SPHERE_MAP), then the position;
// filled triangles drawn as lines become the triangles' edges.
#include "LayerState.h"
#include "SphereMap.h"

namespace {

const GLenum followedCaps[LayerState::capCount] = {
    GL_BLEND,          GL_DEPTH_TEST,    GL_TEXTURE_2D, GL_LIGHTING,
    GL_COLOR_MATERIAL, GL_CULL_FACE,     GL_NORMALIZE,  GL_ALPHA_TEST,
    GL_TEXTURE_GEN_S,  GL_TEXTURE_GEN_T, GL_FOG};

// Capabilities that only the layer acts on: the emulation does not know them.
bool layerOnly(GLenum cap) {
  return cap == GL_TEXTURE_GEN_S || cap == GL_TEXTURE_GEN_T || cap == GL_COLOR_MATERIAL ||
         cap == GL_NORMALIZE;
}

struct Vertex {
  GLfloat normal[3];
  GLfloat s, t;
  GLfloat position[3];
};

// The block between glBegin and glEnd.
struct Block {
  bool open = false;
  bool normals = false; // a normal came before the first vertex
  bool generate[2] = {false, false};
  bool edges = false; // triangles drawn as their edges
  int vertices = 0;
  Vertex triangle[3] = {};
  float modelview[16] = {};
};

Block block;

void emit(const Vertex& v) {
  if (block.normals) glNormal3f(v.normal[0], v.normal[1], v.normal[2]);
  if (block.generate[0] || block.generate[1]) glTexCoord2f(v.s, v.t);
  glVertex3f(v.position[0], v.position[1], v.position[2]);
}

void setCap(GLenum cap, bool on) {
  const int index = capIndex(cap);
  if (index >= 0) layerState().enabled[index] = on;
}

bool generates(int coord) {
  const LayerState& state = layerState();
  return state.enabled[capIndex(coord == 0 ? GL_TEXTURE_GEN_S : GL_TEXTURE_GEN_T)] &&
         state.genMode[coord] == GL_SPHERE_MAP;
}

} // namespace

LayerState& layerState() {
  static LayerState state;
  return state;
}

int capIndex(GLenum cap) {
  for (int index = 0; index < LayerState::capCount; ++index)
    if (followedCaps[index] == cap) return index;
  return -1;
}

GLenum capAt(int index) {
  return followedCaps[index];
}

void zephGlEnable(GLenum cap) {
  setCap(cap, true);
  if (!layerOnly(cap)) glEnable(cap);
}

void zephGlDisable(GLenum cap) {
  setCap(cap, false);
  if (!layerOnly(cap)) glDisable(cap);
}

void zephGlBegin(GLenum mode) {
  block = Block();
  block.open = true;
  block.generate[0] = generates(0);
  block.generate[1] = generates(1);
  if (block.generate[0] || block.generate[1]) glGetFloatv(GL_MODELVIEW_MATRIX, block.modelview);
  block.edges = mode == GL_TRIANGLES && layerState().polygonMode[0] == GL_LINE;
  glBegin(block.edges ? GL_LINES : mode);
}

void zephGlEnd() {
  block.open = false;
  glEnd();
}

void zephGlNormal3f(GLfloat x, GLfloat y, GLfloat z) {
  GLfloat* normal = layerState().normal;
  normal[0] = x, normal[1] = y, normal[2] = z;
  if (block.open && block.vertices == 0) block.normals = true;
}

void zephGlNormal3fv(const GLfloat* v) {
  zephGlNormal3f(v[0], v[1], v[2]);
}

void zephGlVertex3f(GLfloat x, GLfloat y, GLfloat z) {
  Vertex v = {};
  const GLfloat* normal = layerState().normal;
  for (int k = 0; k < 3; ++k)
    v.normal[k] = normal[k];
  v.position[0] = x, v.position[1] = y, v.position[2] = z;
  if (block.generate[0] || block.generate[1]) {
    float s = 0.0f, t = 0.0f;
    SphereMap(block.modelview).coords(v.position, v.normal, s, t);
    v.s = block.generate[0] ? s : 0.0f;
    v.t = block.generate[1] ? t : 0.0f;
  }
  const int corner = block.vertices++ % 3;
  if (!block.edges) return emit(v);
  block.triangle[corner] = v;
  if (corner != 2) return;
  for (int edge = 0; edge < 3; ++edge) {
    emit(block.triangle[edge]);
    emit(block.triangle[(edge + 1) % 3]);
  }
}

void zephGlVertex3fv(const GLfloat* v) {
  zephGlVertex3f(v[0], v[1], v[2]);
}

void zephGlColor4f(GLfloat r, GLfloat g, GLfloat b, GLfloat a) {
  GLfloat* color = layerState().color;
  color[0] = r, color[1] = g, color[2] = b, color[3] = a;
  glColor4f(r, g, b, a);
}

void zephGlColor4ub(GLubyte r, GLubyte g, GLubyte b, GLubyte a) {
  zephGlColor4f(r / 255.0f, g / 255.0f, b / 255.0f, a / 255.0f);
}

void zephGlColor3ub(GLubyte r, GLubyte g, GLubyte b) {
  zephGlColor4ub(r, g, b, 255);
}

void zephGlTexGeni(GLenum coord, GLenum pname, GLint param) {
  if (pname != GL_TEXTURE_GEN_MODE) return;
  if (coord == GL_S) layerState().genMode[0] = param;
  if (coord == GL_T) layerState().genMode[1] = param;
}

void zephGlPolygonMode(GLenum face, GLenum mode) {
  GLenum* modes = layerState().polygonMode;
  if (face == GL_FRONT || face == GL_FRONT_AND_BACK) modes[0] = mode;
  if (face == GL_BACK || face == GL_FRONT_AND_BACK) modes[1] = mode;
}

// The production never lights what it draws, and unlit, GL takes the current
// colour as it is: the layer keeps the setting for the attribute stack only.
void zephGlColorMaterial(GLenum face, GLenum mode) {
  layerState().colorMaterial[0] = face;
  layerState().colorMaterial[1] = mode;
}

// WebGL always interpolates smoothly and perspective-correctly: the emulation
// would warn of the one and pass the other to WebGL, which rejects it.
void zephGlShadeModel(GLenum) {}

void zephGlHint(GLenum target, GLenum mode) {
  if (target != GL_PERSPECTIVE_CORRECTION_HINT) glHint(target, mode);
}

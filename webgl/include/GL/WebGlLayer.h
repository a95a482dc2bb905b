#pragma once

// The web GL layer's entry points; <GL/gl.h> maps the GL names onto them.
// Each behaves as OpenGL 1.1 defines its namesake, for the state listed in
// GlLayer.cpp.
void zephGlEnable(GLenum cap);
void zephGlDisable(GLenum cap);
void zephGlBegin(GLenum mode);
void zephGlEnd();
void zephGlNormal3f(GLfloat x, GLfloat y, GLfloat z);
void zephGlNormal3fv(const GLfloat* v);
void zephGlVertex3f(GLfloat x, GLfloat y, GLfloat z);
void zephGlVertex3fv(const GLfloat* v);
void zephGlColor3ub(GLubyte r, GLubyte g, GLubyte b);
void zephGlColor4ub(GLubyte r, GLubyte g, GLubyte b, GLubyte a);
void zephGlColor4f(GLfloat r, GLfloat g, GLfloat b, GLfloat a);
void zephGlTexGeni(GLenum coord, GLenum pname, GLint param);
void zephGlPolygonMode(GLenum face, GLenum mode);
void zephGlColorMaterial(GLenum face, GLenum mode);
void zephGlPushAttrib(GLbitfield mask);
void zephGlPopAttrib();
void zephGlShadeModel(GLenum mode);
void zephGlHint(GLenum target, GLenum mode);

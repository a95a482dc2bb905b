#pragma once

// On the web, <GL/gl.h> is emscripten's (its GL 1.x emulation) with the web
// GL layer in front: the calls below go to the layer, which supplies what the
// emulation lacks and passes the rest on.
#include_next <GL/gl.h>

#include "WebGlLayer.h"

#define glEnable zephGlEnable
#define glDisable zephGlDisable
#define glBegin zephGlBegin
#define glEnd zephGlEnd
#define glNormal3f zephGlNormal3f
#define glNormal3fv zephGlNormal3fv
#define glVertex3f zephGlVertex3f
#define glVertex3fv zephGlVertex3fv
#define glColor3ub zephGlColor3ub
#define glColor4ub zephGlColor4ub
#define glColor4f zephGlColor4f
#define glTexGeni zephGlTexGeni
#define glPolygonMode zephGlPolygonMode
#define glColorMaterial zephGlColorMaterial
#define glPushAttrib zephGlPushAttrib
#define glPopAttrib zephGlPopAttrib
#define glShadeModel zephGlShadeModel
#define glHint zephGlHint

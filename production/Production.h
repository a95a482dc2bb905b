#pragma once

#include <GL/gl.h>

class DemoApp;
class LwoObject;
class Texture;

// The production: four pictures, one after another for twenty seconds of
// music each, with a spinning sphere-mapped object cutting through them.

extern DemoApp* app;
extern Texture* logoTexture;
extern Texture* voteTexture;
extern Texture* duOgsaaTexture;
extern Texture* zeph0Texture;
extern LwoObject* sceneObject;
extern float objectAngle;

// The frame's three callbacks.
void initProduction(DemoApp* demo);
void drawFrame(DemoApp* demo);
void finishProduction(DemoApp* demo);

// Draws the picture with this texture name over the whole screen, its first
// stored row at the top.
void drawPicture(GLuint textureName);

#pragma once

class DemoApp;
class LwoObject;
class Texture;

// A second production on the frame: one picture for the first fifteen
// seconds of music, a red cube turning four times as fast as zeph's object
// in front of it throughout, and the end at thirty seconds.

extern DemoApp* app;
extern Texture* skyTexture;
extern LwoObject* cube;
extern float cubeAngle;

void initOrbit(DemoApp* demo);
void drawOrbit(DemoApp* demo);
void finishOrbit(DemoApp* demo);

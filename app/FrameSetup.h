#pragma once

class AudioDevice;
class AudioProvider;

// Steps of DemoApp::run that every platform shares.

// The default GL state: black clear colour, smooth shading, depth clear 1,
// depth test with GL_LEQUAL, nicest perspective correction.
void applyDefaultGlState();

// The output that the application's output setting names, prepared over
// `provider` but not started; null for no setting or no source.
AudioDevice* openAudioOutput(int audioOutput, AudioProvider* provider, void* window);

// Whether the space-separated extension list `list` (null for none) names
// `name` as a whole word.
bool listsExtension(const char* list, const char* name);

// Hands the screen back before an error box: restores a display mode that
// the frame switched, shows a cursor it hid and hides its window. Each
// platform's frame implements it; it undoes only what the frame changed.
void releaseScreenForErrorBox();

#pragma once

#include <cstdint>

class AudioDevice;
class AudioProvider;
class DemoApp;
class FrameWindow;

using FrameCallback = void (*)(DemoApp*);

// Keys an author's tool may act on; the production acts on none of them.
enum class DemoKey { Space, Left, Right, PageUp, PageDown, Home, R };
using KeyCallback = void (*)(DemoApp*, DemoKey);

// The frame a production runs in: window, optional full-screen mode, OpenGL
// context with the fixed projection and default state, the audio output over
// the production's source, and the loop that draws one frame whenever no
// window message is waiting. The loop is portable (RunLoop.cpp); the window
// around it is the platform's or one the caller hands it (FrameWindow.h).
class DemoApp {
public:
  DemoApp(const char* title, int32_t width, int32_t height, int32_t colourBits, int32_t depthBits,
          bool fullscreen);

  void setCallbacks(FrameCallback init, FrameCallback frame, FrameCallback exit);
  void setupProjection();
  // Runs from window creation to teardown; failures are thrown as texts.
  void run();

  FrameCallback frameCallback = nullptr;
  FrameCallback initCallback = nullptr;
  FrameCallback exitCallback = nullptr;
  // Called on the loop's thread for each press of a DemoKey (not for the
  // keyboard's repeats). Authors' tools set it; unset, keys do what they
  // always did: Escape quits, the rest nothing.
  KeyCallback keyCallback = nullptr;
  // The window run opens; null for the platform's own. Not owned.
  FrameWindow* frameWindow = nullptr;
  const char* title;
  void* deviceContext = nullptr; // HDC on Windows
  void* glContext = nullptr;     // HGLRC on Windows, SDL_GLContext elsewhere
  AudioDevice* audioDevice = nullptr;
  AudioProvider* audioProvider = nullptr;

  // Class-wide settings and state.
  static int32_t width;
  static int32_t height;
  static int32_t colourBits;
  static int32_t depthBits;
  static int32_t refreshRate;
  static bool fullscreen;
  // 1: the platform's primary output; 2: DirectSound8 (Windows); 3: Null,
  // silent and needing no device (tests that do not test sound); others: none.
  static int32_t audioOutput;
  static bool quit;
  static void* window; // HWND on Windows, SDL_Window* elsewhere
  static float farPlane;
  static float nearPlane;
  static float fieldOfView;
};

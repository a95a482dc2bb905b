#pragma once

class DemoApp;

// What surrounds the run loop that DemoApp::run keeps in one place: the
// window and its GL context, the message queue and the swap. Each platform
// has one (platformWindow); a frame without a screen (the capture's
// off-screen context) is another, handed to DemoApp::frameWindow. Failures
// are thrown as texts, like the rest of the frame's.

enum class WindowMessage {
  None,    // nothing waits: time for a frame
  Handled, // one message taken and handled (keys went to the key callback)
  Quit     // the quit message: the loop ends
};

class FrameWindow {
public:
  virtual ~FrameWindow() = default;

  // Creates and shows the window, switching the display first when the
  // frame is full screen, with a current GL context that has a depth
  // buffer; asks for a swap interval of 1 where the driver offers it.
  virtual void open(DemoApp& app) = 0;
  // Takes one waiting message, if any, and handles it.
  virtual WindowMessage takeMessage(DemoApp& app) = 0;
  // Shows the frame just drawn.
  virtual void swap(DemoApp& app) = 0;
  // The rate the loop keeps its frames to where the swap does not wait for
  // the display; 0 where it should not wait at all.
  virtual double pacingRate(DemoApp& app) = 0;
  // Undoes what the frame changed on the screen (display mode, cursor).
  virtual void restoreScreen() = 0;
  // Deletes the context and destroys the window.
  virtual void close(DemoApp& app) = 0;
};

// The platform's window (Win32, SDL2): the one DemoApp::run opens unless
// the application names another.
FrameWindow& platformWindow();

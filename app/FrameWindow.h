#pragma once

class DemoApp;

// What each platform fills in around the run loop that DemoApp::run keeps
// in one place: the window and its GL context, the message queue and the
// swap. Failures are thrown as texts, like the rest of the frame's.

enum class WindowMessage {
  None,    // nothing waits: time for a frame
  Handled, // one message taken and handled (keys went to the key callback)
  Quit     // the quit message: the loop ends
};

// Registers, creates and shows the window, switching the display first when
// the frame is full screen, with a current GL context that has a depth
// buffer; asks for a swap interval of 1 where the driver offers it.
void openFrameWindow(DemoApp& app);
// Takes one waiting message, if any, and handles it.
WindowMessage takeWindowMessage(DemoApp& app);
void swapFrame(DemoApp& app);
// The refresh rate the display reports now; 0 (or 1) when it reports none.
int frameDisplayRate(DemoApp& app);
// Undoes what the frame changed on the screen (display mode, cursor).
void restoreFrameScreen();
// Deletes the context and destroys the window.
void closeFrameWindow(DemoApp& app);

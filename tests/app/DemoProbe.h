#pragma once

#include <string>

class DemoApp;

// What the frame test program checks on its own platform.

// Posts `count` harmless messages to the frame's own queue.
void postOwnMessages(int count);
// True while a message waits in the frame's queue (nothing is taken).
bool messageWaiting();
// True when the frame's GL context is current on this thread.
bool contextCurrent(const DemoApp& app);
// The window as the platform sees it: client rectangle on the screen, class, title.
std::string describeWindow();
// Makes the display refuse any mode request that names a refresh rate.
void refuseRefreshRates();
// While one lives, the platform's video stays up between runs of the frame,
// as in a production, which runs it once: SDL would otherwise unload and
// load again the display libraries, which lose what they held the first time.
class VideoKept {
public:
  VideoKept();
  ~VideoKept();
  VideoKept(const VideoKept&) = delete;
  VideoKept& operator=(const VideoKept&) = delete;
};

// Queue what the user would cause: Escape going down or up, another key,
// a request to close the window.
void postEscape(bool down);
void postOtherKey();
void postWindowClose();

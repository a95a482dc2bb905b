#pragma once

#include <functional>

// Keeps the run loop at the display's refresh rate where the buffer swap does
// not wait for the display (no swap control, or a display that cannot wait):
// productions turn their objects by a fixed step per frame, and a loop that
// never waits would spin them too fast and take a whole core.
//
// It measures rather than trusts: while most frames come sooner than three
// quarters of a refresh period apart, the swap did not wait, and from then on
// each frame starts one period after the one before. A swap that waits never
// makes the pacer wait.
class FramePacer {
public:
  using Clock = std::function<double()>;    // seconds, monotonic
  using Wait = std::function<void(double)>; // sleeps that many seconds

  // `refreshRate` in hertz, more than zero.
  explicit FramePacer(double refreshRate, Clock clock = steadySeconds, Wait wait = sleepSeconds);

  // Called after each buffer swap; waits until the next frame is due when
  // the swap has been seen not to wait.
  void frameShown();
  bool pacing() const { return paced; }

  // The rate to pace to: the display's own when it reports one (a rate of 0
  // or 1 means the hardware's unnamed default), else the rate the frame asks for.
  static double rateFor(int displayRate, int askedRate);

  static double steadySeconds();
  static void sleepSeconds(double seconds);

private:
  void learn(double interval);

  double period;
  Clock clock;
  Wait wait;
  bool paced = false;
  bool shownBefore = false;
  double lastShown = 0.0;
  int measured = 0;
  int quick = 0;
  double nextStart = 0.0;
};

#pragma once

#include <chrono>
#include <cstdint>
#include <memory>

#include "FrameWindow.h"
#include "StageTimes.h"

class CaptureClock;
class CaptureSink;
class OffscreenContext;
class Progress;

// The production's window in a capture: an off-screen context of the
// application's size and depth bits. Before each frame it sets the capture's
// clock to that frame's music time; each swap hands the frame to the sink.
// The loop ends once the production has asked to quit or `frameLimit`
// frames are drawn. One per process: the quit it sees is the process's.
class CaptureWindow : public FrameWindow {
public:
  CaptureWindow(CaptureClock& clock, CaptureSink& sink, Progress& progress, int64_t frameLimit);
  ~CaptureWindow() override;
  CaptureWindow(const CaptureWindow&) = delete;
  CaptureWindow& operator=(const CaptureWindow&) = delete;

  void open(DemoApp& app) override;
  WindowMessage takeMessage(DemoApp& app) override;
  void swap(DemoApp& app) override;
  // Frames come as fast as they are drawn.
  double pacingRate(DemoApp&) override { return 0.0; }
  void restoreScreen() override {}
  void close(DemoApp& app) override;

  int64_t frames() const { return drawn; }
  // Drawing (to the end of glFinish) and handing frames to the sink.
  const StageTimes& times() const { return spent; }

private:
  using Clock = std::chrono::steady_clock;

  CaptureClock& clock;
  CaptureSink& sink;
  Progress& progress;
  int64_t limit;
  int64_t drawn = 0;
  StageTimes spent;
  Clock::time_point drawStart;
  std::unique_ptr<OffscreenContext> context;
};

#pragma once

#include <cstdint>
#include <cstdio>
#include <limits>
#include <string>

#include "StageTimes.h"
#include "VideoStream.h"

struct ProductionInfo;

// What to capture: the production run on `folder`/data, frame k drawn at
// music time from + k / fps, until the production quits or the frame would
// start at or after `to`.
struct CaptureOptions {
  std::string folder;
  std::string out;
  int fps = 60;
  double from = 0.0;
  double to = std::numeric_limits<double>::infinity();
  // Also every frame as frame-NNNNNN.png and the music as music.wav.
  bool stills = false;
  // The H.264 coding; its size and rate come from the frame and `fps`.
  VideoSettings video;
};

struct CaptureResult {
  int64_t frames = 0;
  double musicSeconds = 0.0; // the length of the capture
  double seconds = 0.0;      // how long it took
  StageTimes times;
};

// Runs the production through the frame's own run, in an off-screen window
// and with a clock of the capture's own, and writes `out`/NAME.mp4 (and the
// stills). One capture per process: the production keeps its state for
// good. Throws the production's message texts and std::runtime_error.
CaptureResult capture(const ProductionInfo& production, const CaptureOptions& options, std::FILE* progress);

#pragma once

// Where a capture spends its time, in seconds of one thread's work each. The
// main thread draws and reads back while the writing thread does the rest,
// so the sum may exceed the capture's own duration.
struct StageTimes {
  double draw = 0.0;     // the production's frame, rendered to the end (glFinish)
  double readBack = 0.0; // the pixels copied out of the context
  double waiting = 0.0;  // the drawing thread held up by the writer
  double convert = 0.0;  // RGB to YUV 4:2:0
  double encode = 0.0;   // H.264 and the file
  double music = 0.0;    // decoding and AAC
  double stills = 0.0;   // PNG frames and the WAV file
};

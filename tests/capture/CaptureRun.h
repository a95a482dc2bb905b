#pragma once

#include <string>

// One run of `zephtool capture DIR OUT ARGS` in its own process, ended after
// two minutes at the latest.
struct CaptureRun {
  int status = -1;    // the exit status
  std::string errors; // what it wrote on standard error
};

CaptureRun runCapture(const std::string& folder, const std::string& out, const std::string& args);

// The angle the production has turned its object to in frame `index`: 0.15
// degrees per frame, added up in single precision as the production does.
float objectAngleOf(int index);

// The names of the files in `folder`, sorted.
std::string listFolder(const std::string& folder);

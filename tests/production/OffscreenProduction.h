#pragma once

#include <memory>
#include <string>
#include <vector>

#include "OffscreenGl.h"

class AudioFile;
class AudioProvider;

// The production loaded into a 640 x 480 off-screen context from the data/
// folder inside `folder`, with its real music source, whose clock is set by
// decoding up to a chosen time under a stopped millisecond timer.
class OffscreenProduction {
public:
  explicit OffscreenProduction(const std::string& folder);
  ~OffscreenProduction();

  // Makes the music clock read `seconds` (negative: before the first fill).
  void setMusicTime(double seconds);
  // One frame of the production.
  void drawFrame();
  // How the object shows in an expected frame: not at all, cut by the
  // picture's plane as the production draws it, or whole in front of it.
  enum class Object { None, Cut, Whole };
  // The frame as the production should draw it with `picture` (0 to 3, or
  // -1 for none) and the object at `angle`.
  void drawExpected(int picture, float angle, Object object);

  // Red, green, blue of every pixel, rows top first, after drawing.
  std::vector<uint8_t> rgb() const;

  OffscreenGl gl;

private:
  std::string previousFolder;
  std::string musicPath;
  std::unique_ptr<AudioFile> musicFile;
  std::unique_ptr<AudioProvider> music; // reads musicFile
};

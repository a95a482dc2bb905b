#pragma once

#include <string>

// The production for its author: its own code on a data folder, with keys to
// pause, seek and reload (tools/player/Player.cpp lists them).
struct PlayOptions {
  std::string folder; // holds data/
  double from = 0.0;  // seconds into the music
  bool fullscreen = false;
  std::string output; // the output's name; empty: the platform's primary one
};

// Runs until Escape, a closed window or the production's end; the exit status.
int runPlayer(const PlayOptions& options);

// How long the music at `path` lasts, in seconds, as its source plays it.
double musicSeconds(const std::string& path);

// Where a seek to `seconds` lands in music of `length` seconds.
double clampSeek(double seconds, double length);

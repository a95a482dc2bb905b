#pragma once

// What the production shows when: four pictures of twenty seconds of music
// each, then the end. Every bound is exclusive, so a clock reading exactly on
// a bound shows no picture, and exactly 80 seconds does not yet quit.
namespace timeline {

constexpr int pictureCount = 4;
constexpr double pictureSeconds = 20.0;
constexpr double endSeconds = pictureCount * pictureSeconds;

// Calls draw(i) for every picture i whose interval holds the clock. Each
// comparison reads the clock afresh, and an upper bound is read only when
// the lower one holds, so near a bound a frame may draw no picture or two
// (the later one then lies over the earlier).
template <class Clock, class Draw> void drawPictures(Clock&& clock, Draw&& draw) {
  for (int i = 0; i < pictureCount; ++i) {
    const double lower = i * pictureSeconds;
    if (clock() > lower && clock() < lower + pictureSeconds) draw(i);
  }
}

// True once the music has passed the end of the last picture.
inline bool finished(double seconds) {
  return seconds > endSeconds;
}

} // namespace timeline

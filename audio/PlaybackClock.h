#pragma once

#include <cstdint>
#include <mutex>

#include "SeqLock.h"

// The music clock of one source.
//
// What is known about playback arrives on the writers' side: the fills (how
// much music was delivered), the output's play positions (which
// delivered byte it plays, and when), seeks, and the output's pauses. The
// writers serialise on their own mutex and publish one anchor - "at timer
// reading `at` the music stands at `music`" - through a sequence lock, so the
// reader never waits for them. The reader runs on from the anchor at the
// timer's rate and slews towards it: never backwards, at most 5 % faster or
// slower than the timer. Until the output's first position it holds where the
// music opened, less the latency. It steps forward where playback starts, and either
// way only at a seek, once: to the seek's position, where it holds until the
// output plays from there.
//
// Play positions come in steps (an output takes or plays its audio in
// periods), and each is read a little after it was reached. So the anchor is
// the position change that puts the music latest, over the last half second
// or so: the one seen soonest after it happened. While playback starts (until
// the position has kept time with the timer for 300 ms) it may run slow: the
// anchor is then the latest change, the clock runs on from it no further than
// that change's step, and it steps forward only. (An output takes its first
// period at once and may then wait a second for a sound server that is not
// yet playing; a clock running on meanwhile would be that second ahead, and
// slewing takes twenty times as long to bring it back.) A start after a seek
// or a pause is such a start: the clock holds until what the output plays
// from there is heard.
//
// Nothing is heard that the output has not yet played: the clock reads no
// later than the latest position reported, one step on, plus the time since
// that report. It stops there rather than slew, for when an output's
// position stalls (a starved sound path under Wine), what is heard stalls
// too; a clock that ran on meanwhile was ahead by the whole stall, and
// slewing back took twenty times as long. A step is how far the position
// moved beyond the time between two reports: after a gap in the reports (the
// reporting thread stalled, as the web page's does under load) the whole move
// is no step, or the bound would be that much late. The bound holds while
// playback starts, too.
class PlaybackClock {
public:
  explicit PlaybackClock(double openPosition);

  // A fill of `bytes` has ended.
  void delivered(uint32_t bytes);
  // The output plays delivered byte `streamByte` (counted over all fills) at `atMs`.
  void played(uint64_t streamByte, uint32_t atMs);
  // The next byte delivered is music time `seconds`; the clock reads that
  // from `nowMs` on, until the output plays from there.
  void seek(double seconds, uint32_t nowMs);
  // The output stopped at delivered byte `streamByte` at `atMs`: the clock
  // runs on to what it had played and holds there until resumed().
  void paused(uint64_t streamByte, uint32_t atMs);
  // The output plays again from where it stopped (or from a seek made meanwhile).
  void resumed();

  // The clock at `nowMs`, `latency` seconds from the output's position to
  // what is heard. Readers on several threads take turns; each sees the clock rise.
  double read(double latency, uint32_t nowMs);

private:
  // How an anchor turns into a clock reading.
  enum Kind : uint32_t {
    fromPosition = 0, // less the latency
    exact = 1,        // as it stands (a seek)
    draining = 2,     // a pause: runs on to `music` over the latency, then holds
  };
  struct Anchor {
    double music = 0.0;
    uint32_t at = 0;
    bool running = false;  // false: the music holds at `music`
    bool starting = false; // playback is starting: the clock steps forward only
    double reach = 0.0;    // while starting: how far the clock may run on from `music`
    uint32_t kind = fromPosition;
    uint32_t starts = 0;  // the clock may step forward where this changes
    uint32_t seeks = 0;   // and either way, once, where this does
    bool bounded = false; // from a position: the clock reads no later than
    double ceiling = 0.0; // this, run on from when it was reported
    uint32_t ceilingAt = 0;
  };
  struct Candidate {
    double music = 0.0;
    uint32_t at = 0;
    bool valid = false;
  };

  // Writers' side, under writerLock.
  double musicAt(uint64_t streamByte) const;
  void positionChanged(uint64_t streamByte, uint32_t atMs);
  void bound(uint64_t streamByte, uint32_t atMs);
  double stepTo(uint64_t streamByte, uint32_t atMs) const;
  Candidate startingChange(const Candidate& seen);
  Candidate steadyChange(const Candidate& seen);
  void publish(const Anchor& anchor);
  static Candidate later(const Candidate& a, const Candidate& b);

  // Readers' side.
  Anchor anchor() const;
  double slew(const Anchor& a, double target, double highest, uint32_t nowMs);

  std::mutex writerLock;
  uint64_t deliveredBytes = 0;
  // The newest stretch of delivered bytes: from `segmentByte` on, the music
  // runs on from `segmentMusic` (the opening position, or a seek's).
  uint64_t segmentByte = 0;
  double segmentMusic = 0.0;
  bool baseline = false; // a position in the newest stretch has been seen
  bool outputPaused = false;
  uint64_t lastByte = 0;
  uint32_t lastReportAt = 0;
  double lastStep = 0.0; // seconds, the latest change's
  bool starting = false; // the position has not yet kept time with the timer
  Candidate steadySince; // where the current check of that began
  Candidate window[2];   // latest position changes: this half window's, the previous one's
  uint32_t windowStart = 0;
  Anchor current;

  // The anchor as published to the readers.
  SeqLock<Anchor> published;

  // Readers' side: what the clock last read, and when.
  std::mutex readerLock;
  bool shown = false;
  double shownValue = 0.0;
  uint32_t shownAt = 0;
  uint32_t shownStarts = 0;
  uint32_t shownSeeks = 0;
};

#include "Synth.h"

#include <algorithm>
#include <cmath>

#include "Random.h"

namespace music {

namespace {

const double pi = 3.14159265358979323846;

double centsToRatio(double cents) {
  return std::pow(2.0, cents / 1200.0);
}

// Renders one note of one instrument into mono samples.
class Voice {
public:
  Voice(const Instrument& voiced, const Note& played, int sampleRate, uint32_t noiseStream)
      : instrument(voiced), note(played), rate(sampleRate), random(noiseStream) {}

  double sample(double t) {
    double pitch = note.frequency * (1.0 + instrument.pitchDrop * std::exp(-t / instrument.pitchDropTime));
    if (instrument.vibratoCents != 0.0)
      pitch *= centsToRatio(instrument.vibratoCents * std::sin(2.0 * pi * instrument.vibratoRate * t));
    double value = advance(phase, pitch);
    if (instrument.detuneCents != 0.0)
      value = 0.5 * (value + advance(detunedPhase, pitch * centsToRatio(instrument.detuneCents)));
    if (instrument.wave == Wave::Noise || instrument.noise > 0.0) {
      double share = instrument.wave == Wave::Noise ? 1.0 : instrument.noise;
      value = (1.0 - share) * value + share * random.bipolar();
    }
    filtered += instrument.brightness * (value - filtered);
    return filtered * instrument.envelope.level(t, note.length);
  }

private:
  double advance(double& cycle, double frequency) const {
    double value = oscillator(instrument.wave, cycle);
    cycle += frequency / rate;
    cycle -= std::floor(cycle);
    return value;
  }

  const Instrument& instrument;
  const Note& note;
  int rate;
  Random random;
  double phase = 0.0;
  double detunedPhase = 0.25;
  double filtered = 0.0;
};

void panGains(double pan, double& left, double& right) {
  double angle = (std::clamp(pan, -1.0, 1.0) + 1.0) * pi / 4.0;
  left = std::cos(angle);
  right = std::sin(angle);
}

void mixNote(Pcm& out, const Track& track, const Note& note, uint32_t noiseStream, double gain) {
  int rate = out.sampleRate;
  auto first = static_cast<long long>(std::ceil(note.start * rate));
  auto last =
      static_cast<long long>(std::ceil((note.start + track.instrument.envelope.length(note.length)) * rate));
  last = std::min<long long>(last, static_cast<long long>(out.frames()));
  first = std::max<long long>(first, 0);
  double left = 0.0, right = 0.0;
  panGains(track.pan, left, right);
  double scale = gain * track.instrument.gain * note.velocity;
  Voice voice(track.instrument, note, rate, noiseStream);
  for (long long frame = first; frame < last; ++frame) {
    double value = scale * voice.sample(static_cast<double>(frame) / rate - note.start);
    double l = value * left, r = value * right;
    auto at = static_cast<size_t>(frame);
    if (out.channels == 1) {
      out.at(at, 0) += static_cast<float>((l + r) * std::sqrt(0.5));
      continue;
    }
    out.at(at, 0) += static_cast<float>(l);
    out.at(at, 1) += static_cast<float>(r);
    for (int c = 2; c < out.channels; ++c)
      out.at(at, c) += static_cast<float>((l + r) * 0.5);
  }
}

} // namespace

double oscillator(Wave wave, double phase) {
  switch (wave) {
  case Wave::Sine: return std::sin(2.0 * pi * phase);
  case Wave::Triangle: return phase < 0.5 ? 4.0 * phase - 1.0 : 3.0 - 4.0 * phase;
  case Wave::Saw: return 2.0 * phase - 1.0;
  case Wave::Square: return phase < 0.5 ? 1.0 : -1.0;
  case Wave::Noise: return 0.0;
  }
  return 0.0;
}

double Envelope::level(double t, double held) const {
  if (t < 0.0) return 0.0;
  auto sustained = [this](double at) {
    if (at < attack) return at / attack;
    if (at < attack + decay) return 1.0 - (1.0 - sustain) * (at - attack) / decay;
    return sustain;
  };
  if (t < held) return sustained(t);
  if (t >= held + release) return 0.0;
  return sustained(held) * (1.0 - (t - held) / release);
}

Track& Track::add(double start, double length, double frequency, double velocity) {
  notes.push_back(Note{start, length, frequency, velocity});
  return *this;
}

Track& Song::addTrack(const Instrument& instrument, double pan) {
  tracks.push_back(Track{instrument, pan, {}});
  return tracks.back();
}

Pcm render(const Song& song, int sampleRate, int channels) {
  auto frames = static_cast<size_t>(std::llround(song.seconds * sampleRate));
  Pcm out(sampleRate, channels, frames);
  for (size_t t = 0; t < song.tracks.size(); ++t) {
    const Track& track = song.tracks[t];
    for (size_t n = 0; n < track.notes.size(); ++n)
      mixNote(out, track, track.notes[n], static_cast<uint32_t>(t * 1000003u + n), song.gain);
  }
  return out;
}

} // namespace music

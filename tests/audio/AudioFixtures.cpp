#include "AudioFixtures.h"

#include <memory>

#include "AudioFile.h"
#include "AudioProvider.h"
#include "MillisecondTimer.h"
#include "TestMusic.h"
#include "VorbisEncoder.h"

std::string oggBytes(double seconds, int rate, int channels) {
  return music::encodeVorbis(music::renderTestMusic(seconds, rate, channels));
}

std::string writeOgg(const TempDir& dir, const std::string& name, double seconds, int rate, int channels) {
  return dir.write(name, oggBytes(seconds, rate, channels));
}

std::vector<uint8_t> decodeWhole(const std::string& path, uint32_t capacity) {
  std::unique_ptr<AudioFile> file(createAudioFile(path.c_str(), -1));
  std::unique_ptr<AudioProvider> provider(createAudioProvider(file.get()));
  std::vector<uint8_t> pcm(capacity);
  provider->fill(pcm.data(), capacity);
  pcm.resize(provider->getLastFillBytes());
  return pcm;
}

std::atomic<uint32_t> scriptedMs{0};

void installScriptedTimer(uint32_t startMs) {
  scriptedMs = startMs;
  setMillisecondTimer([] { return scriptedMs.load(); });
}

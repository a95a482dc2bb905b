#include "AudioFile.h"
#include "AudioProvider.h"
#include "OggVorbisProvider.h"
#include "RawProvider.h"

AudioProvider* createAudioProvider(AudioFile* file) {
  std::string name = file->getName();
  if (name.find(".raw") != std::string::npos) return new RawProvider(file);
  // A constructor that throws leaves nothing behind: new frees the half-built source.
  if (name.find(".ogg") != std::string::npos) return new OggVorbisProvider(file);
  throw "No plugin found for desired AudioProvider found!";
}

#include <filesystem>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "AudioFile.h"
#include "AudioFixtures.h"
#include "AudioProvider.h"
#include "OggVorbisProvider.h"
#include "RawProvider.h"

namespace {

const char* const noPlugin = "No plugin found for desired AudioProvider found!";

class ProviderFactory : public ::testing::Test {
protected:
  static void SetUpTestSuite() { ogg = new std::string(oggBytes(0.5)); }
  static void TearDownTestSuite() { delete ogg; }

  // Opens `name` (holding Ogg Vorbis bytes) and asks the factory for its source.
  AudioProvider* sourceFor(const std::string& name) {
    file.reset(createAudioFile(dir.write(name, *ogg).c_str(), -1));
    provider.reset(createAudioProvider(file.get()));
    return provider.get();
  }

  static std::string* ogg;
  TempDir dir;
  std::unique_ptr<AudioFile> file;
  std::unique_ptr<AudioProvider> provider;
};
std::string* ProviderFactory::ogg = nullptr;

TEST_F(ProviderFactory, ChoosesByASubstringOfTheName) {
  EXPECT_NE(dynamic_cast<OggVorbisProvider*>(sourceFor("music.ogg")), nullptr);
  EXPECT_NE(dynamic_cast<OggVorbisProvider*>(sourceFor("a.oggx")), nullptr);
  // ".raw" is tried first and may stand anywhere.
  EXPECT_NE(dynamic_cast<RawProvider*>(sourceFor("music.raw.ogg")), nullptr);
  EXPECT_NE(dynamic_cast<RawProvider*>(sourceFor("x.raw")), nullptr);
  std::filesystem::create_directory(dir.file("x.ogg"));
  EXPECT_NE(dynamic_cast<OggVorbisProvider*>(sourceFor("x.ogg/y")), nullptr);
}

TEST_F(ProviderFactory, OtherNamesHaveNoPlugin) {
  for (const char* name : {"MUSIC.OGG", "music.Raw", "music.wav", "music"}) {
    try {
      sourceFor(name);
      ADD_FAILURE() << name;
    } catch (const char* message) {
      EXPECT_STREQ(message, noPlugin) << name;
    }
  }
  std::unique_ptr<AudioFile> null(createAudioFile("music.ogg", 0));
  try {
    createAudioProvider(null.get());
    ADD_FAILURE();
  } catch (const char* message) {
    EXPECT_STREQ(message, noPlugin);
  }
}

TEST_F(ProviderFactory, FilesThatAreNotOggVorbisFailAtConstruction) {
  std::string notVorbis[] = {"", "plain text, not Ogg",
                             std::string("\x89PNG\r\n\x1a\n", 8) + std::string(100, '\0'), ogg->substr(0, 58),
                             ogg->substr(0, 200)};
  for (const std::string& bytes : notVorbis) {
    std::unique_ptr<AudioFile> bad(createAudioFile(dir.write("bad.ogg", bytes).c_str(), -1));
    try {
      std::unique_ptr<AudioProvider> source(createAudioProvider(bad.get()));
      ADD_FAILURE() << bytes.size() << " bytes";
    } catch (const char* message) {
      EXPECT_STREQ(message, "Could not set OggVorbis callbacks!") << bytes.size() << " bytes";
    }
  }
}

} // namespace

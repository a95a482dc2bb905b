#include <gtest/gtest.h>

#include <filesystem>

#include "DataCheck.h"
#include "DefaultData.h"
#include "DefaultSet.h"
#include "LwoWriter.h"
#include "Pcm.h"
#include "PngWriter.h"
#include "TempDir.h"
#include "VorbisEncoder.h"

namespace {

// A copy of the default set that a test breaks in one place.
class DataCheck : public ::testing::Test {
protected:
  DataCheck() {
    std::filesystem::copy(defaultDataFolder(), folder.file("data"), std::filesystem::copy_options::recursive);
  }

  std::string data(const std::string& name) const { return folder.file("data/" + name); }
  void remove(const std::string& name) const { std::filesystem::remove(data(name)); }
  void replace(const std::string& name, const std::string& bytes) const {
    folder.write("data/" + name, bytes);
  }

  // Quiet music: only its format and length matter here, and silence encodes fast.
  void replaceMusic(double seconds, int rate, int channels) const {
    const music::Pcm quiet(rate, channels, static_cast<size_t>(seconds * rate));
    replace(defaultdata::musicFile, music::encodeVorbis(quiet));
  }

  // Exactly one problem, about `name`, that mentions `words`.
  void expectOneProblem(const std::string& name, const std::string& words) const {
    const std::vector<std::string> problems = datacheck::checkFolder(folder.path());
    ASSERT_EQ(problems.size(), 1u) << ::testing::PrintToString(problems);
    EXPECT_NE(problems[0].find("data/" + name + ": "), std::string::npos) << problems[0];
    EXPECT_NE(problems[0].find(words), std::string::npos) << problems[0];
  }

  TempDir folder;
};

PngPicture picture(uint32_t width, uint32_t height, int colourType, int bitDepth) {
  PngPicture p;
  p.width = width;
  p.height = height;
  p.colourType = colourType;
  p.bitDepth = bitDepth;
  p.rows.assign(pngRowBytes(p) * height, colourType == 3 ? 1 : 0x40);
  if (colourType == 3) p.palette = {0, 0, 0, 255, 255, 255};
  return p;
}

// A small object: `layers` copies of a square, as two triangles or one quad,
// its first polygon or all of them with a surface.
std::string squareObject(int layers, bool quads, bool allTagged = true) {
  LwoWriter w;
  writeTags(w, {"Default"});
  for (int layer = 0; layer < layers; ++layer) {
    writeLayer(w, static_cast<uint16_t>(layer));
    writePoints(w, {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}});
    if (quads)
      writePolygons(w, "FACE", {{0, 1, 2, 3}});
    else
      writePolygons(w, "FACE", {{0, 1, 2}, {0, 2, 3}});
    if (allTagged && !quads)
      writePolygonTags(w, "SURF", {{0, 0}, {1, 0}});
    else
      writePolygonTags(w, "SURF", {{0, 0}});
  }
  w.chunk("SURF");
  writeSurfaceStart(w, "Default");
  writeColor(w, 1.0f, 1.0f, 1.0f);
  writeLevel(w, "DIFF", 1.0f);
  w.end();
  return w.finish();
}

TEST_F(DataCheck, AcceptsTheDefaultSet) {
  EXPECT_TRUE(datacheck::checkFolder(folder.path()).empty());
  EXPECT_TRUE(datacheck::checkFolder(folder.file("data")).empty()) << "the data folder itself will do too";
}

TEST_F(DataCheck, NamesAFolderThatIsNotThere) {
  const std::vector<std::string> problems = datacheck::checkFolder(folder.file("nowhere"));
  ASSERT_EQ(problems.size(), 1u);
  EXPECT_NE(problems[0].find("no such folder"), std::string::npos);
}

TEST_F(DataCheck, MissingMusic) {
  remove(defaultdata::musicFile);
  expectOneProblem(defaultdata::musicFile, "Could not open file!");
}

TEST_F(DataCheck, MusicThatIsNotOggVorbis) {
  replace(defaultdata::musicFile, std::string(5000, 'x'));
  expectOneProblem(defaultdata::musicFile, "Could not set OggVorbis callbacks!");
}

TEST_F(DataCheck, MonoMusic) {
  replaceMusic(81.0, 44100, 1);
  expectOneProblem(defaultdata::musicFile, "1 channel(s), the production plays 2");
}

TEST_F(DataCheck, MusicAtAnotherRate) {
  replaceMusic(81.0, 22050, 2);
  expectOneProblem(defaultdata::musicFile, "22050 Hz");
}

// Short music plays; the production runs on in silence after it.
TEST_F(DataCheck, ShortMusicIsNotedNotRefused) {
  replaceMusic(30.0, 44100, 2);
  EXPECT_TRUE(datacheck::checkFolder(folder.path()).empty());
  const std::vector<std::string> notes = datacheck::describeFolder(folder.path());
  ASSERT_EQ(notes.size(), 1u);
  EXPECT_NE(notes[0].find("lasts 30.0 s"), std::string::npos) << notes[0];
  EXPECT_NE(notes[0].find("silence"), std::string::npos) << notes[0];
  replaceMusic(81.0, 44100, 2);
  EXPECT_EQ(datacheck::describeFolder(folder.path())[0].find("silence"), std::string::npos);
}

TEST_F(DataCheck, DamagedMusic) {
  std::string bytes = readBytes(data(defaultdata::musicFile));
  for (size_t i = bytes.size() / 2; i < bytes.size() / 2 + 4000; ++i)
    bytes[i] = static_cast<char>(i * 7);
  replace(defaultdata::musicFile, bytes);
  expectOneProblem(defaultdata::musicFile, "damaged near");
}

TEST_F(DataCheck, MissingPicture) {
  remove("vote.png");
  expectOneProblem("vote.png", "[png] file does not exist");
}

TEST_F(DataCheck, PictureThatIsNotAPng) {
  replace("zeph0.png", "GIF89a and so on");
  expectOneProblem("zeph0.png", "[png] this file is not an png!");
}

TEST_F(DataCheck, PictureWithSidesThatAreNotPowersOfTwo) {
  writePng(data("zeph-logo.png"), picture(300, 256, 2, 8));
  expectOneProblem("zeph-logo.png", "300 x 256");
}

TEST_F(DataCheck, PictureInAFormatWithoutTexture) {
  struct Format {
    int colourType, bitDepth;
    const char* words;
  };
  for (const Format& format : {Format{3, 8, "8-bit palette"}, Format{2, 16, "16-bit RGB"},
                               Format{6, 16, "16-bit RGBA"}, Format{0, 8, "8-bit grey"}}) {
    SCOPED_TRACE(format.words);
    writePng(data("du_ogsaa.png"), picture(256, 256, format.colourType, format.bitDepth));
    expectOneProblem("du_ogsaa.png", format.words);
  }
}

TEST_F(DataCheck, EveryBrokenFileHasItsOwnLine) {
  remove(defaultdata::musicFile);
  for (const char* name : defaultdata::pictureFiles)
    remove(name);
  remove(defaultdata::objectFile);
  EXPECT_EQ(datacheck::checkFolder(folder.path()).size(), 6u);
}

TEST_F(DataCheck, MissingObject) {
  remove(defaultdata::objectFile);
  expectOneProblem(defaultdata::objectFile, "Could not open LWO2 file.");
}

TEST_F(DataCheck, ObjectThatIsNotLwo2) {
  replace(defaultdata::objectFile, "LWOB is older");
  expectOneProblem(defaultdata::objectFile, "FORM-tag not found!");
}

TEST_F(DataCheck, ObjectWithQuads) {
  replace(defaultdata::objectFile, squareObject(1, true));
  expectOneProblem(defaultdata::objectFile, "Only triangles are supported");
}

TEST_F(DataCheck, ObjectWithTwoLayers) {
  replace(defaultdata::objectFile, squareObject(2, false));
  expectOneProblem(defaultdata::objectFile, "has 2 layers");
}

TEST_F(DataCheck, ObjectWithLongIndices) {
  LwoModel model;
  model.points = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}};
  model.triangles = {{{0, 1, 2}, 0}};
  model.surfaces.resize(1);
  model.surfaces[0].name = "Default";
  model.longIndices = true;
  replace(defaultdata::objectFile, writeLwo(model));
  const std::vector<std::string> problems = datacheck::checkFolder(folder.path());
  ASSERT_FALSE(problems.empty());
  EXPECT_NE(problems[0].find("4-byte point indices"), std::string::npos) << problems[0];
}

TEST_F(DataCheck, ObjectWithTrianglesWithoutSurface) {
  replace(defaultdata::objectFile, squareObject(1, false, false));
  expectOneProblem(defaultdata::objectFile, "1 of 2 triangles have no surface");
}

TEST_F(DataCheck, ObjectWithoutTriangles) {
  LwoWriter w;
  writeTags(w, {"Default"});
  writeLayer(w, 0);
  writePoints(w, {{0, 0, 0}});
  replace(defaultdata::objectFile, w.finish());
  expectOneProblem(defaultdata::objectFile, "has no triangles");
}

} // namespace

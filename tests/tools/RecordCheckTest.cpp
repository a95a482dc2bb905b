// The data check of a production other than zeph: it follows the
// production's record, its files and its end, not zeph's names.
#include <gtest/gtest.h>

#include <filesystem>

#include "DataCheck.h"
#include "LwoWriter.h"
#include "PngWriter.h"
#include "TempDir.h"
#include "TestMusic.h"
#include "VorbisEncoder.h"

namespace {

ProductionInfo record(double endSeconds) {
  ProductionInfo info{};
  info.name = "other";
  info.musicFile = "data/song.ogg";
  info.files = {{"data/sky.png", ProductionFile::Kind::Picture},
                {"data/thing.lwo", ProductionFile::Kind::Object}};
  info.endSeconds = endSeconds;
  return info;
}

void writeSet(const TempDir& folder) {
  std::filesystem::create_directories(folder.file("data"));
  writeRgbPng(folder.file("data/sky.png"), 4, 4, std::vector<uint8_t>(4 * 4 * 3, 200));
  LwoModel model;
  model.points = {{0.0f, 0.0f, 0.0f}, {1.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f}};
  model.triangles = {{{0, 1, 2}, 0}};
  model.surfaces = {LwoModel::Surface{"a"}};
  saveFile(folder.file("data/thing.lwo"), writeLwo(model));
  music::writeFileBytes(folder.file("data/song.ogg"), music::encodeVorbis(music::renderTestMusic(3.0)));
}

TEST(RecordCheck, FollowsTheRecordsFilesAndEnd) {
  TempDir folder;
  writeSet(folder);
  const struct {
    const char* remove;
    double end;
    std::string problem; // empty: none
    bool silenceNoted;
  } cases[] = {{nullptr, 30.0, "", true},
               {nullptr, 0.0, "", false},
               {"data/thing.lwo", 2.0, "thing.lwo: missing", false},
               {"data/sky.png", 2.0, "sky.png: missing", false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.remove ? c.remove : "all there");
    if (c.remove) std::filesystem::rename(folder.file(c.remove), folder.file("aside"));
    const std::vector<std::string> problems = datacheck::checkFolder(folder.path(), record(c.end));
    const std::vector<std::string> notes = datacheck::describeFolder(folder.path(), record(c.end));
    if (c.remove) std::filesystem::rename(folder.file("aside"), folder.file(c.remove));

    ASSERT_EQ(problems.size(), c.problem.empty() ? 0u : 1u);
    if (!c.problem.empty()) {
      EXPECT_NE(problems[0].find(c.problem), std::string::npos) << problems[0];
    }
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_NE(notes[0].find("song.ogg: the music lasts 3.0 s"), std::string::npos) << notes[0];
    EXPECT_EQ(notes[0].find("runs 30.0 s: the rest plays in silence") != std::string::npos, c.silenceNoted)
        << notes[0];
  }
}

} // namespace

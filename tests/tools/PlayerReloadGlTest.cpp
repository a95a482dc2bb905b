// Reloading the production's files: one that fails keeps its picture.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "DefaultSet.h"
#include "OffscreenProduction.h"
#include "Production.h"
#include "Reload.h"
#include "TempDir.h"

namespace {

void writeBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

TEST(PlayerReload, AHalfWrittenPictureKeepsTheOldOneAndTheOthersReload) {
  TempDir folder;
  std::filesystem::copy(defaultDataFolder(), folder.file("data"), std::filesystem::copy_options::recursive);
  OffscreenProduction production(folder.path());
  auto frameOf = [&production](int picture) {
    production.drawExpected(picture, 0.0f, OffscreenProduction::Object::None);
    return production.rgb();
  };
  const std::vector<uint8_t> before = frameOf(2);
  Texture* const kept = duOgsaaTexture;
  const std::string picture = readBytes(folder.file("data/du_ogsaa.png"));
  writeBytes(folder.file("data/du_ogsaa.png"), picture.substr(0, picture.size() / 2));
  writeBytes(folder.file("data/zeph0.png"), readBytes(folder.file("data/vote.png")));

  const std::vector<std::string> problems = reloadProductionData();

  ASSERT_EQ(problems.size(), 1u);
  EXPECT_EQ(problems[0].rfind("data/du_ogsaa.png: ", 0), 0u) << problems[0];
  EXPECT_EQ(duOgsaaTexture, kept);
  EXPECT_EQ(frameOf(2), before);
  EXPECT_EQ(frameOf(3), frameOf(1)); // the new file: the vote picture
}

} // namespace

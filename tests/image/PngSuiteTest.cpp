// Every file of the PNG suite against MANIFEST.tsv, which records per file
// what libpng reports, and for each file the SHA-256 of the rows this read
// sequence yields into a zero-filled block (for interlaced files: the pass
// images, which the loader does not keep, so those are checked against their
// non-interlaced twins instead).
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "PngImage.h"
#include "Sha256.h"

namespace {

const std::string suite = ZEPH_TEST_DATA "/pngsuite/";

using Row = std::map<std::string, std::string>;

std::vector<Row> readManifest() {
  std::ifstream in(suite + "MANIFEST.tsv");
  std::vector<std::string> columns;
  std::vector<Row> rows;
  std::string line;
  while (std::getline(in, line)) {
    std::vector<std::string> fields;
    std::stringstream split(line);
    for (std::string field; std::getline(split, field, '\t');)
      fields.push_back(field);
    if (columns.empty()) {
      columns = fields;
      continue;
    }
    Row row;
    for (size_t i = 0; i < columns.size() && i < fields.size(); ++i)
      row[columns[i]] = fields[i];
    rows.push_back(row);
  }
  return rows;
}

const std::vector<Row>& manifest() {
  static const std::vector<Row> rows = readManifest();
  return rows;
}

size_t blockBytes(const PngImage& image) {
  return (size_t{image.width} * static_cast<size_t>(image.bitsPerPixel) + 7) / 8 * image.height;
}

TEST(PngSuite, ManifestListsTheWholeSuite) {
  EXPECT_EQ(manifest().size(), 175u);
}

TEST(PngSuite, GoodFilesLoadWithTheirFieldsAndRows) {
  int checked = 0;
  for (const Row& row : manifest()) {
    if (row.at("rejected") != "no") continue;
    const std::string& name = row.at("name");
    SCOPED_TRACE(name);
    PngImage image((suite + name).c_str());
    EXPECT_EQ(std::to_string(image.width), row.at("width"));
    EXPECT_EQ(std::to_string(image.height), row.at("height"));
    EXPECT_EQ(std::to_string(image.bitsPerPixel), row.at("pixel_depth"));
    EXPECT_EQ(std::to_string(image.colourType), row.at("color_type"));
    EXPECT_EQ(std::to_string(image.bitDepth), row.at("bit_depth"));
    EXPECT_EQ(std::to_string(blockBytes(image) / image.height), row.at("rowbytes"));
    if (row.at("interlace") == "0") {
      EXPECT_EQ(sha256Hex(image.pixels, blockBytes(image)), row.at("rows_sha256"));
    }
    ++checked;
  }
  EXPECT_EQ(checked, 161);
}

TEST(PngSuite, CorruptFilesAreRefused) {
  int checked = 0;
  for (const Row& row : manifest()) {
    if (row.at("rejected") != "yes") continue;
    SCOPED_TRACE(row.at("name"));
    std::string expected =
        row.at("stage") == "sig" ? "[png] this file is not an png!" : "[png] corrupt or unreadable file";
    try {
      PngImage image((suite + row.at("name")).c_str());
      ADD_FAILURE() << "loaded";
    } catch (const char* message) {
      EXPECT_EQ(message, expected);
    }
    ++checked;
  }
  EXPECT_EQ(checked, 14);
}

TEST(PngSuite, InterlacedFilesGiveTheBlockOfTheirTwin) {
  int checked = 0;
  for (const Row& row : manifest()) {
    std::string name = row.at("name");
    if (row.at("interlace") != "1") continue;
    std::string twin = name;
    twin[3] = 'n'; // basi0g01 -> basn0g01, s05i3p02 -> s05n3p02
    if (!std::ifstream(suite + twin)) continue;
    SCOPED_TRACE(name);
    PngImage interlaced((suite + name).c_str());
    PngImage plain((suite + twin).c_str());
    ASSERT_EQ(blockBytes(interlaced), blockBytes(plain));
    EXPECT_EQ(std::memcmp(interlaced.pixels, plain.pixels, blockBytes(plain)), 0);
    ++checked;
  }
  EXPECT_EQ(checked, 33); // 15 basi, 18 of the odd sizes
}

} // namespace

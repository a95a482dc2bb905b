// The LWO2 writer's layout, byte for byte where the reader cannot tell.
#include <gtest/gtest.h>

#include "LwoWriter.h"

namespace {

TEST(LwoWriter, SizesChunksAndPadsOddOnes) {
  LwoWriter w;
  w.chunk("ODDC").raw("abc").end();
  w.chunk("SURF").s0("Skin").subChunk("ODDS").u1(7).end().end();
  std::string file = w.finish();
  const std::string expected("FORM\0\0\0\x26LWO2"
                             "ODDC\0\0\0\3abc\0"
                             "SURF\0\0\0\x0eSkin\0\0ODDS\0\1\7\0",
                             46);
  EXPECT_EQ(file, expected);
}

TEST(LwoWriter, WritesLongIndicesFromFF00OrWhenAskedTo) {
  LwoWriter w;
  w.vx(0xFEFF).vx(0xFF00).vx(0x123456);
  w.longIndices = true;
  w.vx(5);
  std::string file = w.finish();
  EXPECT_EQ(file.substr(12), std::string("\xFE\xFF\xFF\0\xFF\0\xFF\x12\x34\x56\xFF\0\0\5", 14));
}

TEST(LwoWriter, WritesAWholeModel) {
  LwoModel model;
  model.points = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
  model.triangles = {{{0, 1, 2}, 1}};
  model.surfaces = {{"Opaque", {1, 0, 0}, 1.0f, 0.0f, 0.0f}, {"Glass", {0, 0, 1}, 1.0f, 0.0f, 0.5f}};
  std::string file = writeLwo(model);
  for (const char* id : {"TAGS", "LAYR", "PNTS", "BBOX", "POLS", "PTAG", "SURF", "TRAN"})
    EXPECT_NE(file.find(id), std::string::npos) << id;
  EXPECT_EQ(file.find("TRAN"), file.rfind("TRAN")); // only the translucent surface has one
}

} // namespace

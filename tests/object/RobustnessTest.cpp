// Files that are cut short, out of order or name what does not exist: the
// reader never reads or writes outside its arrays and keeps what it can.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "LwoTestFiles.h"

namespace {

// Every chunk the reader handles and several it skips.
std::string everything() {
  LwoWriter w;
  writeTags(w, {"Body", "Glass", "Unused"});
  writeLayer(w, 0);
  writePoints(w, square);
  writeBoundingBox(w, square);
  writePolygons(w, "FACE", {{0, 1, 2}, {0, 2, 3}});
  writePolygonTags(w, "SURF", {{0, 0}, {1, 1}});
  writePolygonTags(w, "PART", {{0, 0}});
  writePointMap(w, "TXUV", 2, "UV", {{0, {0, 0}}, {1, {1, 0}}, {2, {1, 1}}, {3, {0, 1}}});
  writePolygonMap(w, "TXUV", 2, "UV", {{0, 1, {0.5f, 0.5f}}});
  writeClip(w, 1, "images/env.png");
  writeEnvelope(w, 1);
  w.chunk("SURF");
  writeSurfaceStart(w, "Body");
  writeColor(w, 1.0f, 0.5f, 0.25f);
  writeLevel(w, "DIFF", 1.0f);
  writeLevel(w, "LUMI", 0.0f);
  writeTextureBlock(w, {5, 1, "UV"});
  w.end();
  w.chunk("SURF");
  writeSurfaceStart(w, "Glass");
  writeColor(w, 0.2f, 0.4f, 1.0f);
  writeLevel(w, "DIFF", 0.9f);
  writeLevel(w, "TRAN", 0.5f);
  w.end();
  return w.finish();
}

bool isReaderMessage(const char* message) {
  return message == nullptr ||
         std::strcmp(message, "FORM-tag not found! (maybe this is not lightwave-file?)") == 0 ||
         std::strcmp(message, "LWO2-tag not found! (is this an pre-lightwave [6] file?)") == 0 ||
         std::strcmp(message, "Only triangles are supported, convert to triangulated object.") == 0;
}

void expectConsistent(const LwoObject& object) {
  const Mesh& mesh = object.mesh;
  EXPECT_EQ(mesh.points.size(), static_cast<size_t>(mesh.pointCount));
  EXPECT_EQ(mesh.drawPoints, mesh.points);
  EXPECT_EQ(mesh.vertexNormals.size(), mesh.points.size());
  for (const SurfaceGroup& group : mesh.surfaceGroups) {
    EXPECT_LT(group.surfaceIndex, mesh.surfaces.size());
    EXPECT_EQ(group.triangleCount, group.triangles.size());
    for (const LwoTriangle& t : group.triangles)
      for (uint32_t i : t.index)
        EXPECT_LT(i, mesh.points.size());
  }
  for (const LwoSurface& s : mesh.surfaces)
    EXPECT_LT(s.uvMapIndex, static_cast<int32_t>(mesh.uvMaps.size()));
  for (const Vec3& n : mesh.vertexNormals)
    for (float c : n)
      EXPECT_TRUE(std::isfinite(c));
}

TEST(LwoRobustness, AFileCutShortKeepsWhatWasRead) {
  std::string full = everything();
  LoadResult whole = loadLwo(full);
  ASSERT_EQ(whole.error, nullptr);
  EXPECT_EQ(whole.object->mesh.surfaces[1].opacity, 128);
  std::vector<std::string> prefixes;
  for (size_t length = 0; length < full.size(); ++length)
    prefixes.push_back(full.substr(0, length));
  std::vector<LoadResult> parts = loadLwos(prefixes);
  for (size_t length = 0; length < parts.size(); ++length) {
    ASSERT_TRUE(isReaderMessage(parts[length].error)) << length;
    if (parts[length].error == nullptr) expectConsistent(*parts[length].object);
  }
  // Cut inside the points: the whole points before the cut are kept.
  size_t points = full.find("PNTS") + 8;
  LoadResult cut = loadLwo(full.substr(0, points + 30));
  ASSERT_EQ(cut.error, nullptr);
  EXPECT_EQ(cut.object->mesh.pointCount, 2);
}

// The face list is read a window of some 80 000 bytes at a time: triangles
// straddle a window's end in either index form, and a cut may fall in a
// later window, inside a triangle.
TEST(LwoRobustness, ReadsFaceListsLongerThanOneReadWindow) {
  struct Case {
    bool longIndices;
    size_t keptFaceBytes; // of the FACE list before the cut; all when 0
    int32_t triangles;
  };
  const Case cases[] = {{false, 0, 30000}, {true, 0, 30000}, {false, 200003, 25000}, {true, 200003, 14285}};
  std::vector<LwoPoint> points(30002);
  for (size_t i = 0; i < points.size(); ++i)
    points[i] = {static_cast<float>(i % 7), static_cast<float>(i % 5), static_cast<float>(i % 3)};
  std::vector<std::vector<uint32_t>> triangles;
  std::vector<LwoPolygonTag> tags;
  for (uint32_t i = 0; i < 30000; ++i) {
    triangles.push_back({i, i + 2, i + 1});
    tags.push_back({29999 - i, 0});
  }
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.longIndices << " " << c.keptFaceBytes);
    LwoWriter w;
    w.longIndices = c.longIndices;
    writeTags(w, {"A"});
    writePoints(w, points);
    writePolygons(w, "FACE", triangles);
    writePolygonTags(w, "SURF", tags);
    std::string file = w.finish();
    if (c.keptFaceBytes > 0) file.resize(file.find("POLS") + 12 + c.keptFaceBytes);
    LoadResult loaded = loadLwo(file);
    ASSERT_EQ(loaded.error, nullptr);
    const Mesh& mesh = loaded.object->mesh;
    EXPECT_EQ(mesh.triangleCount, c.triangles);
    if (c.keptFaceBytes > 0) continue; // no PTAG after the cut
    ASSERT_EQ(mesh.surfaceGroups.size(), 1u);
    ASSERT_EQ(mesh.surfaceGroups[0].triangles.size(), 30000u);
    for (uint32_t i = 0; i < 30000; ++i) {
      const uint32_t* index = mesh.surfaceGroups[0].triangles[i].index;
      ASSERT_TRUE(index[0] == 29999 - i && index[1] == 30001 - i && index[2] == 30000 - i) << i;
    }
  }
}

TEST(LwoRobustness, DropsEntriesNamingWhatDoesNotExist) {
  std::string file = triangleFile({"A"}, square, {{0, 1, 2}, {0, 1, 99}, {1, 2, 3}},
                                  {{0, 0}, {1, 0}, {2, 7}, {40, 0}}, [](LwoWriter& w) {
                                    writePointMap(w, "TXUV", 2, "UV", {{0, {0.5f, 0.5f}}, {99, {1, 1}}});
                                    writePolygonMap(w, "TXUV", 2, "UV", {{0, 99, {1, 1}}, {99, 0, {1, 1}}});
                                    writePolygonMap(w, "TXUV", 2, "Missing", {{0, 0, {1, 1}}});
                                  });
  LoadResult loaded = loadLwo(file);
  ASSERT_EQ(loaded.error, nullptr);
  expectConsistent(*loaded.object);
  const Mesh& mesh = loaded.object->mesh;
  ASSERT_EQ(mesh.surfaceGroups.size(), 1u);
  EXPECT_EQ(mesh.surfaceGroups[0].triangleCount, 1u); // only (0, 1, 2)
  ASSERT_EQ(mesh.uvMaps.size(), 1u);
  EXPECT_EQ(mesh.uvMaps[0].entryCount, 2);
  EXPECT_EQ(mesh.uvMaps[0].uv(0, 0).u, 0.5f);
  EXPECT_EQ(mesh.uvMaps[0].uv(99, 0).u, 0.0f);
}

TEST(LwoRobustness, IgnoresChunksBeforeWhatTheyReferTo) {
  LwoWriter w;
  w.chunk("SURF");
  writeSurfaceStart(w, "A");
  writeLevel(w, "LUMI", 1.0f);
  w.end();                                               // before any TAGS: skipped
  writePolygonTags(w, "SURF", {{0, 0}});                 // before TAGS and POLS
  writePolygonMap(w, "TXUV", 2, "UV", {{0, 0, {1, 1}}}); // before its VMAP
  writePointMap(w, "TXUV", 2, "UV", {{0, {1, 1}}});      // before PNTS
  writeTags(w, {"A"});
  writePolygons(w, "FACE", {{0, 1, 2}});
  writePoints(w, square);
  LoadResult loaded = loadLwo(w.finish());
  ASSERT_EQ(loaded.error, nullptr);
  expectConsistent(*loaded.object);
  EXPECT_EQ(loaded.printed, "");
  EXPECT_TRUE(loaded.object->mesh.surfaceGroups.empty());
  ASSERT_EQ(loaded.object->mesh.uvMaps.size(), 1u);
  EXPECT_FALSE(loaded.object->mesh.uvMaps[0].perPolygon);
  EXPECT_EQ(loaded.object->mesh.uvMaps[0].uv(0, 0).u, 0.0f);
}

TEST(LwoRobustness, DropsTrianglesThatASecondLayerLeavesWithoutPoints) {
  std::string file = triangleFile({"A"}, square, {{0, 1, 2}, {0, 2, 3}}, {{0, 0}, {1, 0}}, [](LwoWriter& w) {
    writeLayer(w, 1);
    writePoints(w, {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}});
  });
  LoadResult loaded = loadLwo(file);
  ASSERT_EQ(loaded.error, nullptr);
  expectConsistent(*loaded.object);
  EXPECT_EQ(loaded.object->mesh.surfaceGroups[0].triangleCount, 1u);
}

TEST(LwoRobustness, SizesLargerThanTheFileReadWhatIsThere) {
  LwoWriter w;
  writeTags(w, {"A"});
  w.chunk("PNTS").f4(1).f4(2).f4(3).f4(4).f4(5).f4(6).endDeclaring(0xFFFFFFF0u);
  LoadResult loaded = loadLwo(w.finish());
  ASSERT_EQ(loaded.error, nullptr);
  EXPECT_EQ(loaded.object->mesh.pointCount, 2);

  LwoWriter skipped;
  skipped.chunk("HUGE").raw("abc").endDeclaring(0x7FFFFFFFu);
  EXPECT_EQ(loadLwo(skipped.finish()).error, nullptr);
}

TEST(LwoRobustness, SubChunksLongerThanTheirChunkEndWithIt) {
  LoadResult loaded = loadLwo(surfaceFile({"S"}, [](LwoWriter& w) {
    w.chunk("SURF");
    writeSurfaceStart(w, "S");
    w.subChunk("BLOK").subChunk("IMAG").u2(1).endDeclaring(4000).endDeclaring(9000);
    w.end();
    w.chunk("CLIP").u4(1).subChunk("STIL").raw("no-terminator").endDeclaring(60000).end();
  }));
  ASSERT_EQ(loaded.error, nullptr);
  expectConsistent(*loaded.object);
  ASSERT_EQ(loaded.object->mesh.clipNames.size(), 1u);
  EXPECT_EQ(loaded.object->mesh.clipNames[0], std::optional<std::string>("no-terminator"));
}

TEST(LwoRobustness, SkipsPadBytesInsideTextureBlocks) {
  LoadResult loaded = loadLwo(surfaceFile({"S"}, [](LwoWriter& w) {
    w.chunk("SURF");
    writeSurfaceStart(w, "S");
    w.subChunk("BLOK").subChunk("ODDB").raw("x").end().subChunk("IMAG").vx(7).end().end();
    w.end();
  }));
  EXPECT_EQ(loaded.object->mesh.surfaces[0].imageIndex, 7);
  EXPECT_EQ(loaded.printed, "SURF:BLOK:UNKNOWN: ODDB size: 1\n");
}

} // namespace

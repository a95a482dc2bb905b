// The LWO2 chunk loop: what each chunk puts into the object.
#include <gtest/gtest.h>

#include <cstring>

#include "LwoTestFiles.h"

namespace {

const char* const trianglesOnly = "Only triangles are supported, convert to triangulated object.";

TEST(LwoObject, StartsWithTheDefaults) {
  LwoObject object;
  EXPECT_EQ(object.position[0], 0.0f);
  EXPECT_EQ(object.position[2], 0.0f);
  EXPECT_EQ(object.scale[0], 1.0f);
  EXPECT_EQ(object.scale[1], 1.0f);
  EXPECT_EQ(object.scale[2], 1.0f);
  EXPECT_EQ(object.rotation[1], 0.0f);
  EXPECT_EQ(object.drawFlags, 8);
  EXPECT_EQ(object.fade, -1.0f);
  EXPECT_STREQ(object.mesh.name, "object");
  EXPECT_TRUE(object.mesh.surfaces.empty());
  EXPECT_TRUE(object.mesh.surfaceGroups.empty());
  EXPECT_TRUE(object.mesh.clipNames.empty());
  EXPECT_TRUE(object.mesh.uvMaps.empty());
  EXPECT_EQ(object.scratch.size(), 80000u);
}

TEST(LwoReader, RefusesWhatIsNotAnLwo2File) {
  LwoObject missing;
  try {
    missing.load("no/such/file.lwo");
    FAIL();
  } catch (const char* message) {
    EXPECT_STREQ(message, "Could not open LWO2 file.");
  }
  EXPECT_STREQ(loadLwo("").error, "FORM-tag not found! (maybe this is not lightwave-file?)");
  EXPECT_STREQ(loadLwo("RIFF\0\0\0\4WAVE").error, "FORM-tag not found! (maybe this is not lightwave-file?)");
  const char* lwo2 = "LWO2-tag not found! (is this an pre-lightwave [6] file?)";
  EXPECT_STREQ(loadLwo(LwoWriter("LWOB").finish()).error, lwo2);
  EXPECT_STREQ(loadLwo(std::string("FORM\0\0\0\0", 8)).error, lwo2);
}

TEST(LwoReader, ReadsTagNamesWithAndWithoutPadBytes) {
  LwoWriter w;
  writeTags(w, {"Default", "Body2", "Skin", std::string(70, 'x')});
  writePoints(w, {{1, 2, 3}});
  LoadResult loaded = loadLwo(w.finish());
  ASSERT_EQ(loaded.error, nullptr);
  const auto& surfaces = loaded.object->mesh.surfaces;
  ASSERT_EQ(surfaces.size(), 4u);
  EXPECT_STREQ(surfaces[0].name, "Default");
  EXPECT_STREQ(surfaces[1].name, "Body2");
  EXPECT_STREQ(surfaces[2].name, "Skin");
  EXPECT_EQ(std::string(surfaces[3].name), std::string(63, 'x'));
  EXPECT_EQ(loaded.object->mesh.pointCount, 1); // the chunk after the tags is found
}

TEST(LwoReader, NegatesZOfEveryPoint) {
  LwoWriter w;
  writePoints(w, {{1.0f, 2.0f, 3.0f}, {-4.0f, 5.5f, -6.0f}});
  LoadResult loaded = loadLwo(w.finish());
  const Mesh& mesh = loaded.object->mesh;
  ASSERT_EQ(mesh.pointCount, 2);
  EXPECT_EQ(mesh.points[0], (Vec3{1.0f, 2.0f, -3.0f}));
  EXPECT_EQ(mesh.points[1], (Vec3{-4.0f, 5.5f, 6.0f}));
  EXPECT_EQ(mesh.drawPoints, mesh.points);
  EXPECT_EQ(mesh.normalCount, 2);
}

TEST(LwoReader, RefusesPolygonsOtherThanTriangles) {
  LwoWriter quad;
  writePoints(quad, square);
  writePolygons(quad, "FACE", {{0, 1, 2}, {0, 1, 2, 3}});
  EXPECT_STREQ(loadLwo(quad.finish()).error, trianglesOnly);

  LwoWriter flagged; // a triangle with flag bits in the high six bits of its count
  writePoints(flagged, square);
  writePolygons(flagged, "FACE", {{0, 1, 2}}, 1);
  EXPECT_STREQ(loadLwo(flagged.finish()).error, trianglesOnly);
}

TEST(LwoReader, SkipsPatchesAndOtherPolygonTagTypes) {
  LwoWriter w;
  writeTags(w, {"A"});
  writePoints(w, square);
  writePolygons(w, "FACE", {{0, 1, 2}});
  writePolygonTags(w, "SURF", {{0, 0}});
  writePolygons(w, "PTCH", {{0, 1, 2, 3}}); // starts a new, empty list
  writePolygonTags(w, "PART", {{0, 0}, {1, 0}});
  writePolygonTags(w, "SMGP", {{0, 0}});
  writePoints(w, {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}});
  LoadResult loaded = loadLwo(w.finish());
  ASSERT_EQ(loaded.error, nullptr);
  const Mesh& mesh = loaded.object->mesh;
  EXPECT_EQ(mesh.triangleCount, 0);
  ASSERT_EQ(mesh.surfaceGroups.size(), 1u); // only the SURF tags made groups
  EXPECT_EQ(mesh.surfaceGroups[0].triangleCount, 1u);
  EXPECT_EQ(mesh.pointCount, 3); // and the chunk after them was read
}

TEST(LwoReader, SkipsChunksItDoesNotUse) {
  LwoWriter w;
  writeTags(w, {"A"});
  writeLayer(w, 0, "layer");
  writePoints(w, square);
  writeBoundingBox(w, square);
  writeEnvelope(w, 1);
  w.chunk("VMPA").u4(0).u4(0).end();
  writePointMap(w, "RGB ", 3, "colours", {{0, {1, 0, 0}}, {1, {0, 1, 0}}});
  writePolygons(w, "FACE", {{0, 1, 2}, {0, 2, 3}});
  writePolygonMap(w, "NORM", 3, "normals", {{0, 0, {0, 0, 1}}});
  writePolygonTags(w, "COLR", {{0, 0}});
  writePolygonTags(w, "SURF", {{0, 0}, {1, 0}});
  LoadResult loaded = loadLwo(w.finish());
  ASSERT_EQ(loaded.error, nullptr);
  const Mesh& mesh = loaded.object->mesh;
  EXPECT_EQ(mesh.pointCount, 4);
  EXPECT_EQ(mesh.triangleCount, 2);
  EXPECT_TRUE(mesh.uvMaps.empty());
  ASSERT_EQ(mesh.surfaceGroups.size(), 1u);
  EXPECT_EQ(mesh.surfaceGroups[0].triangleCount, 2u);
}

TEST(LwoReader, GroupsTrianglesBySurfaceInTagOrder) {
  // Triangle 3 carries no tag and so belongs to no group.
  std::string file = triangleFile({"A", "B", "C"}, square, {{0, 1, 2}, {0, 2, 3}, {1, 2, 3}, {0, 1, 3}},
                                  {{2, 0}, {0, 2}, {1, 0}});
  LoadResult loaded = loadLwo(file);
  ASSERT_EQ(loaded.error, nullptr);
  const auto& groups = loaded.object->mesh.surfaceGroups;
  ASSERT_EQ(groups.size(), 3u);
  for (uint32_t i = 0; i < 3; ++i)
    EXPECT_EQ(groups[i].surfaceIndex, i);
  ASSERT_EQ(groups[0].triangleCount, 2u);
  ASSERT_EQ(groups[0].triangles.size(), 2u);
  EXPECT_EQ(groups[0].triangles[0].index[2], 3u); // triangle 2 first, as in the tags
  EXPECT_EQ(groups[0].triangles[1].index[2], 3u);
  EXPECT_EQ(groups[0].triangles[1].index[0], 0u);
  EXPECT_EQ(groups[1].triangleCount, 0u);
  EXPECT_TRUE(groups[1].triangles.empty());
  ASSERT_EQ(groups[2].triangleCount, 1u);
  EXPECT_EQ(groups[2].triangles[0].index[1], 1u);
  EXPECT_EQ(loaded.object->mesh.triangleCount, 4);
}

TEST(LwoReader, KeepsPerPolygonUvValuesBesidePerPointOnes) {
  std::string file = triangleFile({"A"}, square, {{0, 1, 2}, {0, 2, 3}}, {{0, 0}, {1, 0}}, [](LwoWriter& w) {
    writePointMap(w, "TXUV", 2, "UV",
                  {{0, {0.0f, 0.0f}}, {1, {1.0f, 0.0f}}, {2, {1.0f, 1.0f}}, {3, {0.0f, 1.0f}}});
    writePolygonMap(w, "TXUV", 2, "UV", {{0, 1, {0.5f, 0.25f}}, {2, 1, {0.75f, 0.5f}}});
  });
  LoadResult loaded = loadLwo(file);
  ASSERT_EQ(loaded.error, nullptr);
  ASSERT_EQ(loaded.object->mesh.uvMaps.size(), 1u);
  const UvMap& map = loaded.object->mesh.uvMaps[0];
  EXPECT_STREQ(map.name, "UV");
  EXPECT_EQ(map.entryCount, 4);
  EXPECT_TRUE(map.perPolygon);
  EXPECT_EQ(map.uv(0, 1).u, 0.5f);
  EXPECT_EQ(map.uv(0, 1).v, 0.25f);
  EXPECT_EQ(map.uv(2, 1).u, 0.75f);
  EXPECT_EQ(map.uv(0, 0).u, 0.0f); // the other triangle keeps the point's pair
  EXPECT_EQ(map.uv(2, 0).u, 1.0f);
  EXPECT_EQ(map.uv(2, 0).v, 1.0f);
  EXPECT_EQ(map.uv(3, 1).v, 1.0f);
}

TEST(LwoReader, PicksTheUvMapOfTheSameNameElseTheLastBeginningWithIt) {
  std::string file = triangleFile({"A"}, square, {{0, 1, 2}}, {{0, 0}}, [](LwoWriter& w) {
    writePointMap(w, "TXUV", 2, "UVa", {{0, {0, 0}}});
    writePointMap(w, "TXUV", 2, "UVb", {{0, {0, 0}}});
    writePolygonMap(w, "TXUV", 2, "UV", {{0, 0, {0.5f, 0.5f}}});
    writePointMap(w, "TXUV", 2, "XY", {{0, {0, 0}}});
    writePointMap(w, "TXUV", 2, "XYZ", {{0, {0, 0}}});
    writePolygonMap(w, "TXUV", 2, "XY", {{0, 0, {0.5f, 0.5f}}});
  });
  LoadResult loaded = loadLwo(file);
  const auto& maps = loaded.object->mesh.uvMaps;
  ASSERT_EQ(maps.size(), 4u);
  EXPECT_FALSE(maps[0].perPolygon);
  EXPECT_TRUE(maps[1].perPolygon); // UVb, the last that begins with UV
  EXPECT_TRUE(maps[2].perPolygon); // XY itself, not XYZ
  EXPECT_FALSE(maps[3].perPolygon);
}

TEST(LwoReader, KeepsTheFileNameOfEveryStillImage) {
  LwoWriter w;
  writeClip(w, 1, "Images/sky.png");
  writeClip(w, 2, "Q:ASSIMP/models/earth.jpg", false);
  writeClip(w, 3, "a//b.png");
  writeClip(w, 4, "C:\\maps\\wood.png");
  w.chunk("CLIP").u4(5).subChunk("ISEQ").u1(0).u1(0).s0("frames").end().end();
  LoadResult loaded = loadLwo(w.finish());
  const auto& names = loaded.object->mesh.clipNames;
  ASSERT_EQ(names.size(), 4u);
  EXPECT_EQ(names[0], std::optional<std::string>("sky.png"));
  EXPECT_EQ(names[1], std::optional<std::string>("earth.jpg"));
  EXPECT_EQ(names[2], std::nullopt);
  EXPECT_EQ(names[3], std::optional<std::string>("C:\\maps\\wood.png"));
}

TEST(LwoReader, BoundsAreTruncatedAndHoldTheOrigin) {
  LwoWriter w;
  writePoints(w, {{2.7f, -3.9f, 0.5f}, {-0.2f, 1.0f, -1.5f}});
  LoadResult loaded = loadLwo(w.finish());
  const int32_t expected[6] = {2, 0, 1, -3, 1, 0};
  for (int i = 0; i < 6; ++i)
    EXPECT_EQ(loaded.object->bounds[i], expected[i]) << i;
}

TEST(LwoReader, ReadsBothFormsOfTheVariableLengthIndex) {
  // 70000 points: indices above 0xFF00 need the 4-byte form.
  std::vector<LwoPoint> points(70000);
  for (size_t i = 0; i < points.size(); ++i)
    points[i] = {static_cast<float>(i), 0.0f, 0.0f};
  std::string file = triangleFile({"A", "B"}, points, {{0, 1, 2}, {69999, 65280, 65279}}, {{1, 1}, {0, 0}},
                                  [](LwoWriter& w) {
                                    writePointMap(w, "TXUV", 2, "UV", {{69000, {0.5f, 0.5f}}});
                                    writePolygonMap(w, "TXUV", 2, "UV", {{69999, 1, {0.25f, 0.75f}}});
                                  });
  LoadResult loaded = loadLwo(file);
  ASSERT_EQ(loaded.error, nullptr);
  const Mesh& mesh = loaded.object->mesh;
  ASSERT_EQ(mesh.pointCount, 70000);
  ASSERT_EQ(mesh.surfaceGroups[1].triangleCount, 1u);
  const LwoTriangle& far = mesh.surfaceGroups[1].triangles[0];
  EXPECT_EQ(far.index[0], 69999u);
  EXPECT_EQ(far.index[1], 65280u);
  EXPECT_EQ(far.index[2], 65279u);
  EXPECT_EQ(mesh.uvMaps[0].uv(69000, 0).u, 0.5f);
  EXPECT_EQ(mesh.uvMaps[0].uv(69999, 1).v, 0.75f);

  LwoWriter small; // small indices written in the long form read the same
  small.longIndices = true;
  writeTags(small, {"A"});
  writePoints(small, square);
  writePolygons(small, "FACE", {{3, 2, 1}});
  writePolygonTags(small, "SURF", {{0, 0}});
  LoadResult longForm = loadLwo(small.finish());
  ASSERT_EQ(longForm.object->mesh.surfaceGroups[0].triangleCount, 1u);
  EXPECT_EQ(longForm.object->mesh.surfaceGroups[0].triangles[0].index[0], 3u);
}

TEST(LwoReader, SkipsThePadByteAfterOddSizedChunks) {
  LwoWriter w;
  w.chunk("ODDC").raw("12345").end(); // five bytes and a pad
  writeTags(w, {"A"});
  w.chunk("CLIP").u4(1);
  w.subChunk("XTRA").raw("abc").end();
  w.subChunk("STIL").s0("images/odd.png").end();
  w.end();
  writePoints(w, square);
  LoadResult loaded = loadLwo(w.finish());
  ASSERT_EQ(loaded.error, nullptr);
  EXPECT_EQ(loaded.object->mesh.surfaces.size(), 1u);
  EXPECT_EQ(loaded.object->mesh.pointCount, 4);
  ASSERT_EQ(loaded.object->mesh.clipNames.size(), 1u);
  EXPECT_EQ(loaded.object->mesh.clipNames[0], std::optional<std::string>("odd.png"));
}

} // namespace

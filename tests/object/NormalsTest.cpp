// Face and point normals.
#include <gtest/gtest.h>

#include <cmath>

#include "MeshObject.h"

namespace {

void expectNear(const Vec3& actual, const Vec3& expected) {
  for (int i = 0; i < 3; ++i)
    EXPECT_NEAR(actual[i], expected[i], 1e-4f) << "component " << i;
}

TEST(FaceNormal, NegatesTheLastTwoComponentsOfTheCrossProduct) {
  expectNear(faceNormal({0, 0, 0}, {1, 0, 0}, {0, 1, 0}), {0, 0, -1});
  expectNear(faceNormal({0, 0, 0}, {1, 0, 0}, {0, 0, 1}), {0, 1, 0});
  expectNear(faceNormal({1, 1, 1}, {1, 3, 1}, {1, 1, 5}), {1, 0, 0});
}

TEST(FaceNormal, IsZeroForATriangleWithoutArea) {
  expectNear(faceNormal({0, 0, 0}, {1, 0, 0}, {2, 0, 0}), {0, 0, 0});
  expectNear(faceNormal({1, 2, 3}, {1, 2, 3}, {1, 2, 3}), {0, 0, 0});
  Vec3 tiny = faceNormal({0, 0, 0}, {1e-30f, 0, 0}, {0, 1e-30f, 0});
  for (float c : tiny)
    EXPECT_TRUE(std::isfinite(c));
}

// Points 0..4; triangle A (0, 1, 2) has normal (0, 0, 1), triangle B (0, 1, 3)
// has (1, 0, 0); triangle C (0, 1, 4) has no area; point 5 is not used.
void fill(MeshObject& object) {
  object.mesh.points = {{0, 0, 0}, {0, 1, 0}, {1, 0, 0}, {0, 0, 1}, {0, 2, 0}, {9, 9, 9}};
  object.mesh.drawPoints = object.mesh.points;
  SurfaceGroup first;
  first.triangles.push_back({{0, 1, 2}, {}});
  first.triangles.push_back({{0, 1, 4}, {}});
  SurfaceGroup second;
  second.surfaceIndex = 1;
  second.triangles.push_back({{0, 1, 3}, {}});
  first.triangleCount = 2;
  second.triangleCount = 1;
  object.mesh.surfaceGroups = {first, second};
}

TEST(ComputeNormals, AveragesTheNormalsOfEveryTriangleAtAPoint) {
  MeshObject object;
  fill(object);
  object.computeNormals();
  const Mesh& mesh = object.mesh;
  expectNear(mesh.surfaceGroups[0].triangles[0].normal, {0, 0, 1});
  expectNear(mesh.surfaceGroups[1].triangles[0].normal, {1, 0, 0});
  ASSERT_EQ(mesh.normalCount, 6);
  ASSERT_EQ(mesh.vertexNormals.size(), 6u);
  // Shared by A and B, across surfaces; C adds nothing.
  expectNear(mesh.vertexNormals[0], {0.70710678f, 0, 0.70710678f});
  expectNear(mesh.vertexNormals[1], {0.70710678f, 0, 0.70710678f});
  expectNear(mesh.vertexNormals[2], {0, 0, 1});
  expectNear(mesh.vertexNormals[3], {1, 0, 0});
}

TEST(ComputeNormals, GivesZeroWhereNoTriangleWithAreaTouches) {
  MeshObject object;
  fill(object);
  object.computeNormals();
  expectNear(object.mesh.surfaceGroups[0].triangles[1].normal, {0, 0, 0});
  expectNear(object.mesh.vertexNormals[4], {0, 0, 0}); // only on C
  expectNear(object.mesh.vertexNormals[5], {0, 0, 0}); // on nothing
}

TEST(ComputeNormals, GivesZeroWhereOppositeNormalsCancel) {
  MeshObject object;
  object.mesh.points = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
  SurfaceGroup group;
  group.triangles.push_back({{0, 1, 2}, {}});
  group.triangles.push_back({{0, 2, 1}, {}});
  group.triangleCount = 2;
  object.mesh.surfaceGroups = {group};
  object.computeNormals();
  for (const Vec3& normal : object.mesh.vertexNormals)
    expectNear(normal, {0, 0, 0});
}

} // namespace

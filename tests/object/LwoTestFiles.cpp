#include "LwoTestFiles.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "TempDir.h"

LoadResult loadLwo(const std::string& bytes) {
  TempDir dir;
  std::string path = dir.write("object.lwo", bytes);
  LoadResult result;
  result.object = std::make_unique<LwoObject>();
  testing::internal::CaptureStdout();
  try {
    result.object->load(path.c_str());
  } catch (const char* message) {
    result.error = message;
  }
  std::fflush(stdout);
  result.printed = testing::internal::GetCapturedStdout();
  return result;
}

std::string triangleFile(const std::vector<std::string>& tags, const std::vector<LwoPoint>& points,
                         const std::vector<std::vector<uint32_t>>& triangles,
                         const std::vector<LwoPolygonTag>& polygonTags, void (*more)(LwoWriter&)) {
  LwoWriter w;
  writeTags(w, tags);
  writePoints(w, points);
  writePolygons(w, "FACE", triangles);
  writePolygonTags(w, "SURF", polygonTags);
  if (more) more(w);
  return w.finish();
}

std::string surfaceFile(const std::vector<std::string>& tags, void (*surfaces)(LwoWriter&)) {
  return triangleFile(tags, {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {{0, 1, 2}}, {{0, 0}}, surfaces);
}

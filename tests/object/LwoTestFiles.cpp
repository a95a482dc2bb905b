#include "LwoTestFiles.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "TempDir.h"

std::vector<LoadResult> loadLwos(const std::vector<std::string>& files) {
  TempDir dir;
  std::vector<LoadResult> results(files.size());
  testing::internal::CaptureStdout();
  for (size_t i = 0; i < files.size(); ++i) {
    std::string path = dir.write("object.lwo", files[i]);
    results[i].object = std::make_unique<LwoObject>();
    try {
      results[i].object->load(path.c_str());
    } catch (const char* message) {
      results[i].error = message;
    }
  }
  std::fflush(stdout);
  std::string printed = testing::internal::GetCapturedStdout();
  if (!results.empty()) results.back().printed = printed;
  return results;
}

LoadResult loadLwo(const std::string& bytes) {
  return std::move(loadLwos({bytes}).front());
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

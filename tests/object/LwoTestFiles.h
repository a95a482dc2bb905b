#pragma once

#include <memory>
#include <string>
#include <vector>

#include "LwoObject.h"
#include "LwoWriter.h"

// What loading some bytes as an LWO2 file gave: the object, the thrown
// message (null when none) and the lines the reader printed.
struct LoadResult {
  std::unique_ptr<LwoObject> object;
  const char* error = nullptr;
  std::string printed;
};

// Four points of a unit square in the plane z = 0.
inline const std::vector<LwoPoint> square = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}};

LoadResult loadLwo(const std::string& bytes);
// Several at once, sharing one folder and one capture of the printed lines
// (which goes to the last result).
std::vector<LoadResult> loadLwos(const std::vector<std::string>& files);

// A file of TAGS, PNTS, POLS FACE and PTAG SURF, with `more` written after them.
std::string triangleFile(const std::vector<std::string>& tags, const std::vector<LwoPoint>& points,
                         const std::vector<std::vector<uint32_t>>& triangles,
                         const std::vector<LwoPolygonTag>& polygonTags, void (*more)(LwoWriter&) = nullptr);

// Three points and one triangle tagged 0, plus SURF chunks from `surfaces`.
std::string surfaceFile(const std::vector<std::string>& tags, void (*surfaces)(LwoWriter&));

#pragma once

#include <string>
#include <vector>

#include "Mesh.h"

// The surface that a SURF chunk named `name` fills: the one of that exact
// name, else the first whose name begins with it; -1 when none does.
int findSurface(const std::vector<LwoSurface>& surfaces, const std::string& name);

// The uv map that a VMAD chunk or a texture block names: the last of that
// exact name, else the last whose name begins with it; -1 when none does.
int findUvMap(const std::vector<UvMap>& maps, const std::string& name);

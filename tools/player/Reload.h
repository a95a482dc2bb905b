#pragma once

#include <string>
#include <vector>

#include "ProductionInfo.h"

// Loads the production's pictures and objects again from its files, as its
// descriptor lists them, relative to the working directory. Each replaces
// the one in use only when its loader succeeds; a file that fails (missing,
// half written) leaves the old one in place. Returns one line per file that
// failed: its name and the loader's message. Needs the production's GL
// context current.
std::vector<std::string> reloadProductionData(const ProductionInfo& production = productionInfo());

#pragma once

#include <string>
#include <vector>

#include "ProductionInfo.h"

// Whether a data folder will play: each file read with the system's own
// loader and held against what the production needs. Every problem is one
// line naming the file and what to do about it; none means it will play.
namespace datacheck {

// `folder` is the folder the production runs in (holding data/), or the data
// folder itself; the production's descriptor names its files (by default
// the production linked into the program).
std::vector<std::string> checkFolder(const std::string& folder,
                                     const ProductionInfo& production = productionInfo());

std::vector<std::string> checkMusic(const std::string& path);
// What an author should know that does not stop the production, one line
// each: how long the music lasts, and whether its end plays in silence.
// `endSeconds` is how long the production runs (0: until the viewer ends it).
std::vector<std::string> describeFolder(const std::string& folder,
                                        const ProductionInfo& production = productionInfo());
std::vector<std::string> describeMusic(const std::string& path, double endSeconds);
std::vector<std::string> checkPicture(const std::string& path);
std::vector<std::string> checkObject(const std::string& path);

// The line for a file that the production's own loader refuses with
// `message`: missing, or there but unreadable; `wanted` says what belongs there.
std::string loaderProblem(const std::string& path, const char* message, const std::string& wanted);

} // namespace datacheck

#pragma once

#include <optional>
#include <string>

// The file name of a still image's path: piece number n of the path split at
// runs of "/" (no empty pieces), where n counts the "/" characters not in the
// first position. Nothing when there is no such piece (a//b.png, a/b/). Only
// "/" separates.
std::optional<std::string> lastPathComponent(const std::string& path);

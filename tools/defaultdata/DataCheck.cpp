#include "DataCheck.h"

#include <filesystem>

#include "DefaultData.h"

namespace datacheck {

std::string loaderProblem(const std::string& path, const char* message, const std::string& wanted) {
  std::error_code error;
  const bool present = std::filesystem::exists(path, error);
  return path + (present ? ": unreadable" : ": missing") + ", the production stops with \"" + message +
         "\"; " + (present ? "replace it with " : "put ") + wanted + (present ? "" : " there");
}

namespace {

// The data folder inside `folder`, or `folder` itself; empty when neither is a folder.
std::filesystem::path dataFolder(const std::string& folder) {
  namespace fs = std::filesystem;
  std::error_code error;
  fs::path data = fs::path(folder) / "data";
  if (!fs::is_directory(data, error)) data = fs::path(folder);
  if (!fs::is_directory(data, error)) return {};
  return data;
}

} // namespace

std::vector<std::string> describeFolder(const std::string& folder) {
  const std::filesystem::path data = dataFolder(folder);
  if (data.empty()) return {};
  return describeMusic((data / defaultdata::musicFile).generic_string());
}

std::vector<std::string> checkFolder(const std::string& folder) {
  const std::filesystem::path data = dataFolder(folder);
  if (data.empty())
    return {folder + ": no such folder; give the folder that holds data/ (zephtool make-data makes one)"};

  auto path = [&data](const char* name) { return (data / name).generic_string(); };
  std::vector<std::string> problems = checkMusic(path(defaultdata::musicFile));
  for (const char* picture : defaultdata::pictureFiles) {
    std::vector<std::string> more = checkPicture(path(picture));
    problems.insert(problems.end(), more.begin(), more.end());
  }
  std::vector<std::string> more = checkObject(path(defaultdata::objectFile));
  problems.insert(problems.end(), more.begin(), more.end());
  return problems;
}

} // namespace datacheck

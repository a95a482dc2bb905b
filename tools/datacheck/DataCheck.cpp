#include "DataCheck.h"

#include <filesystem>

#include "ProductionInfo.h"

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

// Where `path`, as the production opens it from its working folder, lies
// in the data folder `data`.
std::string inData(const std::filesystem::path& data, const char* path) {
  const std::string relative = path;
  const std::string prefix = "data/";
  const bool under = relative.compare(0, prefix.size(), prefix) == 0;
  return (data / (under ? relative.substr(prefix.size()) : relative)).generic_string();
}

std::vector<std::string> checkFile(const std::string& path, ProductionFile::Kind kind) {
  return kind == ProductionFile::Kind::Picture ? checkPicture(path) : checkObject(path);
}

} // namespace

std::vector<std::string> describeFolder(const std::string& folder, const ProductionInfo& production) {
  const std::filesystem::path data = dataFolder(folder);
  if (data.empty()) return {};
  return describeMusic(inData(data, production.musicFile), production.endSeconds);
}

std::vector<std::string> checkFolder(const std::string& folder, const ProductionInfo& production) {
  const std::filesystem::path data = dataFolder(folder);
  if (data.empty()) return {folder + ": no such folder; give the folder that holds data/"};

  std::vector<std::string> problems = checkMusic(inData(data, production.musicFile));
  for (const ProductionFile& file : production.files) {
    std::vector<std::string> more = checkFile(inData(data, file.path), file.kind);
    problems.insert(problems.end(), more.begin(), more.end());
  }
  return problems;
}

} // namespace datacheck

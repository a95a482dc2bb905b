#include "OutputFiles.h"

#include <algorithm>
#include <filesystem>
#include <stdexcept>

namespace fs = std::filesystem;

namespace {

std::string temporary(const fs::path& path) {
  return path.string() + ".part";
}

} // namespace

OutputFiles::OutputFiles(const std::string& out, Ownership owns)
    : folder(fs::absolute(out).string()), captureFile(owns) {
  std::error_code error;
  fs::create_directories(folder, error);
  if (error || !fs::is_directory(folder, error))
    throw std::runtime_error(out + ": cannot make the output folder (" + error.message() + ")");
}

OutputFiles::~OutputFiles() {
  if (committed) return;
  std::error_code ignored;
  for (const std::string& name : names)
    fs::remove(temporary(fs::path(folder) / name), ignored);
}

std::string OutputFiles::add(const std::string& name) {
  names.push_back(name);
  return temporary(fs::path(folder) / name);
}

void OutputFiles::commit() {
  removeEarlierFiles();
  for (auto name = names.rbegin(); name != names.rend(); ++name) {
    const fs::path path = fs::path(folder) / *name;
    std::error_code error;
    fs::rename(temporary(path), path, error);
    if (error) throw std::runtime_error(path.string() + ": " + error.message());
  }
  committed = true;
}

void OutputFiles::removeEarlierFiles() const {
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(folder, error)) {
    const std::string name = entry.path().filename().string();
    if (captureFile(name) && std::find(names.begin(), names.end(), name) == names.end())
      fs::remove(entry.path(), error);
  }
}

#include "TempDir.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace fs = std::filesystem;

TempDir::TempDir() {
  static std::atomic<unsigned> counter{0};
  auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  fs::path dir =
      fs::temp_directory_path() / ("zeph-test-" + std::to_string(stamp) + "-" + std::to_string(counter++));
  fs::create_directories(dir);
  root = dir.generic_string();
}

TempDir::~TempDir() {
  std::error_code ignored;
  fs::remove_all(root, ignored);
}

std::string TempDir::write(const std::string& name, const std::string& bytes) const {
  std::string path = file(name);
  std::ofstream out(path, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path);
  return path;
}

#pragma once

#include <string>

// A fresh folder for one test, removed with everything in it at the end.
class TempDir {
public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& path() const { return root; }
  // `name` inside the folder.
  std::string file(const std::string& name) const { return root + "/" + name; }
  // Writes `bytes` to `name` inside the folder and returns its path.
  std::string write(const std::string& name, const std::string& bytes) const;

private:
  std::string root;
};

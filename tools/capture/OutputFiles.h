#pragma once

#include <string>
#include <vector>

// The files of one capture in its output folder, written under temporary
// names and given their own names only once the whole capture has
// succeeded; on failure the temporary files are removed.
class OutputFiles {
public:
  // Creates the folder if need be; throws std::runtime_error when it cannot.
  explicit OutputFiles(const std::string& folder);
  ~OutputFiles();
  OutputFiles(const OutputFiles&) = delete;
  OutputFiles& operator=(const OutputFiles&) = delete;

  // Where to write the file `name` until commit.
  std::string add(const std::string& name);
  // Renames every file to its own name, the first one added last: it
  // appears only when all the others are complete.
  void commit();

private:
  std::string folder;
  std::vector<std::string> names;
  bool committed = false;
};

#pragma once

#include <functional>
#include <string>
#include <vector>

// The files of one capture in its output folder, written under temporary
// names and given their own names only once the whole capture has
// succeeded; on failure the temporary files are removed. An earlier
// capture's files that this one does not replace (frames past its last,
// stills it did not ask for) are removed when it succeeds, so that the
// folder holds one capture.
class OutputFiles {
public:
  // Tells a capture's file by its name.
  using Ownership = std::function<bool(const std::string& name)>;

  // Creates the folder if need be; throws std::runtime_error when it cannot.
  OutputFiles(const std::string& folder, Ownership captureFile);
  ~OutputFiles();
  OutputFiles(const OutputFiles&) = delete;
  OutputFiles& operator=(const OutputFiles&) = delete;

  // Where to write the file `name` until commit.
  std::string add(const std::string& name);
  // Renames every file to its own name, the first one added last: it
  // appears only when all the others are complete.
  void commit();

private:
  void removeEarlierFiles() const;

  std::string folder;
  Ownership captureFile;
  std::vector<std::string> names;
  bool committed = false;
};

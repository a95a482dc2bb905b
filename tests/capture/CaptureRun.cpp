#include "CaptureRun.h"

#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "DefaultSet.h"
#include "TempDir.h"

namespace {

std::string quoted(const std::string& text) {
  return "'" + text + "'";
}

} // namespace

CaptureRun runCapture(const std::string& folder, const std::string& out, const std::string& args) {
  TempDir scratch;
  const std::string errors = scratch.file("stderr");
  // `timeout` ends the capture by its process id should it hang.
  const std::string command = "timeout 120 " + quoted(ZEPHTOOL) + " capture " + quoted(folder) + " " +
                              quoted(out) + " " + args + " 2>" + quoted(errors);
  const int status = std::system(command.c_str());
  CaptureRun run;
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.errors = readBytes(errors);
  return run;
}

float objectAngleOf(int index) {
  float angle = 0.0f;
  for (int i = 0; i <= index; ++i)
    angle += 0.15f;
  return angle;
}

std::string listFolder(const std::string& folder) {
  std::vector<std::string> names;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  std::string list;
  for (const std::string& name : names)
    list += name + " ";
  return list;
}

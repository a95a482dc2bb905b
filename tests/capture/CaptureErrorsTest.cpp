// What a capture says, and leaves behind, when it cannot run.
#include <gtest/gtest.h>

#include <filesystem>

#include "CaptureRun.h"
#include "DefaultSet.h"
#include "TempDir.h"

namespace fs = std::filesystem;

TEST(CaptureErrors, NameTheProblemExitWithOneAndLeaveNoVideo) {
  TempDir work;
  const std::string empty = work.path() + "/empty";
  fs::create_directories(empty);
  const std::string broken = work.path() + "/broken";
  fs::create_directories(broken);
  fs::copy(defaultSetFolder() + "/data", broken + "/data", fs::copy_options::recursive);
  work.write("broken/data/vote.png", "not a picture");
  const std::string plainFile = work.write("plain", "a file, not a folder");
  const std::string good = defaultSetFolder();

  struct Case {
    std::string folder;
    std::string out;
    std::string args;
    std::string says;
  };
  const std::string out = work.path() + "/out";
  const Case cases[] = {
      {empty, out, "", "no data folder"},
      {empty, out, "", "tovi_does_brask.ogg: missing"},
      {broken, out, "", "vote.png: unreadable"},
      {good, plainFile + "/out", "", "cannot make the output folder"},
      {good, out, "--fps 0", "--fps 0: give whole frames per second"},
      {good, out, "--fps 2.5", "--fps 2.5: give whole frames per second"},
      {good, out, "--from -1", "--from -1: give seconds of music"},
      {good, out, "--to nan", "--to nan: give seconds of music"},
      {good, out, "--from 10 --to 5", "--to must come after --from"},
      {good, out, "--to", "--to needs a value"},
      {good, out, "--speed 2", "--speed: no such option"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.folder + " " + c.out + " " + c.args);
    const CaptureRun run = runCapture(c.folder, c.out, c.args);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.errors.find(c.says), std::string::npos) << run.errors;
    EXPECT_EQ(listFolder(out), "") << "left behind";
  }
}

// zephtool run as authors run it: which reader a name gets, the JSON whatever
// bytes a file holds, and the command line's own answers.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include <nlohmann/json.hpp>

#include "LwoTestFiles.h"
#include "TempDir.h"

namespace {

struct Outcome {
  int status;
  std::string out;
  std::string err;
};

std::string readText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

Outcome zephtool(const TempDir& dir, const std::string& args) {
  std::string command =
      std::string(ZEPHTOOL) + " " + args + " >" + dir.file("out") + " 2>" + dir.file("err") + " </dev/null";
  int status = std::system(command.c_str());
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, readText(dir.file("out")), readText(dir.file("err"))};
}

struct Case {
  std::string args;
  int status;
  const char* out; // a part of standard output, empty for none at all
  const char* err; // likewise for standard error
};

void expectPart(const std::string& text, const std::string& part) {
  if (part.empty())
    EXPECT_EQ(text, "");
  else
    EXPECT_NE(text.find(part), std::string::npos) << text;
}

TEST(Zephtool, AnswersByCommandAndByTheFileNameFirst) {
  TempDir dir;
  dir.write("picture.png", "GIF89a\x01\x00\x01\x00\x00\x00\x00;");
  dir.write("object.lwo", std::string("RIFF\x04\0\0\0WAVE", 12));
  const Case cases[] = {
      {"--help", 0, "usage: zephtool inspect", ""},
      {"--version", 0, "zephtool " ZEPH_VERSION "\n", ""},
      {"frobnicate", 2, "", "usage: zephtool inspect"},
      // Named as the production names its files: that loader's own message.
      {"inspect " + dir.file("picture.png"), 1, "", "[png] this file is not an png!\n"},
      {"inspect " + dir.file("object.lwo"), 1, "",
       "FORM-tag not found! (maybe this is not lightwave-file?)\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args);
    Outcome run = zephtool(dir, c.args);
    EXPECT_EQ(run.status, c.status);
    expectPart(run.out, c.out);
    expectPart(run.err, c.err);
  }
}

TEST(Zephtool, ReportsAreValidJsonWhateverBytesANameHolds) {
  TempDir dir;
  std::string path = dir.write("named.lwo", surfaceFile({"Metal\xff"}, nullptr));
  Outcome run = zephtool(dir, "inspect " + path);
  ASSERT_EQ(run.status, 0) << run.err;
  std::string report = run.out.substr(run.out.rfind('\n', run.out.size() - 2) + 1);
  nlohmann::json parsed = nlohmann::json::parse(report);         // throws on bytes that are not UTF-8
  EXPECT_EQ(parsed["surfaces"][0]["name"], "Metal\xef\xbf\xbd"); // U+FFFD for the stray byte
}

} // namespace

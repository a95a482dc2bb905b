// The error box's text for each kind of exception that can end the production.
#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <stdexcept>
#include <system_error>

#include "FailureText.h"

namespace {

std::string textFor(const std::function<void()>& fail) {
  try {
    fail();
  } catch (...) {
    return failureText();
  }
  return "(nothing thrown)";
}

struct Case {
  const char* kind;
  std::function<void()> fail;
  std::string text;
};

TEST(FailureText, NamesEveryKindOfException) {
  const Case cases[] = {
      {"own text", [] { throw "Could not open LWO2 file."; }, "Could not open LWO2 file."},
      {"memory", [] { throw std::bad_alloc(); }, "Not enough memory!"},
      {"system",
       [] {
         throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again), "thread");
       },
       std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again), "thread").what()},
      {"library", [] { throw std::runtime_error("bad picture"); }, "bad picture"},
      {"empty what", [] { throw std::runtime_error(""); }, "Unknown error!"},
      {"unknown", [] { throw 42; }, "Unknown error!"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(textFor(c.fail), c.text) << c.kind;
}

} // namespace

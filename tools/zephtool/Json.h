#pragma once

#include <string>

#include <nlohmann/json.hpp>

// The tool's reports: objects keep their key order.
using Json = nlohmann::ordered_json;

// A measured value at the nine significant digits a float holds; integral
// values print as integers, and values that are not finite as null.
Json number(double value);

// One line of JSON. Bytes that are not UTF-8 (names are raw bytes in the
// files) become U+FFFD, so that the document is valid whatever a file holds.
std::string dumpReport(const Json& report);

#pragma once

#include <string>

// The production's default data set, made entirely by the project's own
// generators. The same bytes on every run.
namespace defaultdata {

// Names inside the data folder, in the order the production opens them.
constexpr const char* musicFile = "tovi_does_brask.ogg";
constexpr const char* pictureFiles[4] = {"zeph-logo.png", "vote.png", "du_ogsaa.png", "zeph0.png"};
constexpr const char* objectFile = "bl0ah.lwo";

// Writes the six files into `folder`/data, creating the folders as needed.
// Throws a message text when a file cannot be written.
void write(const std::string& folder);

} // namespace defaultdata

#pragma once

#include <string>

// The error box's text for the exception being handled; call it only inside a
// catch block. Thrown texts are the production's own messages; anything else
// the runtime or a library threw gets a text a viewer can act on.
std::string failureText();

#include "Commands.h"

// Placeholder until the audio loader exists.
static bool recognises(const std::string&, const std::string&) { return false; }
static Json inspect(const std::string&, bool) { throw "not available yet"; }
const Inspector audioInspector = {"Audio", recognises, inspect};

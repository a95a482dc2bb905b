#pragma once

#include <string>

// The production's data maker, linked into its tool (zeph_add_production's
// DATA_MAKER): writes the production's data set into `folder`/data, the
// same bytes on every run. Throws a message text when it cannot.
void writeProductionData(const std::string& folder);

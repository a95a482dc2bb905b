#pragma once

#include "LwoWriter.h"

// The default set's object: a trefoil knot of chrome tube around a wobbly
// glass bubble, about 0.3 units across, facing along the z axis. One layer
// of triangles with two surfaces, the glass one translucent.
LwoModel knotModel();

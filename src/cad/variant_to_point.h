#pragma once

#include "core/acad_point.h"
#include "core/variant.h"

namespace zemvo {

// Elements 0, 1 and 2 of a one-dimensional array, as the CAD application
// returns points, normals and UCS vectors; throws zemvo::Error for anything
// shorter or not an array.
TAcadPoint variantToPoint(const Variant& value);

}  // namespace zemvo

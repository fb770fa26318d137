#pragma once

namespace zemvo {

// A point as every part of the program holds one read from the CAD
// application: three 80-bit extended floats.
struct TAcadPoint {
  long double x = 0;
  long double y = 0;
  long double z = 0;
};

// Distance in the x-y plane; z is ignored.
long double planarDistance(const TAcadPoint& a, const TAcadPoint& b);

}  // namespace zemvo

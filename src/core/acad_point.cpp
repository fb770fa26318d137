#include "core/acad_point.h"

#include <cmath>

namespace zemvo {

long double planarDistance(const TAcadPoint& a, const TAcadPoint& b) {
  const long double dy = a.y - b.y;
  const long double dx = a.x - b.x;
  return std::sqrt(dy * dy + dx * dx);
}

}  // namespace zemvo

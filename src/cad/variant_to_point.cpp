#include "cad/variant_to_point.h"

#include "core/error.h"

namespace zemvo {

TAcadPoint variantToPoint(const Variant& value) {
  if (value.is<std::vector<double>>()) {
    const auto& v = value.as<std::vector<double>>();
    if (v.size() >= 3) return {v[0], v[1], v[2]};
  } else if (value.is<VariantArray>()) {
    const auto& v = value.as<VariantArray>();
    if (v.size() >= 3) return {v[0].toDouble(), v[1].toDouble(), v[2].toDouble()};
  }
  throw Error(u"座標の値ではありません");
}

}  // namespace zemvo

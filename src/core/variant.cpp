#include "core/variant.h"

#include "core/error.h"
#include "core/numbers.h"

namespace zemvo {

double Variant::toDouble() const {
  if (auto* v = std::get_if<double>(&value)) return *v;
  if (auto* v = std::get_if<std::int16_t>(&value)) return *v;
  if (auto* v = std::get_if<std::int32_t>(&value)) return *v;
  if (auto* v = std::get_if<std::int64_t>(&value)) return static_cast<double>(*v);
  if (auto* v = std::get_if<bool>(&value)) return *v ? -1.0 : 0.0;
  throw Error(u"数値ではない値です");
}

std::int64_t Variant::toInteger() const {
  if (auto* v = std::get_if<std::int16_t>(&value)) return *v;
  if (auto* v = std::get_if<std::int32_t>(&value)) return *v;
  if (auto* v = std::get_if<std::int64_t>(&value)) return *v;
  if (auto* v = std::get_if<bool>(&value)) return *v ? -1 : 0;
  if (auto* v = std::get_if<double>(&value)) return static_cast<std::int64_t>(*v);
  throw Error(u"整数ではない値です");
}

Text Variant::toText() const {
  if (auto* v = std::get_if<Text>(&value)) return *v;
  if (isEmpty()) return {};
  if (auto* v = std::get_if<bool>(&value)) return *v ? u"True" : u"False";
  if (is<double>()) return formatGeneral(as<double>());
  return decimalText(toInteger());
}

}  // namespace zemvo

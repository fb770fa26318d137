#pragma once

#include <cstdint>
#include <memory>
#include <variant>
#include <vector>

#include "core/text.h"

namespace zemvo {

// An object of an automation server, owned by whoever holds the pointer and
// released when the last holder lets go.
class AutomationObject {
 public:
  virtual ~AutomationObject() = default;
};

struct Variant;
using VariantArray = std::vector<Variant>;
using ObjectRef = std::shared_ptr<AutomationObject>;

struct EmptyValue {
  bool operator==(const EmptyValue&) const = default;
};

// An error value, such as a spreadsheet cell's "#N/A".
struct ErrorValue {
  std::int32_t code = 0;
  bool operator==(const ErrorValue&) const = default;
};

// What the automation calls pass and return.
struct Variant {
  using Value = std::variant<EmptyValue, std::int16_t, std::int32_t, std::int64_t, double, bool, Text,
                             std::vector<double>, std::vector<std::int16_t>, VariantArray, ObjectRef, ErrorValue>;
  Value value;

  Variant() = default;
  Variant(std::int16_t v) : value(v) {}
  Variant(std::int32_t v) : value(v) {}
  Variant(std::int64_t v) : value(v) {}
  Variant(double v) : value(v) {}
  Variant(bool v) : value(v) {}
  Variant(Text v) : value(std::move(v)) {}
  Variant(const char16_t* v) : value(Text(v)) {}
  Variant(std::vector<double> v) : value(std::move(v)) {}
  Variant(std::vector<std::int16_t> v) : value(std::move(v)) {}
  Variant(VariantArray v) : value(std::move(v)) {}
  Variant(ObjectRef v) : value(std::move(v)) {}
  Variant(ErrorValue v) : value(v) {}

  bool isEmpty() const { return std::holds_alternative<EmptyValue>(value); }
  template <typename T>
  bool is() const { return std::holds_alternative<T>(value); }
  template <typename T>
  const T& as() const { return std::get<T>(value); }

  // Numeric value of any integer, double or boolean; throws otherwise.
  double toDouble() const;
  std::int64_t toInteger() const;
  // Text of a text, number or boolean; empty for an empty value.
  Text toText() const;
};

}  // namespace zemvo

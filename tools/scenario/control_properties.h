#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "app/control.h"

namespace zemvo::scenario {

using PropertyValue = std::variant<bool, int, Text>;

// A property of a control that scenarios read and set by name. Setting goes
// through the control's own setter, so reactions run as on the form.
struct Property {
  std::function<PropertyValue()> get;
  std::function<void(const PropertyValue&)> set;  // empty when read-only
};

std::optional<Property> findProperty(Control& control, std::string_view name);

std::string propertyText(const PropertyValue& value);

// One line: name, kind, parent and state.
std::string describeControl(Control& control);

}  // namespace zemvo::scenario

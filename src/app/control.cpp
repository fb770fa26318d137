#include "app/control.h"

#include "core/error.h"

namespace zemvo {

void ControlRegistry::add(Control& control) {
  if (!byName_.emplace(control.name(), &control).second) {
    throw Error(u"control " + control.name() + u" exists twice");
  }
  controls_.push_back(&control);
}

Control* ControlRegistry::find(TextView name) const {
  const auto found = byName_.find(name);
  return found == byName_.end() ? nullptr : found->second;
}

void ControlRegistry::throwNoSuchControl(TextView name) { throw Error(u"no control " + Text(name) + u" of that kind"); }

Control::Control(ControlRegistry& registry, Text name, Text parent)
    : name_(std::move(name)), parent_(std::move(parent)) {
  registry.add(*this);
}

void Control::setEnabled(bool enabled) {
  if (enabled_ == enabled) return;
  enabled_ = enabled;
  changed();
}

void Control::setVisible(bool visible) {
  if (visible_ == visible) return;
  visible_ = visible;
  changed();
}

void Control::setHint(Text hint) {
  hint_ = std::move(hint);
  changed();
}

void Control::changed() {
  if (listener_) listener_();
}

}  // namespace zemvo

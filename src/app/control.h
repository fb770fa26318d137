#pragma once

#include <functional>
#include <map>
#include <vector>

#include "core/text.h"

namespace zemvo {

class Control;

// Every control of a form under its component name, in creation order.
class ControlRegistry {
 public:
  ControlRegistry() = default;
  ControlRegistry(const ControlRegistry&) = delete;
  ControlRegistry& operator=(const ControlRegistry&) = delete;

  void add(Control& control);  // throws when the name is taken
  Control* find(TextView name) const;
  // The control of that name and kind; throws when there is none.
  template <typename Kind>
  Kind& get(TextView name) const;
  const std::vector<Control*>& all() const { return controls_; }

 private:
  [[noreturn]] static void throwNoSuchControl(TextView name);

  std::vector<Control*> controls_;
  std::map<Text, Control*, std::less<>> byName_;
};

// What every control has: its component name, the tab page, group box or
// menu that holds it, enabled, visible and a hint. Controls register
// themselves with their form, so a name given once is the only listing.
class Control {
 public:
  using ChangeListener = std::function<void()>;

  Control(ControlRegistry& registry, Text name, Text parent);
  virtual ~Control() = default;
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  const Text& name() const { return name_; }
  const Text& parent() const { return parent_; }

  bool enabled() const { return enabled_; }
  void setEnabled(bool enabled);
  bool visible() const { return visible_; }
  void setVisible(bool visible);
  const Text& hint() const { return hint_; }
  void setHint(Text hint);

  // The view mirrors the control when told that something changed.
  void setChangeListener(ChangeListener listener) { listener_ = std::move(listener); }

 protected:
  void changed();

 private:
  Text name_;
  Text parent_;
  bool enabled_ = true;
  bool visible_ = true;
  Text hint_;
  ChangeListener listener_;
};

template <typename Kind>
Kind& ControlRegistry::get(TextView name) const {
  auto* control = dynamic_cast<Kind*>(find(name));
  if (!control) throwNoSuchControl(name);
  return *control;
}

}  // namespace zemvo

#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "core/text.h"
#include "settings/profile_file.h"

namespace zemvo {

// The window whose controls hold the options, as loading and saving see it:
// each control by its component name. Setting a check box to a new state
// runs its click reaction, as on the form.
class OptionControls {
 public:
  virtual ~OptionControls() = default;

  // The window's position in screen pixels, and where it stands centred.
  virtual std::int32_t windowLeft() const = 0;
  virtual std::int32_t windowTop() const = 0;
  virtual void setWindowLeft(std::int32_t left) = 0;
  virtual void setWindowTop(std::int32_t top) = 0;
  virtual std::int32_t centredLeft() const = 0;
  virtual std::int32_t centredTop() const = 0;

  virtual std::int32_t spinnerPosition(TextView spinner) const = 0;
  virtual void setSpinnerPosition(TextView spinner, std::int32_t position) = 0;
  virtual bool checked(TextView checkBox) const = 0;
  virtual void setChecked(TextView checkBox, bool checked) = 0;
  virtual Text text(TextView field) const = 0;
  virtual void setText(TextView field, Text text) = 0;
  virtual void setEnabled(TextView control, bool enabled) = 0;
  virtual void setCaption(TextView control, Text caption) = 0;
};

// Which kind of control holds an option; it fixes the value's type.
enum class OptionHolder {
  WindowLeft,   // integer
  WindowTop,    // integer
  Spinner,      // integer: an up-down's position
  NumberField,  // integer shown as decimal text in a field
  CheckBox,     // yes/no
  TextField,    // text
};

struct SettingsOption {
  TextView section{};
  TextView key{};         // looked up when loading
  TextView writtenKey{};  // written when saving
  OptionHolder holder = OptionHolder::TextField;
  TextView control{};              // component name; empty for the window position
  std::int32_t defaultNumber = 0;  // integer and yes/no options
  TextView defaultText{};          // text options

  // Done right after this option is loaded: the field that shows the
  // spinner's position as the letter "A" + position, and the controls
  // enabled exactly when the check box `enabledBy` is checked.
  TextView letterField{};
  TextView enabledBy{};
  std::array<TextView, 2> dependents{};
};

// Every persisted option, in the order loading reads them.
std::span<const SettingsOption> settingsOptions();

// The file's path is the executable's with ".ini"; a missing file, section
// or key gives the option's default. Sets every control in table order,
// then the caption of "ID" from the intersection option.
void loadSettings(const ProfileFile& file, OptionControls& controls);

// Writes every option in the file's section order. A write that fails
// throws and ends the saving at that key.
void saveSettings(ProfileFile& file, const OptionControls& controls);

// The caption of the "ID" button, which shows whether picks snap to
// intersections; the check box's click reaction sets it the same way.
Text idButtonCaption(bool intersectionSnap);

}  // namespace zemvo

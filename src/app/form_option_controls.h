#pragma once

#include "app/host.h"
#include "settings/settings_store.h"

namespace zemvo {

class TForm1;

// The form's controls as the settings store reaches them, by component
// name. A name that is not a control of the asked kind is an error.
class FormOptionControls final : public OptionControls {
 public:
  FormOptionControls(TForm1& form, ScreenSize screen) : form_(form), screen_(screen) {}

  std::int32_t windowLeft() const override;
  std::int32_t windowTop() const override;
  void setWindowLeft(std::int32_t left) override;
  void setWindowTop(std::int32_t top) override;
  std::int32_t centredLeft() const override;
  std::int32_t centredTop() const override;
  std::int32_t spinnerPosition(TextView spinner) const override;
  void setSpinnerPosition(TextView spinner, std::int32_t position) override;
  bool checked(TextView checkBox) const override;
  void setChecked(TextView checkBox, bool checked) override;
  Text text(TextView field) const override;
  void setText(TextView field, Text text) override;
  void setEnabled(TextView control, bool enabled) override;
  void setCaption(TextView control, Text caption) override;

 private:
  TForm1& form_;
  ScreenSize screen_;
};

}  // namespace zemvo

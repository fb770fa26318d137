#include "app/form_option_controls.h"

#include "app/zozu23_excel_unit.h"

namespace zemvo {

std::int32_t FormOptionControls::windowLeft() const { return form_.Form1.left(); }
std::int32_t FormOptionControls::windowTop() const { return form_.Form1.top(); }
void FormOptionControls::setWindowLeft(std::int32_t left) { form_.Form1.setLeft(left); }
void FormOptionControls::setWindowTop(std::int32_t top) { form_.Form1.setTop(top); }

// Integer division as the window's default position is computed: a screen
// narrower than the window gives a negative edge, truncated toward zero.
std::int32_t FormOptionControls::centredLeft() const { return (screen_.width - form_.Form1.width()) / 2; }
std::int32_t FormOptionControls::centredTop() const { return (screen_.height - form_.Form1.height()) / 2; }

std::int32_t FormOptionControls::spinnerPosition(TextView spinner) const {
  return form_.controls().get<UpDown>(spinner).position();
}

void FormOptionControls::setSpinnerPosition(TextView spinner, std::int32_t position) {
  form_.controls().get<UpDown>(spinner).setPosition(position);
}

bool FormOptionControls::checked(TextView checkBox) const { return form_.controls().get<CheckBox>(checkBox).checked(); }

void FormOptionControls::setChecked(TextView checkBox, bool checked) {
  form_.controls().get<CheckBox>(checkBox).setChecked(checked);
}

Text FormOptionControls::text(TextView field) const { return form_.controls().get<Edit>(field).text(); }

void FormOptionControls::setText(TextView field, Text text) {
  form_.controls().get<Edit>(field).setText(std::move(text));
}

void FormOptionControls::setEnabled(TextView control, bool enabled) {
  form_.controls().get<Control>(control).setEnabled(enabled);
}

void FormOptionControls::setCaption(TextView control, Text caption) {
  form_.controls().get<Button>(control).setCaption(std::move(caption));
}

}  // namespace zemvo

#include "settings/settings_store.h"

#include <algorithm>
#include <vector>

#include "core/numbers.h"

namespace zemvo {
namespace {

constexpr SettingsOption window(TextView key, OptionHolder holder) {
  return {.section = u"Form", .key = key, .writtenKey = key, .holder = holder};
}

constexpr SettingsOption spinner(TextView section, TextView key, TextView control, std::int32_t defaultValue,
                                 TextView letterField = {}) {
  return {.section = section,
          .key = key,
          .writtenKey = key,
          .holder = OptionHolder::Spinner,
          .control = control,
          .defaultNumber = defaultValue,
          .letterField = letterField};
}

constexpr SettingsOption yesNo(TextView section, TextView key, TextView control, bool defaultValue) {
  return {.section = section,
          .key = key,
          .writtenKey = key,
          .holder = OptionHolder::CheckBox,
          .control = control,
          .defaultNumber = defaultValue ? 1 : 0};
}

constexpr SettingsOption text(TextView section, TextView key, TextView control, TextView defaultValue) {
  return {.section = section,
          .key = key,
          .writtenKey = key,
          .holder = OptionHolder::TextField,
          .control = control,
          .defaultText = defaultValue};
}

constexpr SettingsOption enabling(SettingsOption option, TextView checkBox, std::array<TextView, 2> dependents) {
  option.enabledBy = checkBox;
  option.dependents = dependents;
  return option;
}

constexpr SettingsOption writtenAs(SettingsOption option, TextView writtenKey) {
  option.writtenKey = writtenKey;
  return option;
}

constexpr SettingsOption sleepOption() {
  return {.section = u"DXF",
          .key = u"Sleep",
          .writtenKey = u"Sleep",
          .holder = OptionHolder::NumberField,
          .control = u"Edit26",
          .defaultNumber = 500};
}

constexpr auto kOptions = std::to_array<SettingsOption>({
    window(u"Left", OptionHolder::WindowLeft),
    window(u"Top", OptionHolder::WindowTop),
    spinner(u"Excel", u"ColN", u"UpDown1", 0, u"Edit3"),
    spinner(u"Excel", u"ColX", u"UpDown2", 1, u"Edit4"),
    spinner(u"Excel", u"ColY", u"UpDown3", 2, u"Edit5"),
    spinner(u"Excel", u"ColZ", u"UpDown5", 3, u"Edit21"),
    enabling(yesNo(u"Excel", u"FlagZ", u"CheckBox8", false), u"CheckBox8", {u"UpDown5", u"Edit21"}),
    spinner(u"Excel", u"RowS", u"UpDown4", 1),
    text(u"Excel", u"Dlm", u"Edit7", u"-"),
    yesNo(u"AutoCAD", u"PLINE", u"CheckBox1", false),
    yesNo(u"AutoCAD", u"POINT", u"CheckBox2", true),
    yesNo(u"AutoCAD", u"CIRCLE", u"CheckBox6", true),
    yesNo(u"AutoCAD", u"SORT", u"CheckBox7", false),
    yesNo(u"AutoCAD", u"StrN", u"CheckBox3", true),
    yesNo(u"AutoCAD", u"StrP", u"CheckBox4", true),
    // "閉鎖" belongs to the polyline drawing option "POLYLINE" of the same
    // group, whose click reaction enables it the same way.
    enabling(yesNo(u"AutoCAD", u"Close", u"CheckBox5", false), u"CheckBox21", {u"CheckBox5"}),
    text(u"Layer", u"PLINE", u"Edit2", u"ZEMVO_PLINE"),
    text(u"Layer", u"POINT", u"Edit8", u"ZEMVO_POINT"),
    text(u"Layer", u"CIRCLE", u"Edit18", u"ZEMVO_CIRCLE"),
    text(u"Layer", u"TEXTPT", u"Edit9", u"ZEMVO_TEXTPT"),
    text(u"Layer", u"TEXTXY", u"Edit10", u"ZEMVO_TEXTXY"),
    text(u"Layer", u"TBLLINE", u"Edit11", u"ZEMVO_TBLLINE"),
    text(u"Layer", u"TBLTEXT", u"Edit12", u"ZEMVO_TBLTEXT"),
    text(u"TextSize", u"TEXTPT", u"Edit1", u"2.5"),
    text(u"TextSize", u"TEXTAREA", u"Edit28", u"5.0"),
    text(u"TextSize", u"TEXTXY", u"Edit13", u"1.8"),
    text(u"TextSize", u"TBLTEXT", u"Edit14", u"2.5"),
    text(u"TableSize", u"Height", u"Edit15", u"5.0"),
    text(u"TableSize", u"Width1", u"Edit16", u"25.0"),
    text(u"TableSize", u"Width2", u"Edit17", u"30.0"),
    text(u"TextSize", u"CIRCLE", u"Edit19", u"2.5"),
    // Read in lower case, written capitalised; the lookup ignores case.
    writtenAs(text(u"TextSize", u"ketasuu", u"Edit20", u"3"), u"Ketasuu"),
    yesNo(u"DXF", u"UCS", u"UCS", false),
    sleepOption(),
    yesNo(u"TableScale", u"1/1000", u"CheckBox9", false),
    spinner(u"AutoCAD", u"RoundOff", u"UpDown6", 3),
    spinner(u"AutoCAD", u"IDRoundOff", u"UpDown7", 0),
    yesNo(u"AutoCAD", u"CheckTextLayer", u"CheckBox10", false),
    text(u"AutoCAD", u"TextLayerName", u"Edit29", u""),
    enabling(yesNo(u"AutoCAD", u"StrPZ", u"CheckBox11", false), u"CheckBox4", {u"CheckBox11"}),
    yesNo(u"AutoCAD", u"StrPYX", u"CheckBox12", true),
    yesNo(u"AutoCAD", u"StrPSC", u"CheckBox13", true),
    yesNo(u"SIMAW", u"1/1000", u"CheckBox14", true),
    yesNo(u"SIMAW", u"XYREV", u"CheckBox15", true),
    text(u"SIMAW", u"HEAD", u"Edit30", u"A1"),
    yesNo(u"IDOPTION", u"INT", u"CheckBox16", true),
    yesNo(u"IDOPTION", u"Chk19", u"CheckBox19", true),
    yesNo(u"IDOPTION", u"Chk20", u"CheckBox20", true),
    text(u"IDOPTION", u"Edt33", u"Edit33", u"101"),
    text(u"IDOPTION", u"Edt34", u"Edit34", u"2.5"),
    yesNo(u"Draw", u"CheckBox21", u"CheckBox21", false),
    yesNo(u"Draw", u"CheckBox22", u"CheckBox22", false),
    yesNo(u"Draw", u"CheckBox23", u"CheckBox23", false),
    yesNo(u"Draw", u"CheckBox26", u"CheckBox26", false),
    yesNo(u"DIMSCALE", u"CheckBox24", u"CheckBox24", true),
    yesNo(u"DIMSCALE", u"CheckBox25", u"CheckBox25", true),
    yesNo(u"LISTUP", u"CheckBox27", u"CheckBox27", false),
});
static_assert(kOptions.size() == 57);

// Saving follows the table but keeps "TextSize" together: its last two
// rows (circle radius, table decimals) go ahead of the three "TableSize" rows.
std::vector<const SettingsOption*> saveOrder() {
  std::vector<const SettingsOption*> order;
  for (const SettingsOption& option : kOptions) order.push_back(&option);
  const auto tableSize = std::find_if(order.begin(), order.end(), [](auto* o) { return o->section == u"TableSize"; });
  std::rotate(tableSize, tableSize + 3, tableSize + 5);
  return order;
}

Text letterOf(std::int32_t position) { return Text(1, static_cast<char16_t>(u'A' + position)); }

void loadOption(const ProfileFile& file, const SettingsOption& option, OptionControls& controls) {
  const TextView section = option.section;
  const TextView key = option.key;
  switch (option.holder) {
    case OptionHolder::WindowLeft:
      controls.setWindowLeft(readProfileInteger(file, section, key, controls.centredLeft()));
      break;
    case OptionHolder::WindowTop:
      controls.setWindowTop(readProfileInteger(file, section, key, controls.centredTop()));
      break;
    case OptionHolder::Spinner: {
      const std::int32_t position = readProfileInteger(file, section, key, option.defaultNumber);
      controls.setSpinnerPosition(option.control, position);
      if (!option.letterField.empty()) controls.setText(option.letterField, letterOf(position));
      break;
    }
    case OptionHolder::NumberField:
      controls.setText(option.control, decimalText(readProfileInteger(file, section, key, option.defaultNumber)));
      break;
    case OptionHolder::CheckBox:
      controls.setChecked(option.control, readProfileBool(file, section, key, option.defaultNumber != 0));
      break;
    case OptionHolder::TextField:
      controls.setText(option.control, readProfileText(file, section, key, option.defaultText));
      break;
  }
  if (!option.enabledBy.empty()) {
    const bool enabled = controls.checked(option.enabledBy);
    for (TextView dependent : option.dependents) {
      if (!dependent.empty()) controls.setEnabled(dependent, enabled);
    }
  }
}

Text savedValue(const SettingsOption& option, const OptionControls& controls) {
  switch (option.holder) {
    case OptionHolder::WindowLeft:
      return decimalText(controls.windowLeft());
    case OptionHolder::WindowTop:
      return decimalText(controls.windowTop());
    case OptionHolder::Spinner:
      return decimalText(controls.spinnerPosition(option.control));
    case OptionHolder::NumberField:
      return decimalText(parseInteger(controls.text(option.control)).value_or(option.defaultNumber));
    case OptionHolder::CheckBox:
      return controls.checked(option.control) ? u"1" : u"0";
    case OptionHolder::TextField:
      return controls.text(option.control);
  }
  return {};
}

}  // namespace

std::span<const SettingsOption> settingsOptions() { return kOptions; }

void loadSettings(const ProfileFile& file, OptionControls& controls) {
  for (const SettingsOption& option : kOptions) loadOption(file, option, controls);
  controls.setCaption(u"Button12", idButtonCaption(controls.checked(u"CheckBox16")));
}

void saveSettings(ProfileFile& file, const OptionControls& controls) {
  for (const SettingsOption* option : saveOrder()) {
    file.writeString(option->section, option->writtenKey, savedValue(*option, controls));
  }
}

Text idButtonCaption(bool intersectionSnap) { return intersectionSnap ? u"ID (INT)" : u"ID"; }

}  // namespace zemvo

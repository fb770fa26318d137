#include "settings/settings_store.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "core/cp932.h"
#include "core/error.h"
#include "settings/ini_file.h"

namespace zemvo {
namespace {

// Controls held in maps. A check box counts its click reactions, which run
// only on a change of state, as on the form.
class MapControls final : public OptionControls {
 public:
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::map<Text, std::int32_t, std::less<>> positions;
  std::map<Text, bool, std::less<>> checks;
  std::map<Text, int, std::less<>> clicks;
  std::map<Text, Text, std::less<>> texts;
  std::map<Text, bool, std::less<>> enabled;
  std::map<Text, Text, std::less<>> captions;

  std::int32_t windowLeft() const override { return left; }
  std::int32_t windowTop() const override { return top; }
  void setWindowLeft(std::int32_t value) override { left = value; }
  void setWindowTop(std::int32_t value) override { top = value; }
  std::int32_t centredLeft() const override { return 761; }
  std::int32_t centredTop() const override { return 293; }
  std::int32_t spinnerPosition(TextView spinner) const override { return positions.at(Text(spinner)); }
  void setSpinnerPosition(TextView spinner, std::int32_t position) override { positions[Text(spinner)] = position; }
  bool checked(TextView checkBox) const override {
    const auto found = checks.find(checkBox);
    return found != checks.end() && found->second;
  }
  void setChecked(TextView checkBox, bool value) override {
    if (checked(checkBox) != value) ++clicks[Text(checkBox)];
    checks[Text(checkBox)] = value;
  }
  Text text(TextView field) const override { return texts.at(Text(field)); }
  void setText(TextView field, Text value) override { texts[Text(field)] = std::move(value); }
  void setEnabled(TextView control, bool value) override { enabled[Text(control)] = value; }
  void setCaption(TextView control, Text caption) override { captions[Text(control)] = std::move(caption); }
};

MapControls loaded(std::string_view ini) {
  MapControls controls;
  loadSettings(IniFile::fromBytes(u"Zemvo.ini", ini), controls);
  return controls;
}

std::string saved(const MapControls& controls, std::string_view ini = "") {
  IniFile file = IniFile::fromBytes(u"Zemvo.ini", ini);
  saveSettings(file, controls);
  return file.bytes();
}

TEST(SettingsLoad, ReadsValuesAsTheProfileReadersDo) {
  struct Case {
    const char* name;
    std::string ini;
    const char16_t* control;
    std::int32_t position;  // spinners
    const char16_t* text;   // fields; for spinners the letter field
  };
  const Case cases[] = {
      {"hexadecimal column", "[Excel]\r\nColN=0x2\r\n", u"UpDown1", 2, u"C"},
      {"dollar hexadecimal", "[Excel]\r\nColX=$A\r\n", u"UpDown2", 10, u"K"},
      {"malformed column", "[Excel]\r\nColN=abc\r\n", u"UpDown1", 0, u"A"},
      {"column above Z taken unchecked", "[Excel]\r\nColY=30\r\n", u"UpDown3", 30, u"_"},
      {"missing Z column", "", u"UpDown5", 3, u"D"},
      {"empty first row", "[Excel]\r\nRowS=\r\n", u"UpDown4", 1, nullptr},
      {"negative first row taken", "[Excel]\r\nRowS=-4\r\n", u"UpDown4", -4, nullptr},
      {"empty delimiter", "[Excel]\r\nDlm=\r\n", u"Edit7", 0, u""},
      {"missing delimiter", "", u"Edit7", 0, u"-"},
      {"lower-case decimals key", "[TextSize]\r\nketasuu=5\r\n", u"Edit20", 0, u"5"},
      {"capitalised decimals key", "[textsize]\r\nKETASUU=6\r\n", u"Edit20", 0, u"6"},
      {"search range default", "", u"Edit28", 0, u"5.0"},
      {"next ID name default", "", u"Edit33", 0, u"101"},
      {"SIMA head default", "", u"Edit30", 0, u"A1"},
      {"wait time", "[DXF]\r\nSleep=$10\r\n", u"Edit26", 0, u"16"},
      {"malformed wait time", "[DXF]\r\nSleep=soon\r\n", u"Edit26", 0, u"500"},
      {"acquisition decimals default", "", u"UpDown6", 3, nullptr},
      {"quoted Japanese layer", encodeCp932(u"[Layer]\r\nPLINE=\"外周 線\"\r\n"), u"Edit2", 0, u"外周 線"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const MapControls controls = loaded(c.ini);
    if (controls.positions.contains(c.control)) {
      EXPECT_EQ(controls.positions.at(c.control), c.position);
      const auto option = std::find_if(settingsOptions().begin(), settingsOptions().end(),
                                       [&](const SettingsOption& o) { return o.control == c.control; });
      if (c.text) {
        EXPECT_EQ(controls.texts.at(Text(option->letterField)), c.text);
      }
    } else {
      EXPECT_EQ(controls.texts.at(c.control), c.text);
    }
  }
}

TEST(SettingsLoad, ReadsYesNoAndTheWindowPosition) {
  struct Case {
    const char* name;
    std::string ini;
    const char16_t* checkBox;
    bool checked;
  };
  const Case cases[] = {
      {"names ignore case", "[autocad]\r\npline=1\r\n", u"CheckBox1", true},
      {"two is yes", "[Excel]\r\nFlagZ=2\r\n", u"CheckBox8", true},
      {"letters are malformed: default no", "[Excel]\r\nFlagZ=yes\r\n", u"CheckBox8", false},
      {"letters are malformed: default yes", "[SIMAW]\r\nXYREV=no\r\n", u"CheckBox15", true},
      {"zero is no", "[IDOPTION]\r\nINT=0\r\n", u"CheckBox16", false},
      {"missing: default yes", "", u"CheckBox19", true},
      {"missing: default no", "", u"CheckBox5", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(loaded(c.ini).checks.at(c.checkBox), c.checked);
  }

  const MapControls centred = loaded("");
  EXPECT_EQ(centred.left, 761);
  EXPECT_EQ(centred.top, 293);
  const MapControls stored = loaded("[Form]\r\nLeft=-20\r\nTop=5000\r\n");
  EXPECT_EQ(stored.left, -20);  // off the screen: used unchanged
  EXPECT_EQ(stored.top, 5000);
}

TEST(SettingsLoad, EnablesDependentsAndSetsTheIdCaption) {
  struct Case {
    const char* name;
    std::string ini;
    std::map<Text, bool> enabled;
    const char16_t* idCaption;
  };
  const Case cases[] = {
      {"defaults",
       "",
       {{u"UpDown5", false}, {u"Edit21", false}, {u"CheckBox5", false}, {u"CheckBox11", true}},
       u"ID (INT)"},
      {"Z column and coordinate values on",
       "[Excel]\r\nFlagZ=1\r\n[AutoCAD]\r\nStrP=1\r\n[IDOPTION]\r\nINT=0\r\n",
       {{u"UpDown5", true}, {u"Edit21", true}, {u"CheckBox11", true}},
       u"ID"},
      {"coordinate values off", "[AutoCAD]\r\nStrP=0\r\n", {{u"CheckBox11", false}}, u"ID (INT)"},
      // "閉鎖" follows the polyline drawing option, not the listing one.
      {"listing polylines does not enable 閉鎖", "[AutoCAD]\r\nPLINE=1\r\n", {{u"CheckBox5", false}}, u"ID (INT)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const MapControls controls = loaded(c.ini);
    for (const auto& [control, enabled] : c.enabled)
      EXPECT_EQ(controls.enabled.at(control), enabled) << toUtf8(control);
    EXPECT_EQ(controls.captions.at(u"Button12"), c.idCaption);
  }
}

// Every option written and read back arrives in its own control, whatever
// its place in the file.
TEST(SettingsStore, EveryOptionSurvivesSaveAndLoad) {
  MapControls original = loaded("");
  original.left = 12;
  original.top = -7;
  int n = 0;
  for (const SettingsOption& option : settingsOptions()) {
    ++n;
    const Text control(option.control);
    switch (option.holder) {
      case OptionHolder::Spinner:
        original.positions[control] = 100 + n;
        break;
      case OptionHolder::CheckBox:
        original.checks[control] = option.defaultNumber == 0;
        break;
      case OptionHolder::TextField:
        original.texts[control] = u"値 " + decimalText(n) + u".5";
        break;
      case OptionHolder::NumberField:
        original.texts[control] = decimalText(1000 + n);
        break;
      case OptionHolder::WindowLeft:
      case OptionHolder::WindowTop:
        break;
    }
  }
  const MapControls reloaded = loaded(saved(original));
  EXPECT_EQ(reloaded.left, 12);
  EXPECT_EQ(reloaded.top, -7);
  EXPECT_EQ(reloaded.positions, original.positions);
  EXPECT_EQ(reloaded.checks, original.checks);
  for (const SettingsOption& option : settingsOptions()) {
    if (option.holder == OptionHolder::TextField || option.holder == OptionHolder::NumberField) {
      EXPECT_EQ(reloaded.texts.at(Text(option.control)), original.texts.at(Text(option.control)))
          << toUtf8(option.control);
    }
  }
}

TEST(SettingsSave, WritesValuesAsTheFileHoldsThem) {
  MapControls controls = loaded("");
  controls.texts[u"Edit26"] = u"abc";
  controls.texts[u"Edit14"] = u"3.5";
  controls.texts[u"Edit19"] = u"1.0";
  const std::string file = saved(controls);
  EXPECT_NE(file.find("[DXF]\r\nUCS=0\r\nSleep=500\r\n"), std::string::npos) << file;
  EXPECT_NE(file.find("TBLTEXT=3.5\r\nCIRCLE=1.0\r\nKetasuu=3\r\n[TableSize]"), std::string::npos) << file;

  const MapControls reloaded = loaded(file);
  EXPECT_EQ(reloaded.texts.at(u"Edit14"), u"3.5");
  EXPECT_EQ(reloaded.texts.at(u"Edit19"), u"1.0");
}

TEST(SettingsSave, ReplacesKnownKeysInPlaceAndKeepsEveryOtherLine) {
  const std::string before =
      "; written by hand\r\n"
      "[excel]\r\n"
      "colx=7\r\n"
      "Extra=keep me\r\n"
      "\r\n"
      "[Other]\r\n"
      "a = b\r\n";
  const std::string after = saved(loaded(before), before);
  const std::string expectedStart =
      "; written by hand\r\n"
      "[excel]\r\n"
      "colx=7\r\n"
      "Extra=keep me\r\n"
      "ColN=0\r\n"
      "ColY=2\r\n"
      "ColZ=3\r\n"
      "FlagZ=0\r\n"
      "RowS=1\r\n"
      "Dlm=-\r\n"
      "\r\n"
      "[Other]\r\n"
      "a = b\r\n"
      "[Form]\r\n"
      "Left=761\r\n"
      "Top=293\r\n"
      "[AutoCAD]\r\n";
  EXPECT_EQ(after.substr(0, expectedStart.size()), expectedStart);
}

// A file whose writes fail from one key on, as the platform's profile
// functions can.
class FailingProfile final : public ProfileFile {
 public:
  explicit FailingProfile(Text failingKey) : failingKey_(std::move(failingKey)) {}
  std::vector<Text> written;

  Text readString(TextView, TextView, TextView defaultValue) const override { return Text(defaultValue); }
  void writeString(TextView section, TextView key, TextView) override {
    if (key == failingKey_) throw Error(u"Zemvo.ini に書き込めません");
    written.push_back(Text(section) + u"/" + Text(key));
  }

 private:
  Text failingKey_;
};

TEST(SettingsSave, AFailingWriteEndsTheSavingAtThatKey) {
  FailingProfile file(u"Dlm");
  EXPECT_THROW(saveSettings(file, loaded("")), Error);
  const std::vector<Text> expected{u"Form/Left",  u"Form/Top",   u"Excel/ColN",  u"Excel/ColX",
                                   u"Excel/ColY", u"Excel/ColZ", u"Excel/FlagZ", u"Excel/RowS"};
  EXPECT_EQ(file.written, expected);
}

}  // namespace
}  // namespace zemvo

#include "app/zozu23_excel_unit.h"

#include <initializer_list>

#include "app/application.h"
#include "app/form_option_controls.h"
#include "dxf/dxf_fragment_writer.h"
#include "settings/ini_file.h"
#include "settings/settings_store.h"

namespace zemvo {
namespace {

void setHeaders(StringGrid& grid, std::initializer_list<const char16_t*> headers) {
  int col = 0;
  for (const char16_t* header : headers) grid.setCell(col++, 0, header);
}

}  // namespace

TForm1::TForm1(Host& host, CadLink& cad, WindowSystem& windows)
    : host_(host), cad_(cad), windows_(windows), dispatcher_(host, kApplicationTitle) {
  for (Edit* hidden : {&Edit22, &Edit23, &Edit24, &Edit25}) hidden->setVisible(false);
  // Each dependent control starts as its check box's built state wants it.
  Edit21.setEnabled(CheckBox8.checked());
  UpDown5.setEnabled(CheckBox8.checked());
  CheckBox5.setEnabled(CheckBox21.checked());
  CheckBox7.setEnabled(CheckBox21.checked());
  CheckBox11.setEnabled(CheckBox4.checked());
  GroupBox2.setEnabled(false);
  for (Control* shownOnly : std::initializer_list<Control*>{&GroupBox5, &Label22, &Edit26, &Label23}) {
    shownOnly->setEnabled(false);
  }

  CheckBox8.setHint(u"描画時の2D, 3D と兼用");
  Button1.setHint(u"Excel から座標リストを取得");
  Button2.setHint(u"座標リストをチェックした図形でCADへプロット");
  Button4.setHint(u"CAD から図形を取得し、チェックした図形の座標をリストに追加");
  Button5.setHint(u"現在の座標リストを Excel に転送");
  Button3.setHint(u"X, Y で座標リストを作表");
  Button8.setHint(u"Y, X で座標リストを作表");
  Button13.setHint(u"CAD にプロット（Z値=0)");
  Button12.setHint(u"CAD で座標を指示し、リストに追加 (右クリックで INT 反転)");

  wireReactions();
}

void TForm1::wireReactions() {
  CheckBox4.setClickReaction([this] { CheckBox4Click(); });
  CheckBox8.setClickReaction([this] { CheckBox8Click(); });
  CheckBox16.setClickReaction([this] { CheckBox16Click(); });
  CheckBox21.setClickReaction([this] { CheckBox21Click(); });
  for (CheckBox* listed : {&CheckBox1, &CheckBox2, &CheckBox3, &CheckBox6, &CheckBox27}) {
    listed->setClickReaction([this] { CheckBox1Click(); });
  }
  for (CheckBox* simaRead : {&CheckBox12, &CheckBox13}) simaRead->setClickReaction([this] { CheckBox13Click(); });
  for (CheckBox* simaWrite : {&CheckBox14, &CheckBox15}) simaWrite->setClickReaction([this] { CheckBox14Click(); });
  CheckBox11.setMouseDownReaction([this](MouseButton button) { CheckBox11MouseDown(button); });
  Button12.setMouseDownReaction([this](MouseButton button) { CheckBox11MouseDown(button); });

  Edit31.setChangeReaction([this] { Edit31Change(); });
  PageControl1.setChangeReaction([this] { PageControl1Change(); });

  Button1.setClickReaction([this] { Button1Click(); });
  Button2.setClickReaction([this] { Button2Click(Button2); });
  Button3.setClickReaction([this] { Button3Click(Button3); });
  Button4.setClickReaction([this] { Button4Click(); });
  Button5.setClickReaction([this] { Button5Click(); });
  Button6.setClickReaction([this] { Button6Click(); });
  Button7.setClickReaction([this] { Button7Click(); });
  Button8.setClickReaction([this] { Button3Click(Button8); });
  Button9.setClickReaction([this] { Button9Click(); });
  Button10.setClickReaction([this] { Button10Click(); });
  Button11.setClickReaction([this] { Button11Click(); });
  Button12.setClickReaction([this] { Button12Click(); });
  Button13.setClickReaction([this] { Button2Click(Button13); });
  SpeedButton1.setClickReaction([this] { SpeedButton1Click(); });
  SpeedButton2.setClickReaction([this] { SpeedButton2Click(); });
  SpeedButton3.setClickReaction([this] { SpeedButton3Click(); });

  UpDown1.setClickReaction([this](UpDownButton button) { UpDown1Click(button); });
  UpDown2.setClickReaction([this](UpDownButton button) { UpDown2Click(button); });
  UpDown3.setClickReaction([this](UpDownButton button) { UpDown3Click(button); });
  UpDown4.setClickReaction([this](UpDownButton button) { UpDown4Click(button); });
  UpDown5.setClickReaction([this](UpDownButton button) { UpDown5Click(button); });

  StringGrid1.setCurrentCellReaction([this] { StringGrid1Click(); });
  StringGrid2.setCurrentCellReaction([this] { StringGrid2Click(); });
  StringGrid1.setKeyDownReaction([this](KeyCode& key, ShiftState shift) { StringGrid1KeyDown(key, shift); });
  StringGrid2.setKeyDownReaction([this](KeyCode& key, ShiftState shift) { StringGrid2KeyDown(key, shift); });
  StringGrid3.setKeyDownReaction([this](KeyCode& key, ShiftState shift) { StringGrid3KeyDown(key, shift); });
  StringGrid4.setKeyDownReaction([this](KeyCode& key, ShiftState shift) { StringGrid4KeyDown(key, shift); });
  StringGrid2.setFixedCellClickReaction([this](int col, int row) { StringGrid2FixedCellClick(col, row); });

  N1.setClickReaction([this] { N1Click(); });
  N2.setClickReaction([this] { N2Click(); });
  N4.setClickReaction([this] { N4Click(); });
  N5.setClickReaction([this] { N5Click(); });
  N7.setClickReaction([this] { N7Click(); });
  N8.setClickReaction([this] { N8Click(); });
  N10.setClickReaction([this] { N10Click(); });
  N12.setClickReaction([this] { N12Click(); });
  N13.setClickReaction([this] { N13Click(); });
  N15.setClickReaction([this] { N15Click(); });
  N17.setClickReaction([this] { N17Click(); });
}

void TForm1::FormCreate() {
  Edit31.setText(u"");
  StringGrid1.setColCount(5);
  setHeaders(StringGrid1, {u" 測点", u" X座標", u" Y座標", u" Z座標", u" PLOT No."});
  setHeaders(StringGrid2, {u" TEXT", u" X座標", u" Y座標", u" Z座標"});
  for (StringGrid* sima : {&StringGrid3, &StringGrid4}) {
    setHeaders(*sima, {u" コード", u" 点番号", u" 測点名", u" X座標", u" Y座標", u" Z座標"});
  }
  const Text executable = host_.executablePath();
  fragmentPath_ = besideExecutable(executable, u".dxf");
  iniPath_ = besideExecutable(executable, u".ini");
  FormOptionControls options(*this, host_.screenSize());
  loadSettings(IniFile::load(iniPath_), options);
  PageControl1.setActivePageIndex(0);
}

void TForm1::FormDestroy() {
  // A failed save is shown, and the references are released all the same.
  dispatcher_.showErrorsOf([this] {
    if (iniPath_.empty()) return;  // creation failed before the paths were known
    IniFile file = IniFile::load(iniPath_);
    FormOptionControls options(*this, host_.screenSize());
    saveSettings(file, options);
    file.save();
  });
  WorkSheet.reset();
  WorkBook.reset();
  MSExcel.reset();
}

void TForm1::CheckBox4Click() { CheckBox11.setEnabled(CheckBox4.checked()); }

void TForm1::CheckBox8Click() {
  Edit21.setEnabled(CheckBox8.checked());
  UpDown5.setEnabled(CheckBox8.checked());
}

void TForm1::CheckBox16Click() { Button12.setCaption(idButtonCaption(CheckBox16.checked())); }

void TForm1::CheckBox21Click() {
  CheckBox5.setEnabled(CheckBox21.checked());
  CheckBox7.setEnabled(CheckBox21.checked());
}

void TForm1::CheckBox11MouseDown(MouseButton button) {
  if (button == MouseButton::Right) CheckBox16.setChecked(!CheckBox16.checked());
}

void TForm1::Edit31Change() { StringGrid1.invalidate(); }

void TForm1::PageControl1Change() {}

void TForm1::N12Click() { host_.showAboutBox(TAboutBox{}); }

// Filled by the issues of the commands they belong to.
void TForm1::Button1Click() {}
void TForm1::Button4Click() {}
void TForm1::Button5Click() {}
void TForm1::Button12Click() {}
void TForm1::SpeedButton3Click() {}
void TForm1::CheckBox1Click() {}
void TForm1::UpDown1Click(UpDownButton) {}
void TForm1::UpDown2Click(UpDownButton) {}
void TForm1::UpDown3Click(UpDownButton) {}
void TForm1::UpDown4Click(UpDownButton) {}
void TForm1::UpDown5Click(UpDownButton) {}
void TForm1::StringGrid1Click() {}
void TForm1::StringGrid1KeyDown(KeyCode&, ShiftState) {}
void TForm1::N1Click() {}
void TForm1::N2Click() {}
void TForm1::N4Click() {}
void TForm1::N5Click() {}
void TForm1::N7Click() {}
void TForm1::N8Click() {}
void TForm1::N10Click() {}
void TForm1::N13Click() {}
void TForm1::N15Click() {}
void TForm1::N17Click() {}
void TForm1::SpeedButton2Click() {}
void TForm1::Button6Click() {}
void TForm1::Button7Click() {}
void TForm1::SpeedButton1Click() {}
void TForm1::StringGrid2Click() {}
void TForm1::StringGrid2KeyDown(KeyCode&, ShiftState) {}
void TForm1::StringGrid2FixedCellClick(int, int) {}
void TForm1::Button9Click() {}
void TForm1::CheckBox13Click() {}
void TForm1::StringGrid3KeyDown(KeyCode&, ShiftState) {}
void TForm1::Button10Click() {}
void TForm1::Button11Click() {}
void TForm1::CheckBox14Click() {}
void TForm1::StringGrid4KeyDown(KeyCode&, ShiftState) {}

}  // namespace zemvo

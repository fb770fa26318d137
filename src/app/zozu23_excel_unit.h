#pragma once

#include <functional>

#include "app/button.h"
#include "app/captioned.h"
#include "app/check_box.h"
#include "app/control.h"
#include "app/dispatcher.h"
#include "app/edit.h"
#include "app/file_dialog.h"
#include "app/form_window.h"
#include "app/grid_control.h"
#include "app/host.h"
#include "app/input_events.h"
#include "app/page_control.h"
#include "app/popup_menu.h"
#include "app/progress_bar.h"
#include "app/status_bar.h"
#include "app/up_down.h"
#include "cad/acad_ctrl2016.h"
#include "cad/cad_link.h"
#include "cad/window_system.h"
#include "core/variant.h"
#include "dxf/coordinate_table.h"
#include "dxf/plot_generator.h"

namespace zemvo {

// The main window: every control as the window is built (before the stored
// settings are applied), every handler, and the state the handlers share.
// The view creates a window per control, mirrors the models and turns the
// user's input into calls of `run`.
class TForm1 {
 public:
  TForm1(Host& host, CadLink& cad, WindowSystem& windows);
  TForm1(const TForm1&) = delete;
  TForm1& operator=(const TForm1&) = delete;

  // Runs a handler unless another one runs; an error that escapes it is
  // shown as the general error message. False when it did not run.
  bool run(const std::function<void()>& handler) { return dispatcher_.run(handler); }
  bool handlerRunning() const { return dispatcher_.running(); }

  const ControlRegistry& controls() const { return controls_; }
  // Beside the executable: derived once, when the window is created.
  const Text& fragmentPath() const { return fragmentPath_; }
  const Text& iniPath() const { return iniPath_; }

  // Start-up and shutdown.
  void FormCreate();
  void FormDestroy();

  // Dependent enabling and captions.
  void CheckBox4Click();
  void CheckBox8Click();
  void CheckBox16Click();
  void CheckBox21Click();
  void CheckBox11MouseDown(MouseButton button);  // also of Button12
  void Edit31Change();
  void PageControl1Change();
  void N12Click();

  // Commands of the main tab.
  void Button1Click();
  // "CADへ" and "CADへ (Z=0)" share one handler, as do "XY 作表" and "YX 作表";
  // the sender tells them apart.
  void Button2Click(const Button& sender);
  void Button3Click(const Button& sender);
  void Button4Click();
  void Button5Click();
  void Button12Click();
  void SpeedButton3Click();
  void CheckBox1Click();  // also of CheckBox2, CheckBox3, CheckBox6, CheckBox27
  void UpDown1Click(UpDownButton button);
  void UpDown2Click(UpDownButton button);
  void UpDown3Click(UpDownButton button);
  void UpDown4Click(UpDownButton button);
  void UpDown5Click(UpDownButton button);
  void StringGrid1Click();
  void StringGrid1KeyDown(KeyCode& key, ShiftState shift);
  void N1Click();
  void N2Click();
  void N4Click();
  void N5Click();
  void N7Click();
  void N8Click();
  void N10Click();
  void N13Click();
  void N15Click();
  void N17Click();
  // The other tabs.
  void SpeedButton2Click();
  void Button6Click();
  void Button7Click();
  void SpeedButton1Click();
  void StringGrid2Click();
  void StringGrid2KeyDown(KeyCode& key, ShiftState shift);
  void StringGrid2FixedCellClick(int col, int row);
  void Button9Click();
  void CheckBox13Click();  // also of CheckBox12
  void StringGrid3KeyDown(KeyCode& key, ShiftState shift);
  void Button10Click();
  void Button11Click();
  void CheckBox14Click();  // also of CheckBox15
  void StringGrid4KeyDown(KeyCode& key, ShiftState shift);

  // State the handlers share: the attached spreadsheet, held from one
  // attach to the next, and the flag of the list rebuild.
  WindowHandle EXcelHandle = 0;
  ObjectRef MSExcel;
  ObjectRef WorkBook;
  ObjectRef WorkSheet;
  bool entToSlFlag = false;

 private:
  void wireReactions();
  PlotOptions plotOptions() const;
  TableOptions tableOptions(bool yx) const;

  Host& host_;
  CadLink& cad_;
  WindowSystem& windows_;
  AcadCtrl2016 acadCtrl_{windows_};
  Dispatcher dispatcher_;
  Text fragmentPath_;
  Text iniPath_;
  ControlRegistry controls_;  // before the controls, which register with it

 public:
  // The window: client area 391 x 464 in a fixed single frame.
  FormWindow Form1{controls_, u"Form1", u"Zozu23_Zemvo 2023.02.10  for BricsCAD V23", 397, 493};
  PageControl PageControl1{controls_, u"PageControl1", u"Form1"};
  TabSheet TabSheet1{controls_, PageControl1, u"TabSheet1", u" メイン "};
  TabSheet TabSheet2{controls_, PageControl1, u"TabSheet2", u" 作図設定 "};
  TabSheet TabSheet3{controls_, PageControl1, u"TabSheet3", u" 取得, ID 設定 "};
  TabSheet TabSheet4{controls_, PageControl1, u"TabSheet4", u" TEXT "};
  TabSheet TabSheet5{controls_, PageControl1, u"TabSheet5", u" SIMA/R "};
  TabSheet TabSheet6{controls_, PageControl1, u"TabSheet6", u" SIMA/W "};

  // " メイン ": spreadsheet columns and first row.
  GroupBox GroupBox1{controls_, u"GroupBox1", u"TabSheet1", u"Excel"};
  Edit Edit22{controls_, u"Edit22", u"GroupBox1", {.text = u"0"}};
  Edit Edit23{controls_, u"Edit23", u"GroupBox1", {.text = u"1"}};
  Edit Edit24{controls_, u"Edit24", u"GroupBox1", {.text = u"2"}};
  Edit Edit25{controls_, u"Edit25", u"GroupBox1", {.text = u"3"}};
  Label Label1{controls_, u"Label1", u"GroupBox1", u"測点名"};
  Edit Edit3{controls_, u"Edit3", u"GroupBox1", {.text = u"A", .readOnly = true}};
  UpDown UpDown1{controls_, u"UpDown1", u"GroupBox1", {.min = 0, .max = 25, .position = 0, .associate = &Edit22}};
  Label Label2{controls_, u"Label2", u"GroupBox1", u"X座標"};
  Edit Edit4{controls_, u"Edit4", u"GroupBox1", {.text = u"B", .readOnly = true}};
  UpDown UpDown2{controls_, u"UpDown2", u"GroupBox1", {.min = 0, .max = 25, .position = 1, .associate = &Edit23}};
  Label Label3{controls_, u"Label3", u"GroupBox1", u"Y座標"};
  Edit Edit5{controls_, u"Edit5", u"GroupBox1", {.text = u"C", .readOnly = true}};
  UpDown UpDown3{controls_, u"UpDown3", u"GroupBox1", {.min = 0, .max = 25, .position = 2, .associate = &Edit24}};
  CheckBox CheckBox8{controls_, u"CheckBox8", u"GroupBox1", {.caption = u"Z座標"}};
  Edit Edit21{controls_, u"Edit21", u"GroupBox1", {.text = u"D", .readOnly = true}};
  UpDown UpDown5{controls_, u"UpDown5", u"GroupBox1", {.min = 0, .max = 25, .position = 3, .associate = &Edit25}};
  Label Label4{controls_, u"Label4", u"GroupBox1", u"開始行"};
  Edit Edit6{controls_, u"Edit6", u"GroupBox1", {.text = u"1", .readOnly = true}};
  UpDown UpDown4{controls_, u"UpDown4", u"GroupBox1", {.min = 1, .max = 10000, .position = 1, .associate = &Edit6}};

  // " メイン ": which collected entity kinds are listed.
  GroupBox GroupBox2{controls_, u"GroupBox2", u"TabSheet1", u"リスト表示"};
  CheckBox CheckBox1{controls_, u"CheckBox1", u"GroupBox2", {.caption = u"POLYLINE"}};
  CheckBox CheckBox2{controls_, u"CheckBox2", u"GroupBox2", {.caption = u"POINT", .checked = true}};
  CheckBox CheckBox6{controls_, u"CheckBox6", u"GroupBox2", {.caption = u"CIRCLE", .checked = true}};
  CheckBox CheckBox3{controls_, u"CheckBox3", u"GroupBox2", {.caption = u"測点名検索", .checked = true}};
  CheckBox CheckBox27{controls_, u"CheckBox27", u"GroupBox2", {.caption = u"TEXT"}};
  CheckBox UCS{controls_, u"UCS", u"GroupBox2", {.caption = u"UCS"}};

  // " メイン ": what "CADへ" draws.
  GroupBox GroupBox8{controls_, u"GroupBox8", u"TabSheet1", u"CAD 描画"};
  CheckBox CheckBox21{controls_, u"CheckBox21", u"GroupBox8", {.caption = u"POLYLINE"}};
  CheckBox CheckBox5{controls_, u"CheckBox5", u"GroupBox8", {.caption = u"閉鎖", .checked = true}};
  CheckBox CheckBox7{controls_, u"CheckBox7", u"GroupBox8", {.caption = u"2点目以降座標順"}};
  Label Label5{controls_, u"Label5", u"GroupBox8", u"区切文字"};
  Edit Edit7{controls_, u"Edit7", u"GroupBox8", {.alignment = Alignment::Centre}};
  Label Label21{controls_, u"Label21", u"GroupBox8", u"(1文字)"};
  CheckBox CheckBox22{controls_, u"CheckBox22", u"GroupBox8", {.caption = u"POINT"}};
  CheckBox CheckBox26{controls_, u"CheckBox26", u"GroupBox8", {.caption = u"CIRCLE"}};
  CheckBox CheckBox23{controls_, u"CheckBox23", u"GroupBox8", {.caption = u"測点名"}};
  CheckBox CheckBox4{controls_, u"CheckBox4", u"GroupBox8", {.caption = u"座標値（", .checked = true}};
  CheckBox CheckBox11{controls_, u"CheckBox11", u"GroupBox8", {.caption = u"Z値のみ）"}};

  // " メイン ": commands, ID picking, plot range, the list.
  Button Button1{controls_, u"Button1", u"TabSheet1", u"Exceｌから"};
  Button Button2{controls_, u"Button2", u"TabSheet1", u"CADへ"};
  Button Button4{controls_, u"Button4", u"TabSheet1", u"CADから"};
  Button Button5{controls_, u"Button5", u"TabSheet1", u"Excelへ"};
  Button Button3{controls_, u"Button3", u"TabSheet1", u"XY 作表"};
  Button Button8{controls_, u"Button8", u"TabSheet1", u"YX 作表"};
  Button Button13{controls_, u"Button13", u"TabSheet1", u"CADへ (Z=0)"};
  Button Button12{controls_, u"Button12", u"TabSheet1", u"ID"};
  CheckBox CheckBox19{controls_, u"CheckBox19", u"TabSheet1", {.caption = u" ID で測点名プロット"}};
  Edit Edit33{controls_, u"Edit33", u"TabSheet1", {.text = u"A-1"}};  // red, bold, 13 pixels
  Label Label30{controls_, u"Label30", u"TabSheet1", u"プロット範囲"};
  Label Label29{controls_, u"Label29", u"TabSheet1", u"(ex: 1-3, 5, 7, 9-)"};
  Edit Edit31{controls_, u"Edit31", u"TabSheet1", {.text = u"1-3,6,7"}};
  CheckBox CheckBox18{controls_, u"CheckBox18", u"TabSheet1", {.caption = u"常にPAN"}};
  Button SpeedButton3{controls_, u"SpeedButton3", u"TabSheet1", u"PAN"};
  GridControl StringGrid1{
      controls_,
      u"StringGrid1",
      u"TabSheet1",
      {.colCount = 4,
       .defaultColWidth = 71,
       .options = {
           .editable = true, .columnsMovable = true, .thumbTracking = true, .scrollBars = ScrollBars::Vertical}}};
  ProgressBar ProgressBar1{controls_, u"ProgressBar1", u"TabSheet1"};
  StatusBar StatusBar1{controls_, u"StatusBar1", u"TabSheet1"};

  PopupMenu PopupMenu1{controls_, u"PopupMenu1", u"StringGrid1"};
  MenuItem N1{controls_, PopupMenu1, u"N1", u"選択範囲をコピー"};
  MenuItem N2{controls_, PopupMenu1, u"N2", u"すべてコピー"};
  MenuItem N3{controls_, PopupMenu1, u"N3", u"-"};
  MenuItem N4{controls_, PopupMenu1, u"N4", u"現在セルから貼り付け（ペースト）"};
  MenuItem N5{controls_, PopupMenu1, u"N5", u"先頭セルから貼り付け（ペースト）"};
  MenuItem N6{controls_, PopupMenu1, u"N6", u"-"};
  MenuItem N8{controls_, PopupMenu1, u"N8", u"選択範囲をクリア"};
  MenuItem N7{controls_, PopupMenu1, u"N7", u"表示データをすべてクリア"};
  MenuItem N17{controls_, PopupMenu1, u"N17", u"内部データをすべてクリア"};
  MenuItem N9{controls_, PopupMenu1, u"N9", u"-"};
  MenuItem N10{controls_, PopupMenu1, u"N10", u"測点名でソート"};
  MenuItem N15{controls_, PopupMenu1, u"N15", u"測点名の番号のみでソート"};
  MenuItem N14{controls_, PopupMenu1, u"N14", u"-"};
  MenuItem N13{controls_, PopupMenu1, u"N13", u"同じ行データを整理"};
  MenuItem N11{controls_, PopupMenu1, u"N11", u"-"};
  MenuItem N12{controls_, PopupMenu1, u"N12", u"バージョン情報"};

  // " 作図設定 ": layers of drawn entities.
  GroupBox GroupBox4{controls_, u"GroupBox4", u"TabSheet2", u"作成画層"};
  Label Label7{controls_, u"Label7", u"GroupBox4", u"PLINE"};
  Edit Edit2{controls_, u"Edit2", u"GroupBox4", {.text = u"ZEMVO_PLINE"}};
  Label Label8{controls_, u"Label8", u"GroupBox4", u"POINT"};
  Edit Edit8{controls_, u"Edit8", u"GroupBox4", {.text = u"ZEMVO_POINT"}};
  Label Label18{controls_, u"Label18", u"GroupBox4", u"CIRCLE"};
  Edit Edit18{controls_, u"Edit18", u"GroupBox4", {.text = u"ZEMVO_CIRCLE"}};
  Label Label9{controls_, u"Label9", u"GroupBox4", u"測点名"};
  Edit Edit9{controls_, u"Edit9", u"GroupBox4", {.text = u"ZEMVO_TEXTPT"}};
  Label Label10{controls_, u"Label10", u"GroupBox4", u"座標値"};
  Edit Edit10{controls_, u"Edit10", u"GroupBox4", {.text = u"ZEMVO_TEXTXY"}};
  Label Label11{controls_, u"Label11", u"GroupBox4", u"表枠"};
  Edit Edit11{controls_, u"Edit11", u"GroupBox4", {.text = u"ZEMVO_TBLLINE"}};
  Label Label12{controls_, u"Label12", u"GroupBox4", u"表文字"};
  Edit Edit12{controls_, u"Edit12", u"GroupBox4", {.text = u"ZEMVO_TBLTEXT"}};

  // " 作図設定 ": text and table sizes.
  GroupBox GroupBox3{controls_, u"GroupBox3", u"TabSheet2", u"作成文字、表ｻｲｽﾞ"};
  Label Label6{controls_, u"Label6", u"GroupBox3", u"測点名"};
  Edit Edit1{controls_, u"Edit1", u"GroupBox3", {.text = u"2.5", .alignment = Alignment::Right}};
  Label Label13{controls_, u"Label13", u"GroupBox3", u"座標値"};
  Edit Edit13{controls_, u"Edit13", u"GroupBox3", {.text = u"1.8", .alignment = Alignment::Right}};
  Label Label14{controls_, u"Label14", u"GroupBox3", u"表文字"};
  Edit Edit14{controls_, u"Edit14", u"GroupBox3", {.text = u"2.5", .alignment = Alignment::Right}};
  Label Label15{controls_, u"Label15", u"GroupBox3", u"一行高さ"};
  Edit Edit15{controls_, u"Edit15", u"GroupBox3", {.text = u"5", .alignment = Alignment::Right}};
  Label Label16{controls_, u"Label16", u"GroupBox3", u"列幅(測点）"};
  Edit Edit16{controls_, u"Edit16", u"GroupBox3", {.text = u"25", .alignment = Alignment::Right}};
  Label Label17{controls_, u"Label17", u"GroupBox3", u"列幅（座標値）"};
  Edit Edit17{controls_, u"Edit17", u"GroupBox3", {.text = u"30", .alignment = Alignment::Right}};
  Label Label19{controls_, u"Label19", u"GroupBox3", u"半径"};
  Edit Edit19{controls_, u"Edit19", u"GroupBox3", {.text = u"2.5", .alignment = Alignment::Right}};
  Label Label20{controls_, u"Label20", u"GroupBox3", u"作表 少数桁数"};
  Edit Edit20{controls_, u"Edit20", u"GroupBox3", {.text = u"3", .alignment = Alignment::Right}};
  Label Label26{controls_, u"Label26", u"GroupBox3", u"作表の座標値"};
  CheckBox CheckBox9{controls_, u"CheckBox9", u"GroupBox3", {.caption = u"1/1000"}};
  CheckBox CheckBox24{controls_, u"CheckBox24", u"GroupBox3", {.caption = u"上記数値を DIMSCALE 倍", .checked = true}};

  // " 取得, ID 設定 ": acquisition from the drawing.
  GroupBox GroupBox6{controls_, u"GroupBox6", u"TabSheet3", u""};
  Label Label24{controls_, u"Label24", u"GroupBox6", u"CAD から座標取得時の少数桁数"};
  Edit Edit27{controls_, u"Edit27", u"GroupBox6", {.text = u"0", .alignment = Alignment::Centre}};
  UpDown UpDown6{controls_,
                 u"UpDown6",
                 u"GroupBox6",
                 {.min = 0, .max = 8, .position = 0, .associate = &Edit27, .horizontal = true}};
  Label Label25{controls_, u"Label25", u"GroupBox6", u"測点名検索範囲"};
  Edit Edit28{controls_, u"Edit28", u"GroupBox6", {.text = u"2.5"}};
  CheckBox CheckBox25{controls_, u"CheckBox25", u"GroupBox6", {.caption = u"DIMSCALE 倍", .checked = true}};
  CheckBox CheckBox10{controls_, u"CheckBox10", u"GroupBox6", {.caption = u"測点名検索画層"}};
  Edit Edit29{controls_, u"Edit29", u"GroupBox6", {}};
  Button SpeedButton2{controls_, u"SpeedButton2", u"GroupBox6", u"画層取得"};

  // " 取得, ID 設定 ": ID picking.
  GroupBox GroupBox7{controls_, u"GroupBox7", u"TabSheet3", u"ID"};
  Label Label31{controls_, u"Label31", u"GroupBox7", u"CAD から取得時の少数桁数"};
  Edit Edit32{controls_, u"Edit32", u"GroupBox7", {.text = u"0"}};
  UpDown UpDown7{controls_,
                 u"UpDown7",
                 u"GroupBox7",
                 {.min = 0, .max = 8, .position = 0, .associate = &Edit32, .horizontal = true}};
  Label Label33{controls_, u"Label33", u"GroupBox7", u"測点名プロットの文字サイズ"};
  Edit Edit34{controls_, u"Edit34", u"GroupBox7", {.text = u"2.5"}};
  CheckBox CheckBox20{controls_, u"CheckBox20", u"GroupBox7", {.caption = u"DIMSCALE 倍", .checked = true}};
  CheckBox CheckBox16{controls_,
                      u"CheckBox16",
                      u"GroupBox7",
                      {.caption = u"交点 ( INT ) オプション ( [ ID ] ボタンの右クリックでも反転）", .checked = true}};

  // " 取得, ID 設定 ": the stored wait time, shown only.
  GroupBox GroupBox5{controls_, u"GroupBox5", u"TabSheet3", u""};
  Label Label22{controls_, u"Label22", u"GroupBox5", u"DXFファイル作成待ち"};
  Edit Edit26{controls_, u"Edit26", u"GroupBox5", {.text = u"500"}};
  Label Label23{controls_, u"Label23", u"GroupBox5", u"(msec)"};

  // " TEXT "
  Button Button6{controls_, u"Button6", u"TabSheet4", u"TEXT 取得"};
  Button Button7{controls_, u"Button7", u"TabSheet4", u"Excelへ"};
  Label Label32{controls_, u"Label32", u"TabSheet4", u"↓項目名クリックでソート"};  // 11 pixels
  CheckBox CheckBox17{controls_, u"CheckBox17", u"TabSheet4", {.caption = u"常にPAN"}};
  Button SpeedButton1{controls_, u"SpeedButton1", u"TabSheet4", u"PAN"};
  GridControl StringGrid2{controls_,
                          u"StringGrid2",
                          u"TabSheet4",
                          {.colCount = 4,
                           .defaultColWidth = 87,
                           .options = {.columnsResizable = true, .fixedCellClicks = true, .thumbTracking = true}}};
  ProgressBar ProgressBar2{controls_, u"ProgressBar2", u"TabSheet4"};

  // " SIMA/R "
  Button Button9{controls_, u"Button9", u"TabSheet5", u"読み込み"};
  CheckBox CheckBox13{controls_, u"CheckBox13", u"TabSheet5", {.caption = u"×1000", .checked = true}};
  CheckBox CheckBox12{controls_, u"CheckBox12", u"TabSheet5", {.caption = u"X-Y 反転", .checked = true}};
  Label Label27{controls_, u"Label27", u"TabSheet5", u"(メインへ転記)"};
  GridControl StringGrid3{controls_,
                          u"StringGrid3",
                          u"TabSheet5",
                          {.colCount = 6,
                           .defaultColWidth = 58,
                           .options = {.columnsMovable = true, .columnsResizable = true, .thumbTracking = true}}};
  FileDialog OpenTextFileDialog1{controls_, u"OpenTextFileDialog1", FileDialogKind::Open, u"*.sim|*.sim|*.*|*.*"};

  // " SIMA/W "
  Button Button10{controls_, u"Button10", u"TabSheet6", u"データ作成"};
  CheckBox CheckBox14{controls_, u"CheckBox14", u"TabSheet6", {.caption = u"1/1000"}};
  CheckBox CheckBox15{controls_, u"CheckBox15", u"TabSheet6", {.caption = u"X-Y 反転"}};
  Label Label28{controls_, u"Label28", u"TabSheet6", u"測点名："};
  Edit Edit30{controls_, u"Edit30", u"TabSheet6", {.text = u"A-1"}};
  Button Button11{controls_, u"Button11", u"TabSheet6", u"保存"};
  GridControl StringGrid4{
      controls_, u"StringGrid4", u"TabSheet6", {.colCount = 6, .defaultColWidth = 58, .options = {.editable = true}}};
  FileDialog SaveTextFileDialog1{controls_, u"SaveTextFileDialog1", FileDialogKind::Save, u"*.sim|*.sim"};
};

}  // namespace zemvo

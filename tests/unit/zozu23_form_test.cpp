#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/zozu23_excel_unit.h"
#include "core/error.h"
#include "fakes/fake_cad_link.h"
#include "fakes/fake_host.h"
#include "fakes/fake_window_system.h"

namespace zemvo {
namespace {

namespace fs = std::filesystem;

// A form whose executable lies in a fresh folder of its own.
class FormTest : public ::testing::Test {
 protected:
  FormTest() {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    folder_ = fs::path(::testing::TempDir()) / "zemvo_form_test" / test->name();
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    host.executable = fromUtf8((folder_ / "Zemvo.exe").string());
  }
  ~FormTest() override {
    std::error_code ignored;
    fs::permissions(ini(), fs::perms::owner_all, ignored);
    fs::remove_all(folder_, ignored);
  }

  fs::path ini() const { return folder_ / "Zemvo.ini"; }
  void writeIni(const std::string& bytes) const { std::ofstream(ini(), std::ios::binary) << bytes; }
  std::string readIni() const {
    std::ifstream in(ini(), std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
  }

  fakes::FakeHost host;
  fakes::FakeCadLink cad;
  fakes::FakeWindowSystem windows;
  TForm1 form{host, cad, windows};

 private:
  fs::path folder_;
};

TEST_F(FormTest, CreationEmptiesThePlotRangeSetsTheGridsAndShowsTheMainTab) {
  std::vector<GridChange> mainGrid;
  form.StringGrid1.setGridListener([&](GridChange change) { mainGrid.push_back(change); });
  form.PageControl1.setActivePageIndex(3);

  EXPECT_TRUE(form.run([&] { form.FormCreate(); }));

  EXPECT_TRUE(host.messages.empty());
  EXPECT_EQ(form.Edit31.text(), u"");
  ASSERT_FALSE(mainGrid.empty());
  EXPECT_EQ(mainGrid.front(), GridChange::Repaint);  // the range's change repaints the list
  EXPECT_EQ(form.PageControl1.activePageIndex(), 0);

  const std::vector<Text> mainHeaders{u" 測点", u" X座標", u" Y座標", u" Z座標", u" PLOT No."};
  const std::vector<Text> textHeaders{u" TEXT", u" X座標", u" Y座標", u" Z座標"};
  const std::vector<Text> simaHeaders{u" コード", u" 点番号", u" 測点名", u" X座標", u" Y座標", u" Z座標"};
  EXPECT_EQ(form.StringGrid1.rowCells(0), mainHeaders);
  EXPECT_EQ(form.StringGrid2.rowCells(0), textHeaders);
  EXPECT_EQ(form.StringGrid3.rowCells(0), simaHeaders);
  EXPECT_EQ(form.StringGrid4.rowCells(0), simaHeaders);
  // Four empty data rows, PLOT No. cells included.
  EXPECT_EQ(form.StringGrid1.rowCount(), 5);
  for (int row = 1; row < 5; ++row) EXPECT_EQ(form.StringGrid1.rowCells(row), std::vector<Text>(5)) << row;
}

TEST_F(FormTest, DerivesTheFilesBesideTheExecutableOnce) {
  const std::pair<const char16_t*, const char16_t*> cases[] = {
      {u"C:\\Program Files\\Zemvo\\Zemvo.exe", u"C:\\Program Files\\Zemvo\\Zemvo"},
      {u"C:\\Tools.v2\\zemvo", u"C:\\Tools.v2\\zemvo"},  // a dot in a folder is no extension
      {u"D:\\a.b.exe", u"D:\\a.b"},
  };
  for (const auto& [executable, base] : cases) {
    fakes::FakeHost otherHost;
    otherHost.executable = executable;
    TForm1 other(otherHost, cad, windows);
    other.run([&] { other.FormCreate(); });
    EXPECT_EQ(other.fragmentPath(), Text(base) + u".dxf");
    EXPECT_EQ(other.iniPath(), Text(base) + u".ini");
    otherHost.executable = u"C:\\elsewhere\\x.exe";
    other.run([&] { other.CheckBox16.setChecked(false); });
    EXPECT_EQ(other.fragmentPath(), Text(base) + u".dxf");
  }
}

TEST_F(FormTest, CheckBoxesEnableTheirDependentsFromCodeAsFromAUser) {
  form.run([&] { form.FormCreate(); });
  struct Case {
    CheckBox& box;
    std::vector<Control*> dependents;
  };
  const Case cases[] = {
      {form.CheckBox21, {&form.CheckBox5, &form.CheckBox7}},
      {form.CheckBox4, {&form.CheckBox11}},
      {form.CheckBox8, {&form.Edit21, &form.UpDown5}},
  };
  for (const Case& c : cases) {
    for (bool checked : {true, false, true}) {
      form.run([&] { c.box.setChecked(checked); });
      for (Control* dependent : c.dependents) {
        EXPECT_EQ(dependent->enabled(), checked) << toUtf8(c.box.name()) << " " << toUtf8(dependent->name());
      }
    }
  }

  form.run([&] { form.CheckBox16.setChecked(false); });
  EXPECT_EQ(form.Button12.caption(), u"ID");
  form.run([&] { form.Button12.mouseDown(MouseButton::Right); });
  EXPECT_TRUE(form.CheckBox16.checked());
  EXPECT_EQ(form.Button12.caption(), u"ID (INT)");
  form.run([&] { form.CheckBox11.mouseDown(MouseButton::Right); });
  form.run([&] { form.Button12.mouseDown(MouseButton::Left); });
  EXPECT_FALSE(form.CheckBox16.checked());
  EXPECT_EQ(form.Button12.caption(), u"ID");
}

// A click reaction runs at start only where the stored state differs from
// the built one.
TEST_F(FormTest, LoadingRunsAClickReactionOncePerChangedCheckBox) {
  struct Case {
    const char* name;
    std::string ini;
    std::map<Text, int> reactions;
  };
  const Case cases[] = {
      {"no file",
       "",
       {{u"CheckBox1", 0}, {u"CheckBox2", 0}, {u"CheckBox14", 1}, {u"CheckBox15", 1}, {u"CheckBox16", 0}}},
      {"stored as built",
       "[AutoCAD]\r\nPLINE=0\r\nPOINT=1\r\n[SIMAW]\r\n1/1000=0\r\nXYREV=0\r\n",
       {{u"CheckBox1", 0}, {u"CheckBox2", 0}, {u"CheckBox14", 0}, {u"CheckBox15", 0}}},
      {"polylines listed", "[AutoCAD]\r\nPLINE=1\r\n", {{u"CheckBox1", 1}, {u"CheckBox21", 0}}},
      {"intersection off, drawing polylines",
       "[IDOPTION]\r\nINT=0\r\n[Draw]\r\nCheckBox21=1\r\n",
       {{u"CheckBox16", 1}, {u"CheckBox21", 1}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (!c.ini.empty()) writeIni(c.ini);
    TForm1 started(host, cad, windows);
    std::map<Text, int> reactions;
    for (const auto& [name, count] : c.reactions) {
      reactions[name] = 0;
      started.controls().get<CheckBox>(name).setClickReaction([&reactions, name = name] { ++reactions[name]; });
    }
    started.run([&] { started.FormCreate(); });
    EXPECT_EQ(reactions, c.reactions);
    fs::remove(ini());
  }
}

TEST_F(FormTest, AFailedSaveIsShownAndDestructionGoesOn) {
  writeIni("[Excel]\r\nColN=4\r\n");
  fs::permissions(ini(), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  form.run([&] { form.FormCreate(); });
  form.MSExcel = std::make_shared<AutomationObject>();
  form.WorkBook = std::make_shared<AutomationObject>();
  form.WorkSheet = std::make_shared<AutomationObject>();

  form.run([&] { form.FormDestroy(); });

  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].message.icon, MessageIcon::Error);
  EXPECT_EQ(host.messages[0].message.caption, u"Zemvo for BricsCAD Ver. 2023.02.10");
  EXPECT_EQ(host.messages[0].message.text, form.iniPath() + u" に書き込めません.");
  EXPECT_EQ(readIni(), "[Excel]\r\nColN=4\r\n");
  EXPECT_FALSE(form.WorkSheet || form.WorkBook || form.MSExcel);
}

TEST_F(FormTest, AFailedCreationOpensWithWhatWasDoneAndSavesNothing) {
  struct HostWithoutPath : fakes::FakeHost {
    Text executablePath() override { throw Error(u"実行ファイルのパスを取得できません"); }
  } brokenHost;
  TForm1 broken(brokenHost, cad, windows);
  broken.run([&] { broken.FormCreate(); });
  EXPECT_EQ(broken.Edit31.text(), u"");  // the steps before the failure took effect
  EXPECT_EQ(broken.StringGrid1.colCount(), 5);
  broken.run([&] { broken.FormDestroy(); });
  ASSERT_EQ(brokenHost.messages.size(), 1u);
  EXPECT_EQ(brokenHost.messages[0].message.text, u"実行ファイルのパスを取得できません.");
}

TEST_F(FormTest, TheVersionDialogIsANewDialogEachTime) {
  form.run([&] { form.N12.click(); });
  form.run([&] { form.N12.click(); });
  ASSERT_EQ(host.aboutBoxes.size(), 2u);
  EXPECT_EQ(host.aboutBoxes[1].caption, u"バージョン情報");
  EXPECT_EQ(host.aboutBoxes[1].productName, u"Zozu23_Zemvo");
}

}  // namespace
}  // namespace zemvo

#include "dxf/dxf_fragment_writer.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/cp932.h"
#include "core/error.h"
#include "fakes/fake_cad_link.h"

namespace zemvo {
namespace {

std::string readBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

class DxfFragmentWriterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::filesystem::temp_directory_path() /
              ("zemvo-dxf-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }
  Text pathOf(const char* name) const { return fromUtf8((folder_ / name).string()); }

  std::filesystem::path folder_;
};

// One of every entity, as the golden file holds them.
void writeEveryEntity(DxfFragmentWriter& writer) {
  writer.BeginFragment();
  writer.AddPolylineStart(u"ZEMVO_PLINE", 9);
  writer.AddVertex(u"ZEMVO_PLINE", {0, 0, 0});
  writer.AddVertex(u"ZEMVO_PLINE", {-12.5, 100.123456789, 1.5});
  writer.AddSeqEnd();
  writer.AddPoint(u"ZEMVO_POINT", {1, 2, 3});
  writer.AddCircle(u"ZEMVO_CIRCLE", {1, 2, 3}, 2.5);
  writer.AddNameText(u"ZEMVO_TEXTPT", {1, 2, 3}, 25, u"境界杭No.1");
  writer.AddValueText(u"ZEMVO_TEXTXY", {1, 2, 0}, 1.8, u"X=1.000 Y=2.000");
  writer.AddTableLine(u"ZEMVO_TBLLINE", TableRule::Horizontal, 0, 0, 85, 0);
  writer.AddTableLine(u"ZEMVO_TBLLINE", TableRule::Vertical, 0, 0, 0, -15);
  writer.AddTableText(u"ZEMVO_TBLTEXT", TableTextAlign::Centre, {12.5, -2.5, 0}, 2.5, u"測点",
                      TableTextWidth::Caption);
  writer.AddTableText(u"ZEMVO_TBLTEXT", TableTextAlign::Right, {80, -7.5, 0}, 2.5, u"-12.346",
                      TableTextWidth::Value);
  writer.EndFragment();
}

TEST_F(DxfFragmentWriterTest, WritesEveryTemplateByteForByte) {
  DxfFragmentWriter writer(pathOf("Zemvo.dxf"));
  writeEveryEntity(writer);
  writer.Save();
  const std::string golden = readBytes(ZEMVO_SOURCE_DIR "/tests/golden/fragment_every_entity.dxf");
  ASSERT_FALSE(golden.empty());
  EXPECT_EQ(readBytes(folder_ / "Zemvo.dxf"), golden);
}

TEST_F(DxfFragmentWriterTest, AnEmptyFragmentIsStillWholeAndEndsWithCrLf) {
  DxfFragmentWriter writer(pathOf("empty.dxf"));
  writer.BeginFragment();
  writer.EndFragment();
  writer.Save();
  const std::string bytes = readBytes(folder_ / "empty.dxf");
  EXPECT_TRUE(bytes.starts_with("  0\r\nSECTION\r\n  2\r\nHEADER\r\n"));
  EXPECT_TRUE(bytes.ends_with("  0\r\nSECTION\r\n  2\r\nENTITIES\r\n  0\r\nENDSEC\r\n  0\r\nEOF\r\n"));
  // Saving again overwrites instead of appending.
  writer.Save();
  EXPECT_EQ(readBytes(folder_ / "empty.dxf"), bytes);
}

TEST_F(DxfFragmentWriterTest, ControlCharactersInTextValuesBecomeBlanks) {
  DxfFragmentWriter writer(pathOf("controls.dxf"));
  writer.BeginFragment();
  writer.AddNameText(u"LAY\nER", {0, 0, 0}, 1, u"A\r\n1\t2\x03");
  writer.EndFragment();
  const Text& content = writer.content();
  EXPECT_NE(content.find(u"  8\r\nLAY ER\r\n"), Text::npos);
  EXPECT_NE(content.find(u"  1\r\nA  1 2 \r\n 41\r\n1.0\r\n"), Text::npos);
}

TEST_F(DxfFragmentWriterTest, CharactersOutsideTheCodePageBecomeTheDefaultCharacter) {
  DxfFragmentWriter writer(pathOf("codepage.dxf"));
  writer.BeginFragment();
  writer.AddPoint(u"caf\u00e9", {0, 0, 0});
  writer.EndFragment();
  writer.Save();
  EXPECT_NE(readBytes(folder_ / "codepage.dxf").find("  8\r\ncaf?\r\n"), std::string::npos);
}

TEST_F(DxfFragmentWriterTest, AFileThatCannotBeWrittenIsAnErrorNamingIt) {
  const Text path = pathOf("no-such-folder/Zemvo.dxf");
  DxfFragmentWriter writer(path);
  writer.BeginFragment();
  writer.EndFragment();
  try {
    writer.Save();
    FAIL() << "saving into a missing folder succeeded";
  } catch (const Error& error) {
    EXPECT_NE(error.text().find(path), Text::npos);
  }
}

TEST(DxfInsertCommands, QuoteThePathOnlyForThePlot) {
  const DxfFragmentWriter writer(u"C:\\Program Files\\Zemvo\\Zemvo.dxf");
  EXPECT_EQ(writer.insertAtOriginCommand(), u"^C-INSERT\r\"*C:\\Program Files\\Zemvo\\Zemvo.dxf\"\r0,0,0 1 0\r");
  EXPECT_EQ(writer.insertAtCommand(12.5, -3), u"-INSERT *C:\\Program Files\\Zemvo\\Zemvo.dxf\r12.5,-3\r1 0\r");

  fakes::FakeCadLink cad;
  const ObjectRef application = cad.attachApplication();
  const ObjectRef document = cad.activeDocument(*application);
  writer.InsertAtOrigin(cad, *application);
  writer.InsertAt(cad, *document, 100, 200.25);
  ASSERT_EQ(cad.commands.size(), 2u);
  EXPECT_EQ(cad.commands[0], writer.insertAtOriginCommand());
  EXPECT_EQ(cad.commands[1], u"-INSERT *C:\\Program Files\\Zemvo\\Zemvo.dxf\r100,200.25\r1 0\r");
  EXPECT_NE(cad.journalText().find("sendCommandToApplication"), std::string::npos);
  EXPECT_NE(cad.journalText().find("sendCommandToDocument"), std::string::npos);
}

TEST(BesideExecutable, ReplacesOrAppendsTheExtension) {
  EXPECT_EQ(besideExecutable(u"C:\\Tools\\Zemvo.exe", u".dxf"), u"C:\\Tools\\Zemvo.dxf");
  EXPECT_EQ(besideExecutable(u"C:\\Tools.v2\\Zemvo", u".ini"), u"C:\\Tools.v2\\Zemvo.ini");
  EXPECT_EQ(besideExecutable(u"/opt/zemvo/bin/zemvo.v1.exe", u".ini"), u"/opt/zemvo/bin/zemvo.v1.ini");
}

}  // namespace
}  // namespace zemvo

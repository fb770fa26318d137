#include "settings/ini_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/cp932.h"
#include "core/error.h"

namespace zemvo {
namespace {

namespace fs = std::filesystem;

std::string utf16File(TextView text) { return "\xFF\xFE" + encodeUtf16LE(text); }

TEST(IniFileRead, FollowsTheProfileFunctions) {
  struct Case {
    const char* name;
    std::string bytes;
    const char16_t* section;
    const char16_t* key;
    const char16_t* expected;  // with the default "def"
  };
  const Case cases[] = {
      {"plain", "[Form]\r\nLeft=12\r\nTop=34\r\n", u"Form", u"Top", u"34"},
      {"names ignore case", "[autocad]\r\npline=1\r\n", u"AutoCAD", u"PLINE", u"1"},
      {"Ketasuu found as ketasuu", "[TextSize]\r\nKetasuu=3\r\n", u"TextSize", u"ketasuu", u"3"},
      {"blanks around key and value", "[A]\r\n  key  =   a  b   \r\n", u"A", u"key", u"a  b"},
      {"tabs are blanks", "[A]\r\n\tkey\t=\tv\t\r\n", u"A", u"key", u"v"},
      {"blanks in the asked names", "[A]\r\nkey=v\r\n", u" A ", u" key ", u"v"},
      {"blanks inside the brackets", "[ A ]\r\nkey=v\r\n", u"A", u"key", u"v"},
      {"text after the brackets", "[A] ; note\r\nkey=v\r\n", u"A", u"key", u"v"},
      {"double quotes", "[A]\r\nk=\" a \"\r\n", u"A", u"k", u" a "},
      {"single quotes", "[A]\r\nk='a'\r\n", u"A", u"k", u"a"},
      {"one pair of quotes only", "[A]\r\nk=\"\"a\"\"\r\n", u"A", u"k", u"\"a\""},
      {"quotes that differ stay", "[A]\r\nk=\"a'\r\n", u"A", u"k", u"\"a'"},
      {"a lone quote stays", "[A]\r\nk=\"\r\n", u"A", u"k", u"\""},
      {"empty quotes", "[A]\r\nk=''\r\n", u"A", u"k", u""},
      {"empty value is not the default", "[A]\r\nk=\r\n", u"A", u"k", u""},
      {"blank value is empty", "[A]\r\nk=   \r\n", u"A", u"k", u""},
      {"value holding =", "[A]\r\nk=a=b\r\n", u"A", u"k", u"a=b"},
      {"missing key", "[A]\r\nk=1\r\n", u"A", u"j", u"def"},
      {"missing section", "[A]\r\nk=1\r\n", u"B", u"k", u"def"},
      {"key of another section", "[A]\r\nk=1\r\n[B]\r\nj=2\r\n", u"A", u"j", u"def"},
      {"empty file", "", u"A", u"k", u"def"},
      {"first duplicate key wins", "[A]\r\nk=1\r\nk=2\r\n", u"A", u"k", u"1"},
      {"first duplicate section wins", "[A]\r\nk=1\r\n[a]\r\nk=2\r\n", u"A", u"k", u"1"},
      {"only the first duplicate section counts", "[A]\r\nx=1\r\n[A]\r\nk=2\r\n", u"A", u"k", u"def"},
      {"keys before any section belong to none", "k=1\r\n[A]\r\n", u"A", u"k", u"def"},
      {"a comment is no key", "[A]\r\n;k=1\r\n", u"A", u"k", u"def"},
      {"a line without = is no key", "[A]\r\nk\r\n", u"A", u"k", u"def"},
      {"no final line end", "[A]\r\nk=5", u"A", u"k", u"5"},
      {"LF line ends", "[A]\nj=4\nk=5\n", u"A", u"k", u"5"},
      {"CR line ends", "[A]\rj=4\rk=5\r", u"A", u"k", u"5"},
      {"mixed line ends", "[A]\r\n\nj=4\r\r\nk=5", u"A", u"k", u"5"},
      {"CP932 value", "[Layer]\r\nPLINE=\x91\xAA\x93\x5F\r\n", u"Layer", u"PLINE", u"測点"},
      {"CP932 with trail bytes 5C and 5D", "[A]\r\nk=\x95\x5C\x83\x5D\r\n", u"A", u"k", u"表ゾ"},
      {"CP932 section name", "[\x91\xAA\x93\x5F]\r\nk=1\r\n", u"測点", u"k", u"1"},
      {"UTF-16 LE", utf16File(u"[A]\r\nk=値\r\n"), u"A", u"k", u"値"},
      {"UTF-16 LE without final line end", utf16File(u"[A]\nk= 値 "), u"A", u"k", u"値"},
      {"UTF-8 bytes are CP932 text", "\xEF\xBB\xBF[A]\r\nk=1\r\n", u"A", u"k", u"def"},
  };
  for (const Case& c : cases) {
    const IniFile file = IniFile::fromBytes(u"test.ini", c.bytes);
    EXPECT_EQ(toUtf8(file.readString(c.section, c.key, u"def")), toUtf8(c.expected)) << c.name;
  }
}

TEST(IniFileRead, DefaultLosesTrailingSpacesAndQuotes) {
  const IniFile file = IniFile::fromBytes(u"test.ini", "");
  EXPECT_EQ(file.readString(u"A", u"k", u"x  "), u"x");
  EXPECT_EQ(file.readString(u"A", u"k", u"  x"), u"  x");
  EXPECT_EQ(file.readString(u"A", u"k", u"\"x\""), u"x");
  EXPECT_EQ(file.readString(u"A", u"k", u""), u"");
}

TEST(IniFileWrite, ChangesOnlyWhatItMust) {
  struct Case {
    const char* name;
    std::string before;
    const char16_t* section;
    const char16_t* key;
    const char16_t* value;
    std::string after;
  };
  const Case cases[] = {
      {"new file", "", u"A", u"k", u"v", "[A]\r\nk=v\r\n"},
      {"empty value", "", u"A", u"k", u"", "[A]\r\nk=\r\n"},
      {"replace in place", "[A]\r\nk=1\r\nj=2\r\n", u"A", u"k", u"3", "[A]\r\nk=3\r\nj=2\r\n"},
      {"replace keeps the file's names and line end", "[autocad]\nPLINE = 0 \n", u"AutoCAD", u"pline", u"1",
       "[autocad]\nPLINE=1\n"},
      {"replace the last line without line end", "[A]\r\nk=1", u"A", u"k", u"2", "[A]\r\nk=2"},
      {"same value leaves the line alone", "[A]\r\n  k = 1 \r\n", u"A", u"k", u"1", "[A]\r\n  k = 1 \r\n"},
      {"first duplicate key replaced", "[A]\r\nk=1\r\nk=2\r\n", u"A", u"k", u"3", "[A]\r\nk=3\r\nk=2\r\n"},
      {"leading blanks of the value dropped", "", u"A", u"k", u"  v ", "[A]\r\nk=v \r\n"},
      {"append key at the end of its section", "[A]\r\nk=1\r\n[B]\r\nx=2\r\n", u"A", u"j", u"5",
       "[A]\r\nk=1\r\nj=5\r\n[B]\r\nx=2\r\n"},
      {"append key before the blank lines ending the section", "[A]\r\nk=1\r\n\r\n  \r\n[B]\r\n", u"A", u"j", u"5",
       "[A]\r\nk=1\r\nj=5\r\n\r\n  \r\n[B]\r\n"},
      {"append key after a comment ending the section", "[A]\r\nk=1\r\n; about B\r\n\r\n[B]\r\n", u"A", u"j", u"5",
       "[A]\r\nk=1\r\n; about B\r\nj=5\r\n\r\n[B]\r\n"},
      {"append key at the end of the file", "[A]\r\nk=1\r\n\r\n", u"A", u"j", u"5", "[A]\r\nk=1\r\nj=5\r\n\r\n"},
      {"append key to an empty section", "[A]\r\n[B]\r\n", u"A", u"j", u"5", "[A]\r\nj=5\r\n[B]\r\n"},
      {"append key after a header without line end", "[A]", u"A", u"j", u"5", "[A]\r\nj=5\r\n"},
      {"append key after a key without line end", "[A]\r\nk=1", u"A", u"j", u"5", "[A]\r\nk=1\r\nj=5\r\n"},
      {"append key with LF lines", "[A]\nk=1\n", u"A", u"j", u"5", "[A]\nk=1\nj=5\r\n"},
      {"append key to the first duplicate section", "[A]\r\nk=1\r\n[A]\r\nj=2\r\n", u"A", u"j", u"3",
       "[A]\r\nk=1\r\nj=3\r\n[A]\r\nj=2\r\n"},
      {"a bare key name takes the value in place", "[A]\r\nk\r\nz=1\r\n", u"A", u"k", u"2", "[A]\r\nk=2\r\nz=1\r\n"},
      {"a comment is not the key", "[A]\r\n;k=1\r\n", u"A", u"k", u"2", "[A]\r\n;k=1\r\nk=2\r\n"},
      {"append section", "[A]\r\nk=1\r\n", u"B", u"x", u"2", "[A]\r\nk=1\r\n[B]\r\nx=2\r\n"},
      {"append section after a file without final line end", "[A]\r\nk=1", u"B", u"x", u"2",
       "[A]\r\nk=1\r\n[B]\r\nx=2\r\n"},
      {"append section after trailing blank lines", "[A]\r\nk=1\r\n\r\n", u"B", u"x", u"2",
       "[A]\r\nk=1\r\n\r\n[B]\r\nx=2\r\n"},
      {"keys before any section are left alone", "k=1\r\n[A]\r\n", u"A", u"k", u"2", "k=1\r\n[A]\r\nk=2\r\n"},
      {"keys before any section do not make a section", "k=1", u"A", u"k", u"2", "k=1\r\n[A]\r\nk=2\r\n"},
      {"CP932 value", "", u"Layer", u"PLINE", u"測点", "[Layer]\r\nPLINE=\x91\xAA\x93\x5F\r\n"},
      {"CP932 file keeps its other bytes", "; \x95\x5C\r\n[A]\r\nk=1\r\n", u"A", u"k", u"表",
       "; \x95\x5C\r\n[A]\r\nk=\x95\x5C\r\n"},
      {"UTF-16 LE", utf16File(u"[A]\r\nk=1\r\n"), u"A", u"k", u"値", utf16File(u"[A]\r\nk=値\r\n")},
      {"UTF-16 LE append", utf16File(u"[A]\nk=1"), u"B", u"x", u"値", utf16File(u"[A]\nk=1\r\n[B]\r\nx=値\r\n")},
  };
  for (const Case& c : cases) {
    IniFile file = IniFile::fromBytes(u"test.ini", c.before);
    file.writeString(c.section, c.key, c.value);
    EXPECT_EQ(file.bytes(), c.after) << c.name;
  }
}

TEST(IniFileWrite, UnknownLinesStayByteForByte) {
  const std::string before =
      "; settings of Zemvo\r\n"
      "stray=before any section\r\n"
      "\r\n"
      "[Other]\r\n"
      "  Left = 1 \r\n"
      "junk line without equals\n"
      "bad bytes \x80\xFF\xA0 kept\r"
      "\t\r\n"
      "[Form]\r\n"
      "Left=5\r\n"
      "; a comment in Form\r\n"
      "Top=6\r\n"
      "\r\n"
      "[Tail]";
  IniFile file = IniFile::fromBytes(u"test.ini", before);
  file.writeString(u"Form", u"Left", u"7");
  file.writeString(u"Form", u"Width", u"8");
  file.writeString(u"Excel", u"ColN", u"0");
  EXPECT_EQ(file.bytes(),
            "; settings of Zemvo\r\n"
            "stray=before any section\r\n"
            "\r\n"
            "[Other]\r\n"
            "  Left = 1 \r\n"
            "junk line without equals\n"
            "bad bytes \x80\xFF\xA0 kept\r"
            "\t\r\n"
            "[Form]\r\n"
            "Left=7\r\n"
            "; a comment in Form\r\n"
            "Top=6\r\n"
            "Width=8\r\n"
            "\r\n"
            "[Tail]\r\n"
            "[Excel]\r\n"
            "ColN=0\r\n");
  EXPECT_EQ(file.readString(u"Other", u"Left", u"def"), u"1");
}

TEST(IniFileWrite, FirstSaveOrderBuildsSectionsInOrder) {
  IniFile file = IniFile::fromBytes(u"test.ini", "");
  file.writeString(u"Form", u"Left", u"10");
  file.writeString(u"AutoCAD", u"PLINE", u"0");
  file.writeString(u"AutoCAD", u"Close", u"0");
  file.writeString(u"Layer", u"PLINE", u"ZEMVO_PLINE");
  file.writeString(u"AutoCAD", u"RoundOff", u"3");
  EXPECT_EQ(file.bytes(),
            "[Form]\r\nLeft=10\r\n"
            "[AutoCAD]\r\nPLINE=0\r\nClose=0\r\nRoundOff=3\r\n"
            "[Layer]\r\nPLINE=ZEMVO_PLINE\r\n");
  EXPECT_EQ(file.readString(u"layer", u"pline", u""), u"ZEMVO_PLINE");
  EXPECT_EQ(file.readString(u"autocad", u"roundoff", u""), u"3");
}

TEST(IniFileWrite, ValuesReadBackAsWritten) {
  const char16_t* values[] = {u"3.5", u"1.0", u"", u"-", u"ZEMVO_TBLTEXT", u"測点名", u"A-1", u"a b", u"x=y"};
  for (const std::string& start : {std::string(), utf16File(u"")}) {
    IniFile file = IniFile::fromBytes(u"test.ini", start);
    for (const char16_t* value : values) {
      file.writeString(u"TextSize", u"TBLTEXT", value);
      const IniFile reread = IniFile::fromBytes(u"test.ini", file.bytes());
      EXPECT_EQ(toUtf8(reread.readString(u"TextSize", u"TBLTEXT", u"def")), toUtf8(value));
    }
  }
}

// Files on disk, each test in a folder of its own.
class IniFileOnDisk : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() /
              ("zemvo_ini_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override {
    std::error_code ignored;
    fs::permissions(folder_ / "Zemvo.ini", fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(folder_, ignored);
  }

  static Text textOf(const fs::path& path) { return fromUtf8(path.string()); }
  static std::string contentOf(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  static void put(const fs::path& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }
  // Names left in the folder, to see that no temporary file stays.
  std::vector<std::string> namesInFolder(const fs::path& folder) const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
  void expectSaveFails(const IniFile& file) {
    try {
      file.save();
      ADD_FAILURE() << "save did not fail";
    } catch (const Error& error) {
      EXPECT_EQ(toUtf8(error.text()), toUtf8(file.path()) + " に書き込めません");
    }
  }

  fs::path folder_;
};

TEST_F(IniFileOnDisk, MissingFileIsEmptyAndIsCreatedBySave) {
  const fs::path path = folder_ / "Zemvo.ini";
  IniFile file = IniFile::load(textOf(path));
  EXPECT_EQ(file.path(), textOf(path));
  EXPECT_EQ(file.bytes(), "");
  EXPECT_EQ(file.readString(u"Excel", u"Dlm", u"-"), u"-");
  file.writeString(u"Excel", u"Dlm", u"");
  file.writeString(u"Layer", u"PLINE", u"測点");
  file.save();
  EXPECT_EQ(contentOf(path), "[Excel]\r\nDlm=\r\n[Layer]\r\nPLINE=\x91\xAA\x93\x5F\r\n");
  EXPECT_EQ(namesInFolder(folder_), std::vector<std::string>{"Zemvo.ini"});
  const IniFile reread = IniFile::load(textOf(path));
  EXPECT_EQ(reread.readString(u"Excel", u"Dlm", u"-"), u"");
  EXPECT_EQ(reread.readString(u"Layer", u"PLINE", u""), u"測点");
}

TEST_F(IniFileOnDisk, SaveReplacesTheOldFile) {
  const fs::path path = folder_ / "Zemvo.ini";
  put(path, "; mine\n[Form]\nLeft=1");
  IniFile file = IniFile::load(textOf(path));
  file.writeString(u"Form", u"Left", u"2");
  file.save();
  EXPECT_EQ(contentOf(path), "; mine\n[Form]\nLeft=2");
  EXPECT_EQ(namesInFolder(folder_), std::vector<std::string>{"Zemvo.ini"});
}

TEST_F(IniFileOnDisk, Utf16FileStaysUtf16) {
  const fs::path path = folder_ / "Zemvo.ini";
  put(path, utf16File(u"[Layer]\r\nPLINE=線\r\n"));
  IniFile file = IniFile::load(textOf(path));
  EXPECT_EQ(file.readString(u"Layer", u"PLINE", u""), u"線");
  file.writeString(u"Layer", u"POINT", u"点");
  file.save();
  EXPECT_EQ(contentOf(path), utf16File(u"[Layer]\r\nPLINE=線\r\nPOINT=点\r\n"));
}

TEST_F(IniFileOnDisk, MissingFolderFailsAndLeavesNothing) {
  const fs::path path = folder_ / "no such folder" / "Zemvo.ini";
  IniFile file = IniFile::load(textOf(path));
  file.writeString(u"Form", u"Left", u"1");
  expectSaveFails(file);
  EXPECT_TRUE(namesInFolder(folder_).empty());
}

TEST_F(IniFileOnDisk, FolderInTheFilesPlaceFailsAndStays) {
  const fs::path path = folder_ / "Zemvo.ini";
  fs::create_directory(path);
  put(path / "inside.txt", "x");
  IniFile file = IniFile::load(textOf(path));
  EXPECT_EQ(file.bytes(), "");
  file.writeString(u"Form", u"Left", u"1");
  expectSaveFails(file);
  EXPECT_TRUE(fs::is_directory(path));
  EXPECT_EQ(contentOf(path / "inside.txt"), "x");
  EXPECT_EQ(namesInFolder(folder_), std::vector<std::string>{"Zemvo.ini"});
}

TEST_F(IniFileOnDisk, ReadOnlyFileFailsAndStaysIntact) {
  const fs::path path = folder_ / "Zemvo.ini";
  const std::string old = "[Form]\r\nLeft=1\r\n";
  put(path, old);
  fs::permissions(path, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  IniFile file = IniFile::load(textOf(path));
  EXPECT_EQ(file.readString(u"Form", u"Left", u""), u"1");
  file.writeString(u"Form", u"Left", u"2");
  expectSaveFails(file);
  EXPECT_EQ(contentOf(path), old);
  EXPECT_EQ(namesInFolder(folder_), std::vector<std::string>{"Zemvo.ini"});
}

}  // namespace
}  // namespace zemvo

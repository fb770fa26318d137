// The portable INI file against the Windows profile functions it follows: on
// a table of files both read the same value for every key, and after the
// same writes both files hold the same sections, keys and values in the same
// order. Wine's writer rewrites the whole file (blanks around names and
// empty lines dropped), the portable one keeps every line it does not write
// as it was: content is compared, not bytes.
#include <windows.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "core/cp932.h"
#include "settings/ini_file.h"
#include "support/win_test_support.h"
#include "win32/win32_profile_file.h"

namespace zemvo {
namespace {

struct FileCase {
  const char* name;
  std::string bytes;  // what the file holds; empty name list = no file
  bool exists = true;
};

std::string cp932(TextView text) { return encodeCp932(text); }
std::string utf16(TextView text) { return "\xFF\xFE" + encodeUtf16LE(text); }

std::vector<FileCase> fileCases() {
  return {
      {"settings", cp932(u"[Form]\r\nLeft=10\r\nTop=20\r\n[Excel]\r\nColN=0x2\r\nDlm=-\r\n[AutoCAD]\r\nPLINE=1\r\n")},
      {"other_case", cp932(u"[autocad]\r\npline=1\r\nClose=0\r\n[LAYER]\r\ntextpt=X\r\n")},
      {"blanks", cp932(u"  [ Layer ]  \r\n  PLINE  =  ZEMVO PLINE  \r\nPOINT=\t tabbed \t\r\n  TEXTPT =a b  c\r\n")},
      {"quotes", cp932(u"[Q]\r\nd=\"double\"\r\ns='single'\r\nsp=\" spaced \"\r\nmixed=\"abc'\r\nopen=\"abc\r\n"
                       u"empty=\"\"\r\ninner=a\"b\"c\r\none=\"\r\n")},
      {"empty_values", cp932(u"[Excel]\r\nDlm=\r\nRowS=   \r\nColX= \t\r\n")},
      {"utf16", utf16(u"[Layer]\r\nTEXTPT=測点名\r\n[Excel]\r\nDlm=ー\r\n")},
      {"cp932", cp932(u"[Layer]\r\nTEXTPT=測点名\r\n[IDOPTION]\r\nEdt33=Ａ－１\r\n")},
      {"no_final_line_end", cp932(u"[Form]\r\nLeft=10\r\nTop=20")},
      {"no_final_line_end_in_key", cp932(u"[Form]\r\nLeft=10\r\n[Excel]")},
      {"lines_without_equals", cp932(u"[S]\r\nJustAKey\r\nk=v\r\n; comment\r\n[T]\r\nx=1\r\n")},
      {"lf_and_cr", cp932(u"[S]\nk=v\nj=w\r[T]\rx=1\r\n")},
      {"keys_before_a_section", cp932(u"orphan=1\r\n[S]\r\nk=v\r\n")},
      {"duplicates", cp932(u"[S]\r\nk=first\r\nk=second\r\n[T]\r\nx=1\r\n[s]\r\nk=third\r\nm=4\r\n")},
      {"blank_lines", cp932(u"\r\n[A]\r\na=1\r\n\r\n\r\n[B]\r\nb=2\r\n\r\n")},
      {"empty_file", ""},
      {"missing_file", "", false},
  };
}

// Every section and key of a file's text, as the file spells them.
std::vector<std::pair<Text, Text>> namesIn(const Text& content) {
  std::vector<std::pair<Text, Text>> names;
  Text section;
  std::size_t start = 0;
  while (start < content.size()) {
    std::size_t end = content.find_first_of(u"\r\n", start);
    if (end == Text::npos) end = content.size();
    const Text line = trimmed(TextView(content).substr(start, end - start));
    start = end + 1;
    if (line.starts_with(u"[") && line.find(u']') != Text::npos) {
      section = trimmed(TextView(line).substr(1, line.rfind(u']') - 1));
      names.emplace_back(section, u"");
    } else if (const std::size_t equals = line.find(u'='); equals != Text::npos) {
      names.emplace_back(section, trimmed(TextView(line).substr(0, equals)));
    } else if (!line.empty()) {
      names.emplace_back(section, line);
    }
  }
  return names;
}

Text decoded(const std::string& bytes) {
  if (bytes.starts_with("\xFF\xFE")) return decodeUtf16LE(std::string_view(bytes).substr(2));
  return decodeCp932(bytes);
}

Text upper(TextView text) {
  Text out(text);
  for (char16_t& c : out) {
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - 0x20);
  }
  return out;
}

Text lower(TextView text) {
  Text out(text);
  for (char16_t& c : out) {
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c + 0x20);
  }
  return out;
}

// The file's content as the profile functions see it: one entry a line that
// is not blank, names and values trimmed.
std::vector<Text> contentOf(const std::string& bytes) {
  const Text content = decoded(bytes);
  std::vector<Text> entries;
  std::size_t start = 0;
  while (start < content.size()) {
    std::size_t end = content.find_first_of(u"\r\n", start);
    if (end == Text::npos) end = content.size();
    const Text line = trimmed(TextView(content).substr(start, end - start));
    start = end + 1;
    if (line.empty()) continue;
    if (line.starts_with(u"[") && line.find(u']') != Text::npos) {
      entries.push_back(u"[" + trimmed(TextView(line).substr(1, line.rfind(u']') - 1)) + u"]");
    } else if (const std::size_t equals = line.find(u'='); equals != Text::npos) {
      entries.push_back(trimmed(TextView(line).substr(0, equals)) + u"=" + trimmed(TextView(line).substr(equals + 1)));
    } else {
      entries.push_back(line);
    }
  }
  return entries;
}

std::string readBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string joined(const std::vector<Text>& entries) {
  std::string out;
  for (const Text& entry : entries) out += toUtf8(entry) + "\n";
  return out;
}

class ProfileFunctions : public ::testing::TestWithParam<FileCase> {
 protected:
  // Two copies of the case's file: one for the system's functions, one for
  // the portable reader.
  void SetUp() override {
    const Text folderPath = wintest::buildPath("tests/win/profiles");
    const std::filesystem::path folder(std::wstring(folderPath.begin(), folderPath.end()));
    std::filesystem::create_directories(folder);
    systemFile_ = folder / (std::string(GetParam().name) + ".system.ini");
    portableFile_ = folder / (std::string(GetParam().name) + ".portable.ini");
    for (const auto& file : {systemFile_, portableFile_}) {
      std::filesystem::remove(file);
      if (GetParam().exists) std::ofstream(file, std::ios::binary) << GetParam().bytes;
    }
  }

  Text windowsPath(const std::filesystem::path& file) const {
    const std::wstring path = file.wstring();
    return Text(path.begin(), path.end());
  }

  std::filesystem::path systemFile_;
  std::filesystem::path portableFile_;
};

TEST_P(ProfileFunctions, ReadTheSameValueForEveryKey) {
  win32::Win32ProfileFile system(windowsPath(systemFile_));
  const IniFile portable = IniFile::load(windowsPath(portableFile_));

  // Keys before the first section are left out: Wine's functions read them
  // as a section with an empty name, the portable reader never finds them,
  // and the program never asks for an empty section name.
  std::vector<std::pair<Text, Text>> queries;
  for (auto& name : namesIn(decoded(GetParam().bytes))) {
    if (!name.first.empty()) queries.push_back(std::move(name));
  }
  const std::size_t named = queries.size();
  for (std::size_t i = 0; i < named; ++i) {
    const auto [section, key] = queries[i];
    queries.emplace_back(upper(section), lower(key));
    queries.emplace_back(lower(section), upper(key));
    queries.emplace_back(u" " + section + u" ", u"\t" + key + u" ");
    queries.emplace_back(section, key + u"_missing");
  }
  queries.emplace_back(u"NoSuchSection", u"Left");
  queries.emplace_back(u"Form", u"NoSuchKey");

  for (const auto& [section, key] : queries) {
    for (const TextView fallback :
         {TextView(u"DEF"), TextView(u""), TextView(u"  default with blanks  "), TextView(u"\"quoted default\"")}) {
      EXPECT_EQ(toUtf8(portable.readString(section, key, fallback)), toUtf8(system.readString(section, key, fallback)))
          << "[" << toUtf8(section) << "] " << toUtf8(key) << ", default \"" << toUtf8(fallback) << "\"";
    }
  }
}

TEST_P(ProfileFunctions, HoldTheSameContentAfterTheSameWrites) {
  win32::Win32ProfileFile system(windowsPath(systemFile_));
  IniFile portable = IniFile::load(windowsPath(portableFile_));

  // The settings store's kind of writes: values replaced in place (names in
  // other case), keys added to sections, sections added at the end, empty
  // values, blanks, quotes and Japanese text, a value written twice.
  const std::vector<std::tuple<Text, Text, Text>> writes = {
      {u"Form", u"Left", u"123"},
      {u"FORM", u"top", u"-5"},
      {u"Excel", u"Dlm", u""},
      {u"excel", u"RowS", u"1"},
      {u"Layer", u"TEXTPT", u"測点 名"},
      {u"Layer", u"PLINE", u"  leading blanks"},
      {u"Q", u"d", u"\"requoted\""},
      {u"S", u"k", u"v2"},
      {u"A", u"c", u"3"},
      {u"New Section", u"Key", u"value"},
      {u"New Section", u"Key", u"value"},
      {u"TextSize", u"Ketasuu", u"3"},
      {u"IDOPTION", u"Edt33", u"Ａ－２"},
  };
  for (const auto& [section, key, value] : writes) {
    system.writeString(section, key, value);
    portable.writeString(section, key, value);
  }
  system.flush();
  portable.save();

  const std::string systemBytes = readBytes(systemFile_);
  const std::string portableBytes = readBytes(portableFile_);
  EXPECT_EQ(joined(contentOf(portableBytes)), joined(contentOf(systemBytes)));
  // The same encoding: UTF-16 stays UTF-16, everything else is CP932.
  EXPECT_EQ(portableBytes.starts_with("\xFF\xFE"), systemBytes.starts_with("\xFF\xFE"));

  // And what they read back is the same.
  const IniFile reloaded = IniFile::load(windowsPath(portableFile_));
  for (const auto& [section, key, value] : writes) {
    EXPECT_EQ(toUtf8(reloaded.readString(section, key, u"DEF")), toUtf8(system.readString(section, key, u"DEF")))
        << "[" << toUtf8(section) << "] " << toUtf8(key);
  }
}

// A line without "=" is a key without a value to the functions (read, it
// gives the default, as the portable reader's does); a write of that key
// replaces the line in place, and so does the portable file's.
TEST(ProfileFunctionsBareKey, AWriteReplacesTheLineInPlace) {
  const Text folderPath = wintest::buildPath("tests/win/profiles");
  const std::filesystem::path folder(std::wstring(folderPath.begin(), folderPath.end()));
  std::filesystem::create_directories(folder);
  const std::filesystem::path systemFile = folder / "bare_key.system.ini";
  const std::filesystem::path portableFile = folder / "bare_key.portable.ini";
  for (const auto& file : {systemFile, portableFile}) std::ofstream(file, std::ios::binary) << "[S]\r\nBare\r\nk=v\r\n";
  const std::wstring systemPath = systemFile.wstring();
  const std::wstring portablePath = portableFile.wstring();
  win32::Win32ProfileFile system(Text(systemPath.begin(), systemPath.end()));
  IniFile portable = IniFile::load(Text(portablePath.begin(), portablePath.end()));
  system.writeString(u"S", u"Bare", u"value");
  portable.writeString(u"S", u"Bare", u"value");
  system.flush();
  portable.save();
  EXPECT_EQ(joined(contentOf(readBytes(portableFile))), joined(contentOf(readBytes(systemFile))));
}

INSTANTIATE_TEST_SUITE_P(Files, ProfileFunctions, ::testing::ValuesIn(fileCases()),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace zemvo

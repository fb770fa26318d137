#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/text.h"
#include "settings/profile_file.h"

namespace zemvo {

// An INI file held in memory with the semantics of the Windows profile
// functions, saved in one piece.
//
// Lines are kept as the bytes they were read as, so every line the program
// does not write (comments, blank lines, lines without "=", other sections,
// keys before the first section) is saved byte for byte. A file starting
// with a UTF-16 LE byte-order mark is read and written as UTF-16 LE; any
// other, and a new file, as CP932. Line ends LF, CR and CR LF are read; new
// lines end with CR LF.
class IniFile final : public ProfileFile {
 public:
  // Reads the file; a missing or unreadable file is an empty one.
  static IniFile load(Text path);
  // The file as if `bytes` had been read from `path`.
  static IniFile fromBytes(Text path, std::string_view bytes);

  Text readString(TextView section, TextView key, TextView defaultValue) const override;
  void writeString(TextView section, TextView key, TextView value) override;

  // What save writes.
  std::string bytes() const;
  // Writes the whole file to a temporary file beside it and puts it in the
  // file's place only when that write succeeded, so an interrupted save
  // never leaves a truncated file. Throws Error "<path> に書き込めません"
  // when the file cannot be written (missing folder, read-only file, a
  // folder in its place); the old file is then left as it was.
  void save() const;
  Text path() const { return path_; }

 private:
  enum class Encoding { Cp932, Utf16LE };

  struct Line {
    Text text;        // the line without its end, decoded
    std::string raw;  // the same in the file's bytes
    std::string end;  // the line end's bytes: empty, CR, LF or CR LF
  };

  IniFile(Text path, Encoding encoding) : path_(std::move(path)), encoding_(encoding) {}

  std::string encode(TextView text) const;
  Line makeLine(Text text) const;
  // Gives the last line a line end before something is added after it.
  void endLine(std::size_t index);

  Text path_;
  Encoding encoding_;
  std::vector<Line> lines_;
};

}  // namespace zemvo

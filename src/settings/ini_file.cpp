#include "settings/ini_file.h"

#include <cstdio>
#include <filesystem>
#include <optional>
#include <system_error>

#ifdef _WIN32
#include <io.h>  // _commit, the C runtime's FlushFileBuffers
#else
#include <unistd.h>  // fsync
#endif

#include "core/cp932.h"
#include "core/error.h"

namespace zemvo {
namespace {

// The blanks the profile functions trim: tab to CR, ^Z (a DOS end of file)
// and space.
bool isProfileBlank(char16_t c) { return (c >= 0x09 && c <= 0x0D) || c == 0x1A || c == u' '; }

TextView trimBlanks(TextView text) {
  std::size_t first = 0;
  std::size_t last = text.size();
  while (first < last && isProfileBlank(text[first])) ++first;
  while (last > first && isProfileBlank(text[last - 1])) --last;
  return text.substr(first, last - first);
}

// Letter case folded for the comparison of names: ASCII, Latin-1 and the
// full-width Latin letters, which is what section and key names hold.
char16_t foldCase(char16_t c) {
  if (c >= u'a' && c <= u'z') return static_cast<char16_t>(c - 0x20);
  if (c >= 0x00E0 && c <= 0x00FE && c != 0x00F7) return static_cast<char16_t>(c - 0x20);
  if (c >= 0xFF41 && c <= 0xFF5A) return static_cast<char16_t>(c - 0x20);
  return c;
}

bool sameName(TextView a, TextView b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (foldCase(a[i]) != foldCase(b[i])) return false;
  }
  return true;
}

// What a line of the file is to the profile functions.
struct ParsedLine {
  enum class Kind { Other, Section, Key } kind = Kind::Other;
  TextView name;   // section or key name, trimmed
  TextView value;  // key value, trimmed (quotes still on)
};

ParsedLine parseLine(TextView line) {
  const TextView text = trimBlanks(line);
  ParsedLine parsed;
  if (text.empty()) return parsed;
  if (text.front() == u'[') {
    // The name runs to the last "]" of the line; a "[" without one is
    // read like any other line.
    const std::size_t close = text.rfind(u']');
    if (close != TextView::npos && close > 0) {
      parsed.kind = ParsedLine::Kind::Section;
      parsed.name = trimBlanks(text.substr(1, close - 1));
      return parsed;
    }
  }
  const std::size_t equals = text.find(u'=');
  if (equals == TextView::npos) return parsed;  // not a key: never found, never changed
  parsed.kind = ParsedLine::Kind::Key;
  parsed.name = trimBlanks(text.substr(0, equals));
  parsed.value = trimBlanks(text.substr(equals + 1));
  return parsed;
}

// The line that a write of `key` replaces: the key's own, or a bare line
// holding just its name, which the functions also take as the key's place
// (reading one gives the default all the same).
bool isKeyLine(const ParsedLine& parsed, TextView line, TextView key) {
  if (parsed.kind == ParsedLine::Kind::Key) return sameName(parsed.name, key);
  return parsed.kind == ParsedLine::Kind::Other && !key.empty() && sameName(trimBlanks(line), key);
}

// One pair of the same quotes around a value is taken off, as
// GetPrivateProfileString does ("'a'" and "\"a\"" both give "a").
TextView withoutQuotes(TextView value) {
  if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') && value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

std::filesystem::path fileSystemPath(TextView path) {
#ifdef _WIN32
  return std::filesystem::path(std::wstring(path.begin(), path.end()));
#else
  return std::filesystem::path(toUtf8(path));
#endif
}

std::FILE* openFile(const std::filesystem::path& path, bool forWriting) {
#ifdef _WIN32
  return _wfopen(path.c_str(), forWriting ? L"wb" : L"rb");
#else
  return std::fopen(path.c_str(), forWriting ? "wb" : "rb");
#endif
}

class FileCloser {
 public:
  explicit FileCloser(std::FILE* file) : file_(file) {}
  ~FileCloser() {
    if (file_) std::fclose(file_);
  }
  FileCloser(const FileCloser&) = delete;
  FileCloser& operator=(const FileCloser&) = delete;
  // Closes now and tells whether everything written reached the file.
  bool close() {
    const bool ok = std::fclose(file_) == 0;
    file_ = nullptr;
    return ok;
  }

 private:
  std::FILE* file_;
};

std::optional<std::string> readFile(const std::filesystem::path& path) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return std::nullopt;
  std::FILE* file = openFile(path, false);
  if (!file) return std::nullopt;
  FileCloser closer(file);
  std::string bytes;
  char buffer[65536];
  std::size_t count;
  while ((count = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, count);
  if (std::ferror(file)) return std::nullopt;
  return bytes;
}

// Writes and flushes to the disk; false when any step failed.
bool writeFileDurably(const std::filesystem::path& path, const std::string& bytes) {
  std::FILE* file = openFile(path, true);
  if (!file) return false;
  FileCloser closer(file);
  if (std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size()) return false;
  if (std::fflush(file) != 0) return false;
#ifdef _WIN32
  if (_commit(_fileno(file)) != 0) return false;
#else
  if (fsync(fileno(file)) != 0) return false;
#endif
  return closer.close();
}

}  // namespace

IniFile IniFile::load(Text path) {
  const std::optional<std::string> bytes = readFile(fileSystemPath(path));
  return fromBytes(std::move(path), bytes ? *bytes : std::string());
}

IniFile IniFile::fromBytes(Text path, std::string_view bytes) {
  const bool utf16 = detectByteOrderMark(bytes) == ByteOrderMark::Utf16LE;
  IniFile file(std::move(path), utf16 ? Encoding::Utf16LE : Encoding::Cp932);
  if (utf16) bytes.remove_prefix(byteOrderMarkLength(ByteOrderMark::Utf16LE));

  // A line ends at LF, CR LF or a CR alone. In CP932 neither byte can be
  // the second byte of a character, so the bytes can be cut directly.
  const std::size_t unit = utf16 ? 2 : 1;
  auto unitAt = [&](std::size_t i) -> char16_t {
    const auto low = static_cast<unsigned char>(bytes[i]);
    return utf16 ? static_cast<char16_t>(low | (static_cast<unsigned char>(bytes[i + 1]) << 8)) : low;
  };
  const std::size_t whole = bytes.size() - bytes.size() % unit;
  std::size_t start = 0;
  while (start < whole) {
    std::size_t end = start;
    while (end < whole && unitAt(end) != u'\r' && unitAt(end) != u'\n') end += unit;
    std::size_t next = end;
    if (next < whole && unitAt(next) == u'\r') next += unit;
    if (next < whole && unitAt(next) == u'\n' && (next == end || unitAt(end) == u'\r')) next += unit;
    Line line;
    line.raw = std::string(bytes.substr(start, end - start));
    line.end = std::string(bytes.substr(end, next - end));
    line.text = utf16 ? decodeUtf16LE(line.raw) : decodeCp932(line.raw);
    file.lines_.push_back(std::move(line));
    start = next;
  }
  if (whole < bytes.size()) {
    // An odd last byte of a UTF-16 file: kept, though it is no character.
    if (file.lines_.empty()) file.lines_.emplace_back();
    file.lines_.back().end += bytes.substr(whole);
  }
  return file;
}

Text IniFile::readString(TextView section, TextView key, TextView defaultValue) const {
  const TextView sectionName = trimBlanks(section);
  const TextView keyName = trimBlanks(key);
  bool inSection = false;
  for (const Line& line : lines_) {
    const ParsedLine parsed = parseLine(line.text);
    if (parsed.kind == ParsedLine::Kind::Section) {
      // Only the first section of a name counts.
      if (inSection) break;
      inSection = sameName(parsed.name, sectionName);
    } else if (inSection && parsed.kind == ParsedLine::Kind::Key && sameName(parsed.name, keyName)) {
      return Text(withoutQuotes(parsed.value));
    }
  }
  // The functions drop trailing spaces of the default too.
  while (!defaultValue.empty() && defaultValue.back() == u' ') defaultValue.remove_suffix(1);
  return Text(withoutQuotes(defaultValue));
}

void IniFile::writeString(TextView section, TextView key, TextView value) {
  const TextView sectionName = trimBlanks(section);
  const TextView keyName = trimBlanks(key);
  while (!value.empty() && isProfileBlank(value.front())) value.remove_prefix(1);

  std::optional<std::size_t> header;
  std::size_t lastFilled = 0;  // the last line of the section that is not blank
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const ParsedLine parsed = parseLine(lines_[i].text);
    if (parsed.kind == ParsedLine::Kind::Section) {
      if (header) break;
      if (sameName(parsed.name, sectionName)) header = lastFilled = i;
    } else if (header && isKeyLine(parsed, lines_[i].text, keyName)) {
      if (parsed.kind == ParsedLine::Kind::Key && parsed.value == value) return;  // as the functions do
      Line& line = lines_[i];
      Text text(parsed.kind == ParsedLine::Kind::Key ? parsed.name : trimBlanks(line.text));
      text += u'=';
      text += value;
      Line replaced = makeLine(std::move(text));
      replaced.end = std::move(line.end);
      line = std::move(replaced);
      return;
    } else if (header && !trimBlanks(lines_[i].text).empty()) {
      lastFilled = i;
    }
  }

  Text keyLine(keyName);
  keyLine += u'=';
  keyLine += value;
  if (header) {
    // After the section's last line that is not blank, so blank lines
    // that separate it from the next section stay after the new key.
    endLine(lastFilled);
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(lastFilled) + 1, makeLine(std::move(keyLine)));
    return;
  }
  if (!lines_.empty()) endLine(lines_.size() - 1);
  Text headerLine(u"[");
  headerLine += sectionName;
  headerLine += u']';
  lines_.push_back(makeLine(std::move(headerLine)));
  lines_.push_back(makeLine(std::move(keyLine)));
}

std::string IniFile::bytes() const {
  std::string out;
  if (encoding_ == Encoding::Utf16LE) out = "\xFF\xFE";
  for (const Line& line : lines_) {
    out += line.raw;
    out += line.end;
  }
  return out;
}

void IniFile::save() const {
  const std::filesystem::path target = fileSystemPath(path_);
  std::filesystem::path temporary = target;
  temporary += ".tmp";
  const std::string content = bytes();

  // A read-only file is not replaced, as the Windows functions cannot
  // write it either (checked on the bits, as root may write anything).
  std::error_code statusError;
  const auto status = std::filesystem::status(target, statusError);
  const bool exists = std::filesystem::exists(status);
  bool written =
      !(exists && (status.permissions() & std::filesystem::perms::owner_write) == std::filesystem::perms::none);
  written = written && writeFileDurably(temporary, content);
  if (written && exists) {
    std::error_code ignored;
    std::filesystem::permissions(temporary, status.permissions(), ignored);
  }
  if (written) {
    // With mingw this is MoveFileExW with MOVEFILE_REPLACE_EXISTING.
    std::error_code renameError;
    std::filesystem::rename(temporary, target, renameError);
    written = !renameError;
  }
  if (!written) {
    std::error_code ignored;
    std::filesystem::remove(temporary, ignored);
    Text message = path_;
    message += u" に書き込めません";
    throw Error(std::move(message));
  }
}

std::string IniFile::encode(TextView text) const {
  return encoding_ == Encoding::Utf16LE ? encodeUtf16LE(text) : encodeCp932(text);
}

IniFile::Line IniFile::makeLine(Text text) const {
  Line line;
  line.raw = encode(text);
  line.end = encode(u"\r\n");
  line.text = std::move(text);
  return line;
}

void IniFile::endLine(std::size_t index) {
  if (lines_[index].end.empty()) lines_[index].end = encode(u"\r\n");
}

}  // namespace zemvo

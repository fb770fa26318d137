#pragma once

#include "settings/profile_file.h"

namespace zemvo::win32 {

// The Windows profile functions over one file: GetPrivateProfileStringW and
// WritePrivateProfileStringW, which write each key as it is set. The portable
// IniFile is held against it: on every file they must read the same values,
// and after the same writes hold the same sections, keys and values.
class Win32ProfileFile final : public ProfileFile {
 public:
  explicit Win32ProfileFile(Text path) : path_(std::move(path)) {}

  // The whole value, however long.
  Text readString(TextView section, TextView key, TextView defaultValue) const override;
  // Throws zemvo::Error "<path> に書き込めません" when the functions fail.
  void writeString(TextView section, TextView key, TextView value) override;
  // Writes out whatever the system still holds of the file.
  void flush();

  const Text& path() const { return path_; }

 private:
  Text path_;
};

}  // namespace zemvo::win32

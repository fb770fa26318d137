#pragma once

#include <cstdint>
#include <string>

#include "core/text.h"

namespace zemvo {

// Reading and writing keys of an INI file with the semantics of the Windows
// profile functions (GetPrivateProfileStringW / WritePrivateProfileStringW).
class ProfileFile {
 public:
  virtual ~ProfileFile() = default;
  // The value of `key` in `section` (both compared without regard to case),
  // trimmed of blanks and of one pair of surrounding quotes; `defaultValue`
  // when the section or key is missing.
  virtual Text readString(TextView section, TextView key, TextView defaultValue) const = 0;
  // Replaces the value in place, or appends the key at the end of its
  // section, or the section at the end of the file.
  virtual void writeString(TextView section, TextView key, TextView value) = 0;
};

// The integer reader: optional sign, decimal, or hexadecimal after "0x"/"0X"
// (longer than two characters) or "$"; anything else gives the default.
std::int32_t readProfileInteger(const ProfileFile& file, TextView section, TextView key, std::int32_t defaultValue);
// Any non-zero integer is yes; a malformed value gives the default.
bool readProfileBool(const ProfileFile& file, TextView section, TextView key, bool defaultValue);
// Present but empty gives empty; at most 2047 characters.
Text readProfileText(const ProfileFile& file, TextView section, TextView key, TextView defaultValue);

}  // namespace zemvo

#include "win32/win32_profile_file.h"

#include <windows.h>

#include <string>
#include <vector>

#include "core/error.h"

namespace zemvo::win32 {
namespace {

std::wstring wide(TextView text) { return std::wstring(text.begin(), text.end()); }

}  // namespace

Text Win32ProfileFile::readString(TextView section, TextView key, TextView defaultValue) const {
  const std::wstring sectionName = wide(section);
  const std::wstring keyName = wide(key);
  const std::wstring fallback = wide(defaultValue);
  const std::wstring file = wide(path_);
  // The functions cut a value to the buffer and then return its size - 1:
  // try again with a larger one until the value fits.
  std::vector<wchar_t> buffer(2048);
  for (;;) {
    const DWORD length = GetPrivateProfileStringW(sectionName.c_str(), keyName.c_str(), fallback.c_str(), buffer.data(),
                                                  static_cast<DWORD>(buffer.size()), file.c_str());
    if (length + 1 < buffer.size()) return Text(buffer.begin(), buffer.begin() + length);
    buffer.resize(buffer.size() * 4);
  }
}

void Win32ProfileFile::writeString(TextView section, TextView key, TextView value) {
  if (!WritePrivateProfileStringW(wide(section).c_str(), wide(key).c_str(), wide(value).c_str(), wide(path_).c_str())) {
    throw Error(path_ + u" に書き込めません");
  }
}

void Win32ProfileFile::flush() { WritePrivateProfileStringW(nullptr, nullptr, nullptr, wide(path_).c_str()); }

}  // namespace zemvo::win32

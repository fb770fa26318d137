// Code page 932 through the system's conversion functions.
#include <windows.h>

#include "core/cp932.h"

namespace zemvo {

std::string encodeCp932(TextView text) {
  if (text.empty()) return {};
  const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
  const int length = static_cast<int>(text.size());
  // Without the flag "é" would quietly become "e" instead of the default character.
  const int size = WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, wide, length, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, wide, length, out.data(), size, nullptr, nullptr);
  return out;
}

Text decodeCp932(std::string_view bytes) {
  if (bytes.empty()) return {};
  const int length = static_cast<int>(bytes.size());
  const int size = MultiByteToWideChar(932, 0, bytes.data(), length, nullptr, 0);
  Text out(static_cast<std::size_t>(size), u'\0');
  MultiByteToWideChar(932, 0, bytes.data(), length, reinterpret_cast<wchar_t*>(out.data()), size);
  return out;
}

}  // namespace zemvo

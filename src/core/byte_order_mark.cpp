#include "core/cp932.h"

namespace zemvo {

ByteOrderMark detectByteOrderMark(std::string_view bytes) {
  if (bytes.starts_with("\xEF\xBB\xBF")) return ByteOrderMark::Utf8;
  if (bytes.starts_with("\xFF\xFE")) return ByteOrderMark::Utf16LE;
  if (bytes.starts_with("\xFE\xFF")) return ByteOrderMark::Utf16BE;
  return ByteOrderMark::None;
}

std::size_t byteOrderMarkLength(ByteOrderMark mark) {
  switch (mark) {
    case ByteOrderMark::Utf8:
      return 3;
    case ByteOrderMark::Utf16LE:
    case ByteOrderMark::Utf16BE:
      return 2;
    case ByteOrderMark::None:
      break;
  }
  return 0;
}

std::string encodeUtf16LE(TextView text) {
  std::string out;
  out.reserve(text.size() * 2);
  for (char16_t c : text) {
    out += static_cast<char>(c & 0xFF);
    out += static_cast<char>(c >> 8);
  }
  return out;
}

Text decodeUtf16LE(std::string_view bytes) {
  Text out;
  out.reserve(bytes.size() / 2);
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    out += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                 (static_cast<unsigned char>(bytes[i + 1]) << 8));
  }
  return out;
}

}  // namespace zemvo

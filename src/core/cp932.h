#pragma once

#include <string>
#include <string_view>

#include "core/text.h"

namespace zemvo {

// Code page 932, the ANSI code page of the systems the program serves and the
// encoding of SIMA files. A character the code page cannot hold becomes its
// default character "?".
std::string encodeCp932(TextView text);
Text decodeCp932(std::string_view bytes);

enum class ByteOrderMark { None, Utf8, Utf16LE, Utf16BE };

ByteOrderMark detectByteOrderMark(std::string_view bytes);
std::size_t byteOrderMarkLength(ByteOrderMark mark);

// Little-endian UTF-16 bytes without a byte-order mark, and back.
std::string encodeUtf16LE(TextView text);
Text decodeUtf16LE(std::string_view bytes);

}  // namespace zemvo

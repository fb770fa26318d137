// Code page 932 through iconv, for every platform but Windows, where the
// system's own conversion functions do it.
#ifndef _WIN32

#include <iconv.h>

#include <cerrno>
#include <optional>
#include <stdexcept>

#include "core/cp932.h"

namespace zemvo {
namespace {

class Converter {
 public:
  Converter(const char* to, const char* from) : handle_(iconv_open(to, from)) {
    if (handle_ == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv cannot convert CP932");
  }
  ~Converter() { iconv_close(handle_); }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // Converts as much as it can; returns false at a sequence it cannot take,
  // with `in` left at that sequence.
  bool convert(const char*& in, std::size_t& inLeft, std::string& out) {
    char buffer[4096];
    while (inLeft > 0) {
      char* outPtr = buffer;
      std::size_t outLeft = sizeof buffer;
      const std::size_t result = iconv(handle_, const_cast<char**>(&in), &inLeft, &outPtr, &outLeft);
      out.append(buffer, sizeof buffer - outLeft);
      if (result == static_cast<std::size_t>(-1) && errno != E2BIG) {
        iconv(handle_, nullptr, nullptr, nullptr, nullptr);
        return false;
      }
    }
    return true;
  }

 private:
  iconv_t handle_;
};

}  // namespace

namespace {

void encodeThroughIconv(Converter& converter, TextView text, std::string& out) {
  const std::string utf16 = encodeUtf16LE(text);
  const char* in = utf16.data();
  std::size_t left = utf16.size();
  while (!converter.convert(in, left, out)) {
    // One character the code page lacks (two units for a surrogate pair).
    const auto unit = static_cast<char16_t>(static_cast<unsigned char>(in[0]) | (static_cast<unsigned char>(in[1]) << 8));
    const std::size_t skip = (unit >= 0xD800 && unit <= 0xDBFF && left >= 4) ? 4 : 2;
    out += '?';
    in += skip;
    left -= skip;
  }
}

}  // namespace

// ASCII is the same in CP932, and most of a DXF file is ASCII: only runs
// of other characters go through iconv.
std::string encodeCp932(TextView text) {
  std::string out;
  out.reserve(text.size());
  std::optional<Converter> converter;
  std::size_t i = 0;
  while (i < text.size()) {
    std::size_t end = i;
    while (end < text.size() && text[end] < 0x80) ++end;
    if (end > i) {
      const std::size_t at = out.size();
      out.resize(at + (end - i));
      char* dest = out.data() + at;
      for (; i < end; ++i) *dest++ = static_cast<char>(text[i]);
      continue;
    }
    const std::size_t start = i;
    while (i < text.size() && text[i] >= 0x80) ++i;
    if (!converter) converter.emplace("CP932", "UTF-16LE");
    encodeThroughIconv(*converter, text.substr(start, i - start), out);
  }
  return out;
}

Text decodeCp932(std::string_view bytes) {
  Converter converter("UTF-16LE", "CP932");
  const char* in = bytes.data();
  std::size_t left = bytes.size();
  std::string out;
  out.reserve(bytes.size() * 2);
  while (!converter.convert(in, left, out)) {
    // A byte that starts no CP932 character: the replacement character.
    out += "\xFD\xFF";
    ++in;
    --left;
  }
  return decodeUtf16LE(out);
}

}  // namespace zemvo

#endif

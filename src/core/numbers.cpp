#include "core/numbers.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <string>
#include <vector>

namespace zemvo {
namespace {

bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// Exact decimal digits of |value| far enough past the last one kept that a
// tie is told from a near-tie: a long double's unit in the last place is
// above 1E-20 of its magnitude.
constexpr int kGuardDigits = 25;

// Rounds a string of decimal digits (no sign, no point) at `keep` digits,
// half away from zero; returns true when a carry adds a leading digit.
bool roundDigits(std::string& digits, std::size_t keep) {
  const bool up = keep < digits.size() && digits[keep] >= '5';
  digits.resize(keep);
  if (!up) return false;
  for (std::size_t i = digits.size(); i-- > 0;) {
    if (digits[i] != '9') {
      ++digits[i];
      return false;
    }
    digits[i] = '0';
  }
  digits.insert(digits.begin(), '1');
  return true;
}

Text asText(const std::string& ascii) { return Text(ascii.begin(), ascii.end()); }

// printf of one long double, whatever its length.
std::string printed(const char* format, int precision, long double value) {
  std::vector<char> buffer(64);
  int size = std::snprintf(buffer.data(), buffer.size(), format, precision, value);
  if (size >= static_cast<int>(buffer.size())) {
    buffer.resize(static_cast<std::size_t>(size) + 1);
    size = std::snprintf(buffer.data(), buffer.size(), format, precision, value);
  }
  return std::string(buffer.data(), static_cast<std::size_t>(size));
}

}  // namespace

long double CellNumber(TextView text, long double defaultValue) {
  const Text t = trimmed(text);
  // Validate the grammar ourselves: strtold would also take hex, "inf", "nan"
  // and leading blanks of its own kind.
  std::size_t i = 0;
  if (i < t.size() && (t[i] == u'+' || t[i] == u'-')) ++i;
  std::size_t mantissaDigits = 0;
  while (i < t.size() && isDigit(t[i])) ++i, ++mantissaDigits;
  if (i < t.size() && t[i] == u'.') {
    ++i;
    while (i < t.size() && isDigit(t[i])) ++i, ++mantissaDigits;
  }
  if (mantissaDigits == 0) return defaultValue;
  if (i < t.size() && (t[i] == u'e' || t[i] == u'E')) {
    ++i;
    if (i < t.size() && (t[i] == u'+' || t[i] == u'-')) ++i;
    std::size_t exponentDigits = 0;
    while (i < t.size() && isDigit(t[i])) ++i, ++exponentDigits;
    if (exponentDigits == 0) return defaultValue;
  }
  if (i != t.size()) return defaultValue;
  const std::string ascii(t.begin(), t.end());
  errno = 0;
  const long double value = std::strtold(ascii.c_str(), nullptr);
  if (errno == ERANGE && std::isinf(value)) return defaultValue;
  return value;
}

long double roundToDecimals(int digits, long double value) {
  long double v = value * std::pow(10.0L, static_cast<long double>(digits));
  if (v >= 0 || std::isnan(v)) {
    v += 0.5L;
  } else {
    v -= 0.5L;
  }
  // A scaled value beyond 64 bits has no digits left to round at that
  // place; truncating it to an integer would wrap into a wrong number.
  if (std::isnan(v) || v >= 0x1p63L || v < -0x1p63L) return value;
  const auto k = static_cast<long long>(v);
  return static_cast<long double>(k) * std::pow(0.1L, static_cast<long double>(digits));
}

#ifdef __SIZEOF_INT128__
// Exact fixed formatting in integers: |value| = m * 2^-s, so the digits are
// m * 10^decimals / 2^s, and the remainder tells a tie exactly. Covers the
// coordinates a drawing holds; returns false for what it cannot take.
bool formatFixedExactly(long double value, int decimals, std::string& out) {
  if (decimals > 19) return false;
  int exponent = 0;
  const long double fraction = std::frexp(std::fabs(value), &exponent);
  if (exponent > 64) return false;
  const auto mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 64));  // exact: 64 bits at most
  const int shift = 64 - exponent;
  unsigned __int128 scaled = mantissa;
  for (int i = 0; i < decimals; ++i) scaled *= 10;
  std::uint64_t digits = 0;
  if (shift >= 128) {
    digits = 0;  // far below half a unit of the last decimal
  } else if (shift > 0) {
    const unsigned __int128 quotient = scaled >> shift;
    const unsigned __int128 remainder = scaled - (quotient << shift);
    const unsigned __int128 half = static_cast<unsigned __int128>(1) << (shift - 1);
    if (quotient > UINT64_MAX - 1) return false;
    digits = static_cast<std::uint64_t>(quotient) + (remainder >= half ? 1 : 0);
  } else {
    if (scaled > UINT64_MAX) return false;
    digits = static_cast<std::uint64_t>(scaled);
  }
  std::string text = std::to_string(digits);
  if (text.size() <= static_cast<std::size_t>(decimals)) {
    text.insert(0, static_cast<std::size_t>(decimals) + 1 - text.size(), '0');
  }
  if (decimals > 0) text.insert(text.size() - static_cast<std::size_t>(decimals), 1, '.');
  out.clear();
  if (value < 0 && digits != 0) out += '-';
  out += text;
  return true;
}
#endif

Text formatFixed(long double value, int decimals) {
  if (std::isnan(value)) return u"NAN";
  if (std::isinf(value)) return value < 0 ? u"-INF" : u"INF";
  if (decimals < 0) decimals = 0;
#ifdef __SIZEOF_INT128__
  std::string exact;
  if (formatFixedExactly(value, decimals, exact)) return asText(exact);
#endif
  const int precision = decimals + kGuardDigits;
  const std::string s = printed("%.*Lf", precision, std::fabs(value));
  const std::size_t point = s.find('.');
  std::string digits = s.substr(0, point) + s.substr(point + 1);
  std::size_t integerDigits = point;
  if (roundDigits(digits, integerDigits + decimals)) ++integerDigits;
  std::string out = digits.substr(0, integerDigits);
  if (decimals > 0) out += '.' + digits.substr(integerDigits);
  // A value that rounds to zero is written without a sign.
  if (value < 0 && digits.find_first_not_of('0') != std::string::npos) out.insert(out.begin(), '-');
  return asText(out);
}

Text formatGeneral(long double value) {
  if (std::isnan(value)) return u"NAN";
  if (std::isinf(value)) return value < 0 ? u"-INF" : u"INF";
  if (value == 0) return u"0";
  constexpr int kSignificant = 15;
  const std::string s = printed("%.*Le", kSignificant - 1 + kGuardDigits, std::fabs(value));
  const std::size_t e = s.find('e');
  std::string digits = s.substr(0, 1) + s.substr(2, e - 2);
  int exponent = std::stoi(s.substr(e + 1));
  if (roundDigits(digits, kSignificant)) {
    ++exponent;
    digits.pop_back();
  }
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

  std::string out = value < 0 ? "-" : "";
  if (exponent >= -5 && exponent < kSignificant) {
    if (exponent < 0) {
      out += "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    } else if (digits.size() <= static_cast<std::size_t>(exponent) + 1) {
      out += digits + std::string(static_cast<std::size_t>(exponent) + 1 - digits.size(), '0');
    } else {
      out += digits.substr(0, static_cast<std::size_t>(exponent) + 1) + '.' +
             digits.substr(static_cast<std::size_t>(exponent) + 1);
    }
  } else {
    out += digits.substr(0, 1);
    if (digits.size() > 1) out += '.' + digits.substr(1);
    out += 'E' + std::to_string(exponent);
  }
  return asText(out);
}

std::optional<std::int32_t> parseInteger(TextView text) {
  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
    negative = text[i] == u'-';
    ++i;
  }
  int base = 10;
  if (i < text.size() && text[i] == u'$') {
    base = 16;
    ++i;
  } else if (i + 2 < text.size() && text[i] == u'0' && (text[i + 1] == u'x' || text[i + 1] == u'X')) {
    base = 16;
    i += 2;
  }
  if (i == text.size()) return std::nullopt;
  unsigned long long magnitude = 0;
  for (; i < text.size(); ++i) {
    const char16_t c = text[i];
    int digit = -1;
    if (isDigit(c)) {
      digit = c - u'0';
    } else if (base == 16 && c >= u'a' && c <= u'f') {
      digit = c - u'a' + 10;
    } else if (base == 16 && c >= u'A' && c <= u'F') {
      digit = c - u'A' + 10;
    }
    if (digit < 0) return std::nullopt;
    magnitude = magnitude * base + digit;
    if (magnitude > 0xFFFFFFFFull) return std::nullopt;
  }
  if (base == 16) {
    // Hexadecimal spans the 32 bits: "$FFFFFFFF" is -1.
    const auto bits = static_cast<std::uint32_t>(magnitude);
    const auto value = static_cast<std::int32_t>(bits);
    return negative ? static_cast<std::int32_t>(0u - bits) : value;
  }
  if (negative) {
    if (magnitude > 0x80000000ull) return std::nullopt;
    return static_cast<std::int32_t>(-static_cast<long long>(magnitude));
  }
  if (magnitude > 0x7FFFFFFFull) return std::nullopt;
  return static_cast<std::int32_t>(magnitude);
}

}  // namespace zemvo

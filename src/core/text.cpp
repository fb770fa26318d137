#include "core/text.h"

#include <cstdio>

namespace zemvo {

std::string toUtf8(TextView text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      c = 0xFFFD;  // a lone surrogate has no UTF-8 form
    }
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (c >> 18));
      out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

Text fromUtf8(std::string_view utf8) {
  Text out;
  out.reserve(utf8.size());
  std::size_t i = 0;
  while (i < utf8.size()) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    int extra = lead < 0x80 ? 0 : lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : -1;
    char32_t c = extra == 0 ? lead : extra == 1 ? (lead & 0x1F) : extra == 2 ? (lead & 0x0F) : (lead & 0x07);
    bool valid = extra >= 0;
    for (int k = 1; valid && k <= extra; ++k) {
      if (i + k >= utf8.size()) {
        valid = false;
        break;
      }
      const auto next = static_cast<unsigned char>(utf8[i + k]);
      if ((next & 0xC0) != 0x80) {
        valid = false;
        break;
      }
      c = (c << 6) | (next & 0x3F);
    }
    if (!valid) {
      out += u'\uFFFD';
      ++i;
      continue;
    }
    i += extra + 1;
    if (c >= 0x10000) {
      c -= 0x10000;
      out += static_cast<char16_t>(0xD800 + (c >> 10));
      out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
    } else {
      out += static_cast<char16_t>(c);
    }
  }
  return out;
}

Text trimmed(TextView text) {
  std::size_t first = 0;
  std::size_t last = text.size();
  while (first < last && text[first] <= u' ') ++first;
  while (last > first && text[last - 1] <= u' ') --last;
  return Text(text.substr(first, last - first));
}

Text decimalText(long long value) {
  const std::string digits = std::to_string(value);
  return Text(digits.begin(), digits.end());
}

Text withControlsAsBlanks(TextView text) {
  Text out(text);
  for (char16_t& c : out) {
    if (c < u' ' || c == 0x7F) c = u' ';
  }
  return out;
}

Text escapeControls(TextView text) {
  Text out;
  for (char16_t c : text) {
    if (c == u'\r') {
      out += u"\\r";
    } else if (c == u'\n') {
      out += u"\\n";
    } else if (c == u'\t') {
      out += u"\\t";
    } else if (c < u' ') {
      char buffer[8];
      std::snprintf(buffer, sizeof buffer, "\\x%02X", static_cast<unsigned>(c));
      out += fromUtf8(buffer);
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace zemvo

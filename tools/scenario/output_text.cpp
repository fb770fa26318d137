#include "output_text.h"

#include "core/cp932.h"
#include "core/numbers.h"
#include "fakes/fake_cad_link.h"

namespace zemvo::scenario {

std::string escaped(TextView text) { return toUtf8(escapeControls(text)); }

std::string quotedText(TextView text) {
  Text out;
  for (char16_t c : text) {
    if (c == u'"' || c == u'\\') out += u'\\';
    out += c;
  }
  return "\"" + escaped(out) + "\"";
}

std::string variantText(const Variant& value) {
  struct Visitor {
    std::string operator()(const EmptyValue&) const { return "empty"; }
    std::string operator()(std::int16_t v) const { return std::to_string(v); }
    std::string operator()(std::int32_t v) const { return std::to_string(v); }
    std::string operator()(std::int64_t v) const { return std::to_string(v); }
    std::string operator()(double v) const { return toUtf8(formatGeneral(v)); }
    std::string operator()(bool v) const { return v ? "true" : "false"; }
    std::string operator()(const Text& v) const { return quotedText(v); }
    std::string operator()(const std::vector<double>& v) const {
      std::string out;
      for (double d : v) out += (out.empty() ? "" : ",") + toUtf8(formatGeneral(d));
      return "(" + out + ")";
    }
    std::string operator()(const std::vector<std::int16_t>& v) const {
      std::string out;
      for (std::int16_t i : v) out += (out.empty() ? "" : ",") + std::to_string(i);
      return "(" + out + ")";
    }
    std::string operator()(const VariantArray& v) const {
      std::string out;
      for (const Variant& item : v) out += (out.empty() ? "" : ",") + variantText(item);
      return "[" + out + "]";
    }
    std::string operator()(const ObjectRef& v) const { return v ? "object" : "nothing"; }
    std::string operator()(const ErrorValue& v) const { return "error " + std::to_string(v.code); }
  };
  return std::visit(Visitor{}, value.value);
}

std::vector<std::string> gridRows(const StringGrid& grid) {
  std::vector<std::string> rows;
  for (int row = 0; row < grid.rowCount(); ++row) {
    std::string line;
    for (int col = 0; col < grid.colCount(); ++col) {
      if (col > 0) line += '\t';
      line += escaped(grid.cell(col, row));
    }
    rows.push_back(std::move(line));
  }
  return rows;
}

std::vector<std::string> fileLines(std::string_view bytes) {
  const bool utf16 = detectByteOrderMark(bytes) == ByteOrderMark::Utf16LE;
  const Text text =
      utf16 ? decodeUtf16LE(bytes.substr(byteOrderMarkLength(ByteOrderMark::Utf16LE))) : decodeCp932(bytes);
  std::vector<std::string> lines{utf16 ? "utf-16le" : "cp932"};
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find(u"\r\n", start);
    if (end == Text::npos) {
      lines.push_back(escaped(TextView(text).substr(start)) + "  (no line end)");
      break;
    }
    lines.push_back(escaped(TextView(text).substr(start, end - start)));
    start = end + 2;
  }
  return lines;
}

}  // namespace zemvo::scenario

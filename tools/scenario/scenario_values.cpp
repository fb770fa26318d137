#include "scenario_values.h"

#include <charconv>
#include <cstdint>
#include <limits>

namespace zemvo::scenario {
namespace {

template <typename Number>
bool parsed(const std::string& text, Number& value) {
  const char* end = text.data() + text.size();
  const auto result = std::from_chars(text.data(), end, value);
  return result.ec == std::errc() && result.ptr == end;
}

std::vector<std::string> commaPieces(const std::string& text) {
  std::vector<std::string> pieces;
  std::size_t start = 0;
  for (std::size_t comma; (comma = text.find(',', start)) != std::string::npos; start = comma + 1) {
    pieces.push_back(text.substr(start, comma - start));
  }
  pieces.push_back(text.substr(start));
  return pieces;
}

}  // namespace

int integerWord(const Word& word, int line) {
  int value = 0;
  if (!parsed(word.text, value)) throw ScenarioError(line, "not an integer: " + word.text);
  return value;
}

bool flagWord(const Word& word, int line) {
  if (word.text == "0") return false;
  if (word.text == "1") return true;
  throw ScenarioError(line, "not 0 or 1: " + word.text);
}

double numberWord(const Word& word, int line) {
  double value = 0;
  if (!parsed(word.text, value)) throw ScenarioError(line, "not a number: " + word.text);
  return value;
}

CadPoint pointWord(const Word& word, int line) {
  const std::vector<std::string> pieces = commaPieces(word.text);
  if (pieces.size() < 2 || pieces.size() > 3) throw ScenarioError(line, "not a point x,y[,z]: " + word.text);
  CadPoint point{};
  for (std::size_t i = 0; i < pieces.size(); ++i) point[i] = numberWord({pieces[i]}, line);
  return point;
}

Variant variantWord(const Word& word, int line) {
  if (word.quoted) return fromUtf8(word.text);
  if (word.text == "true" || word.text == "false") return word.text == "true";
  if (word.text.find(',') != std::string::npos) {
    std::vector<double> values;
    for (const std::string& piece : commaPieces(word.text)) values.push_back(numberWord({piece}, line));
    return values;
  }
  std::int32_t integer = 0;
  if (parsed(word.text, integer)) {
    if (integer >= std::numeric_limits<std::int16_t>::min() && integer <= std::numeric_limits<std::int16_t>::max()) {
      return static_cast<std::int16_t>(integer);
    }
    return integer;
  }
  double number = 0;
  if (parsed(word.text, number)) return number;
  return fromUtf8(word.text);
}

}  // namespace zemvo::scenario

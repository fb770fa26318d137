#include <optional>

#include "core/numbers.h"
#include "settings/profile_file.h"

namespace zemvo {
namespace {

// The readers read through a buffer of 2048 characters, one of them the
// terminating null.
constexpr std::size_t kMaxTextLength = 2047;

}  // namespace

std::int32_t readProfileInteger(const ProfileFile& file, TextView section, TextView key, std::int32_t defaultValue) {
  // parseInteger is the rule itself: sign, "$", "0x"/"0X" only before more
  // characters, nothing else; an empty text is no integer.
  const std::optional<std::int32_t> value = parseInteger(file.readString(section, key, u""));
  return value ? *value : defaultValue;
}

bool readProfileBool(const ProfileFile& file, TextView section, TextView key, bool defaultValue) {
  return readProfileInteger(file, section, key, defaultValue ? 1 : 0) != 0;
}

Text readProfileText(const ProfileFile& file, TextView section, TextView key, TextView defaultValue) {
  Text text = file.readString(section, key, defaultValue);
  if (text.size() > kMaxTextLength) text.resize(kMaxTextLength);
  return text;
}

}  // namespace zemvo

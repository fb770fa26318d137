#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zemvo {

// UTF-16 code units, as on Windows: lengths, positions and comparisons count
// code units.
using Text = std::u16string;
using TextView = std::u16string_view;

// Conversions at the edges only (file names on Linux, test output).
std::string toUtf8(TextView text);
Text fromUtf8(std::string_view utf8);

// Removes leading and trailing characters up to U+0020 (blanks and control
// characters), as the list and settings readers do.
Text trimmed(TextView text);

// Decimal text of an integer: "12", "-3".
Text decimalText(long long value);

// Control characters (below U+0020 and U+007F) replaced by a blank.
Text withControlsAsBlanks(TextView text);

// Control characters written as \r, \n, \t and \xNN, for journals and
// printed output that must stay on one line.
Text escapeControls(TextView text);

}  // namespace zemvo

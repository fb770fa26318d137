#pragma once

#include <string>
#include <string_view>

#include "core/string_grid.h"
#include "core/text.h"
#include "core/variant.h"

namespace zemvo::scenario {

// A text in double quotes, control characters, quotes and backslashes
// escaped, so that every printed value stays on one line.
std::string quotedText(TextView text);

// A cell, a journal entry: control characters escaped, no quotes.
std::string escaped(TextView text);

std::string variantText(const Variant& value);

// The rows of a grid, header row included: cells separated by a TAB.
std::vector<std::string> gridRows(const StringGrid& grid);

// A file's lines as the program wrote them: UTF-16 LE after its byte-order
// mark, else CP932, decoded to UTF-8; each line ended by CR LF. The first
// entry names the encoding; a last line without CR LF is marked.
std::vector<std::string> fileLines(std::string_view bytes);

}  // namespace zemvo::scenario

#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace zemvo::scenario {

// A failure of the scenario itself (not of the program under test): an
// unknown command, control or file, a malformed value. Line 0: the end.
class ScenarioError : public std::runtime_error {
 public:
  ScenarioError(int line, const std::string& message) : std::runtime_error(message), line_(line) {}
  int line() const { return line_; }

 private:
  int line_;
};

struct Word {
  std::string text;
  bool quoted = false;  // written in double quotes: always a text
};

// One command: its words and, when its last word was "<<END", the lines up
// to the line "END".
struct Command {
  int line = 0;
  std::vector<Word> words;
  std::optional<std::vector<std::string>> body;
};

// Blank lines and lines starting with "#" are skipped. Words are separated
// by blanks; a word in double quotes may hold blanks and the escapes for a
// quote, a backslash, TAB, CR and LF (\t, \r, \n).
std::vector<Command> parseScript(std::string_view source);

// The command's word at `index` (the command's name is word 0); `what`
// names it in the error when it is missing.
const Word& wordAt(const Command& command, std::size_t index, const char* what);
// Between min and max words after the command's name.
void expectWordCount(const Command& command, std::size_t min, std::size_t max);

}  // namespace zemvo::scenario

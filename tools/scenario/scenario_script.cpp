#include "scenario_script.h"

namespace zemvo::scenario {
namespace {

std::vector<std::string> splitLines(std::string_view source) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < source.size()) {
    std::size_t end = source.find('\n', start);
    if (end == std::string_view::npos) end = source.size();
    std::string line(source.substr(start, end - start));
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
    start = end + 1;
  }
  return lines;
}

char escaped(char c, int line) {
  switch (c) {
    case '"':
    case '\\':
      return c;
    case 't':
      return '\t';
    case 'r':
      return '\r';
    case 'n':
      return '\n';
  }
  throw ScenarioError(line, std::string("unknown escape \\") + c);
}

std::vector<Word> splitWords(const std::string& text, int line) {
  std::vector<Word> words;
  std::size_t i = 0;
  while (i < text.size()) {
    if (text[i] == ' ' || text[i] == '\t') {
      ++i;
      continue;
    }
    Word word;
    if (text[i] == '"') {
      word.quoted = true;
      ++i;
      while (i < text.size() && text[i] != '"') {
        if (text[i] == '\\' && i + 1 < text.size()) {
          word.text += escaped(text[i + 1], line);
          i += 2;
        } else {
          word.text += text[i++];
        }
      }
      if (i == text.size()) throw ScenarioError(line, "a quoted text is not closed");
      ++i;
    } else {
      while (i < text.size() && text[i] != ' ' && text[i] != '\t') word.text += text[i++];
    }
    words.push_back(std::move(word));
  }
  return words;
}

}  // namespace

std::vector<Command> parseScript(std::string_view source) {
  const std::vector<std::string> lines = splitLines(source);
  std::vector<Command> commands;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const int lineNumber = static_cast<int>(i) + 1;
    const std::size_t first = lines[i].find_first_not_of(" \t");
    if (first == std::string::npos || lines[i][first] == '#') continue;
    Command command{lineNumber, splitWords(lines[i], lineNumber), std::nullopt};
    const Word& last = command.words.back();
    if (!last.quoted && last.text.starts_with("<<") && last.text.size() > 2) {
      const std::string terminator = last.text.substr(2);
      command.words.pop_back();
      command.body.emplace();
      for (++i;; ++i) {
        if (i == lines.size()) throw ScenarioError(lineNumber, "no line " + terminator + " ends the text");
        if (lines[i] == terminator) break;
        command.body->push_back(lines[i]);
      }
    }
    commands.push_back(std::move(command));
  }
  return commands;
}

const Word& wordAt(const Command& command, std::size_t index, const char* what) {
  if (index >= command.words.size()) {
    throw ScenarioError(command.line, command.words.front().text + ": " + what + " missing");
  }
  return command.words[index];
}

void expectWordCount(const Command& command, std::size_t min, std::size_t max) {
  const std::size_t count = command.words.size() - 1;
  if (count < min || count > max) {
    throw ScenarioError(command.line, command.words.front().text + ": wrong number of words");
  }
}

}  // namespace zemvo::scenario

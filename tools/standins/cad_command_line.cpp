#include "cad_command_line.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/cp932.h"
#include "core/error.h"
#include "core/numbers.h"

namespace zemvo::standins {
namespace {

std::vector<Text> words(TextView line) {
  std::vector<Text> out;
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && (line[i] == u' ' || line[i] == u'\t')) ++i;
    const std::size_t start = i;
    while (i < line.size() && line[i] != u' ' && line[i] != u'\t') ++i;
    if (i > start) out.emplace_back(line.substr(start, i - start));
  }
  return out;
}

Point3 scriptPoint(const std::vector<Text>& w, std::size_t first, TextView line) {
  if (w.size() < first + 2 || w.size() > first + 3) throw Error(u"script: X Y [Z] expected: " + Text(line));
  Point3 p;
  double* targets[] = {&p.x, &p.y, &p.z};
  for (std::size_t i = first; i < w.size(); ++i) {
    const auto value = parseNumber(w[i]);
    if (!value) throw Error(u"script: not a number: " + Text(line));
    *targets[i - first] = *value;
  }
  return p;
}

Text pointText(const Point3& p) { return formatGeneral(p.x) + u"," + formatGeneral(p.y) + u"," + formatGeneral(p.z); }

bool isObjectSnap(const Text& word) {
  static const char16_t* const snaps[] = {u"INT", u"END", u"MID", u"CEN", u"NOD", u"QUA", u"PER",
                                          u"TAN", u"NEA", u"INS", u"APP", u"NON", u"NONE"};
  for (const char16_t* snap : snaps) {
    if (word == snap) return true;
  }
  return false;
}

Text withoutPrefixes(TextView name) {
  std::size_t i = 0;
  while (i < name.size() && (name[i] == u'_' || name[i] == u'.')) ++i;
  return upperAscii(name.substr(i));
}

std::string readFile(const Text& path) {
  std::wstring wide(path.begin(), path.end());
  FILE* file = _wfopen(wide.c_str(), L"rb");
  if (!file) throw Error(u"cannot open " + path);
  std::string bytes;
  char buffer[65536];
  std::size_t read;
  while ((read = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, read);
  std::fclose(file);
  return bytes;
}

}  // namespace

std::optional<double> parseNumber(TextView text) {
  const std::string utf8 = toUtf8(text);
  if (utf8.empty()) return std::nullopt;
  char* end = nullptr;
  const double value = std::strtod(utf8.c_str(), &end);
  if (end != utf8.c_str() + utf8.size()) return std::nullopt;
  return value;
}

std::optional<Point3> parsePoint(TextView text) {
  std::vector<double> values;
  std::size_t start = 0;
  for (;;) {
    const std::size_t comma = text.find(u',', start);
    const auto value = parseNumber(text.substr(start, comma == TextView::npos ? TextView::npos : comma - start));
    if (!value) return std::nullopt;
    values.push_back(*value);
    if (comma == TextView::npos) break;
    start = comma + 1;
  }
  if (values.size() < 2 || values.size() > 3) return std::nullopt;
  return Point3{values[0], values[1], values.size() == 3 ? values[2] : 0.0};
}

// UserScript

void UserScript::add(TextView lines) {
  std::size_t start = 0;
  while (start <= lines.size()) {
    std::size_t end = lines.find(u'\n', start);
    if (end == TextView::npos) end = lines.size();
    Text line = trimmed(lines.substr(start, end - start));
    start = end + 1;
    if (line.empty() || line[0] == u'#') continue;
    const std::vector<Text> w = words(line);
    const Text verb = upperAscii(w[0]);
    UserAction action;
    action.line = line;
    if (verb == u"SELECT") {
      action.kind = UserAction::Kind::Select;
      if (w.size() == 2 && upperAscii(w[1]) == u"ALL") {
        action.all = true;
      } else if (!(w.size() == 2 && upperAscii(w[1]) == u"NONE")) {
        action.handles.assign(w.begin() + 1, w.end());
      }
    } else if (verb == u"POINT") {
      action.kind = UserAction::Kind::Point;
      action.point = scriptPoint(w, 1, line);
    } else if (verb == u"ENTITY") {
      action.kind = UserAction::Kind::Entity;
      if (w.size() < 2) throw Error(u"script: entity HANDLE X Y [Z] expected: " + line);
      action.handles.push_back(w[1]);
      action.point = scriptPoint(w, 2, line);
    } else if (verb == u"MISS") {
      action.kind = UserAction::Kind::Miss;
      action.point = scriptPoint(w, 1, line);
    } else if (verb == u"CANCEL" && w.size() == 1) {
      action.kind = UserAction::Kind::Cancel;
    } else if (verb == u"HANG" && w.size() == 1) {
      action.kind = UserAction::Kind::Hang;
    } else if (verb == u"POLLS" && w.size() == 2) {
      const auto polls = parseNumber(w[1]);
      if (!polls || *polls < 0) throw Error(u"script: polls N expected: " + line);
      polls_ = static_cast<int>(*polls);
      continue;
    } else {
      throw Error(u"script: unknown line: " + line);
    }
    actions_.push_back(std::move(action));
  }
}

std::optional<UserAction> UserScript::next() {
  if (actions_.empty()) return std::nullopt;
  UserAction action = std::move(actions_.front());
  actions_.pop_front();
  return action;
}

// CommandLine

CommandLine::CommandLine(Drawing& drawing, UserScript& script, Journal& journal)
    : drawing_(drawing), script_(script), journal_(journal) {}

void CommandLine::note(Text line) { journal_.add(u"command line: " + line); }

void CommandLine::type(TextView input) {
  pending_ += input;
  process();
}

std::optional<Text> CommandLine::nextInput(bool toLineEnd) {
  for (;;) {
    if (pending_.starts_with(u"^C")) {
      pending_.erase(0, 2);
      cancel(u"^C");
      continue;
    }
    break;
  }
  if (pending_.empty()) return std::nullopt;
  std::size_t end;
  std::size_t skip = 1;
  Text input;
  if (toLineEnd && pending_[0] == u'"') {
    end = pending_.find(u'"', 1);
    if (end == Text::npos) return std::nullopt;
    input = pending_.substr(1, end - 1);
    // The quote, and the blank or line end after it.
    if (end + 1 < pending_.size() &&
        (pending_[end + 1] == u' ' || pending_[end + 1] == u'\r' || pending_[end + 1] == u'\n')) {
      skip = 2;
    }
  } else {
    end = pending_.find_first_of(toLineEnd ? u"\r\n" : u" \r\n");
    if (end == Text::npos) return std::nullopt;
    input = pending_.substr(0, end);
  }
  pending_.erase(0, end + skip);
  return input;
}

void CommandLine::process() {
  for (;;) {
    const bool toLineEnd = state_ == State::InsertName;
    const std::optional<Text> input = nextInput(toLineEnd);
    if (!input) return;
    switch (state_) {
      case State::Idle:
        if (!input->empty()) command(*input);
        break;
      case State::IdPoint: {
        const Text word = withoutPrefixes(*input);
        if (isObjectSnap(word)) {
          note(u"ID: object snap " + word);
        } else if (const auto point = parsePoint(*input)) {
          drawing_.variables[u"LASTPOINT"] = std::vector<double>{point->x, point->y, point->z};
          note(u"ID: typed point " + pointText(*point));
          state_ = State::Idle;
        } else {
          note(u"ID: invalid point \"" + *input + u"\"");
        }
        break;
      }
      case State::InsertName:
        insertName_ = *input;
        state_ = State::InsertPoint;
        break;
      case State::InsertPoint:
        if (const auto point = parsePoint(*input)) {
          insertPoint_ = *point;
          drawing_.variables[u"LASTPOINT"] = std::vector<double>{point->x, point->y, point->z};
          state_ = State::InsertScale;
        } else {
          note(u"-INSERT: invalid point \"" + *input + u"\"");
        }
        break;
      case State::InsertScale:
        if (input->empty()) {
          insertScale_ = 1;
          state_ = State::InsertRotation;
        } else if (const auto scale = parseNumber(*input)) {
          insertScale_ = *scale;
          state_ = State::InsertRotation;
        } else {
          note(u"-INSERT: invalid scale \"" + *input + u"\"");
        }
        break;
      case State::InsertRotation:
        if (input->empty()) {
          insert(0);
        } else if (const auto rotation = parseNumber(*input)) {
          insert(*rotation);
        } else {
          note(u"-INSERT: invalid rotation \"" + *input + u"\"");
        }
        break;
    }
  }
}

void CommandLine::command(Text name) {
  const Text command = withoutPrefixes(name);
  note(u"command " + command);
  if (command == u"ID") {
    const std::optional<UserAction> answer = script_.next();
    if (answer) {
      idAnswer_ = *answer;
      note(u"ID: the user answers \"" + answer->line + u"\"");
    } else {
      idAnswer_ = UserAction{};
      note(u"ID: nothing scripted; the user cancels");
    }
    idPolls_ = script_.polls();
    state_ = State::IdPoint;
  } else if (command == u"-INSERT") {
    state_ = State::InsertName;
  } else {
    note(u"unknown command \"" + name + u"\"");
  }
}

void CommandLine::cancel(const char16_t* why) {
  if (state_ != State::Idle) note(Text(u"cancelled by ") + why);
  state_ = State::Idle;
}

bool CommandLine::quiescent() {
  if (state_ == State::IdPoint) {
    if (idAnswer_.kind == UserAction::Kind::Hang) return false;
    if (idPolls_ > 0) {
      --idPolls_;
      return false;
    }
    finishId();
  }
  return state_ == State::Idle;
}

void CommandLine::finishId() {
  state_ = State::Idle;
  if (idAnswer_.kind == UserAction::Kind::Point) {
    const Point3& p = idAnswer_.point;
    drawing_.variables[u"LASTPOINT"] = std::vector<double>{p.x, p.y, p.z};
    note(u"ID: picked " + pointText(p));
  } else {
    note(u"ID: cancelled");
  }
}

void CommandLine::insert(double rotation) {
  state_ = State::Idle;
  if (!insertName_.starts_with(u"*")) {
    note(u"-INSERT: only an exploded insertion (\"*file\") is served: \"" + insertName_ + u"\"");
    return;
  }
  const Text path = insertName_.substr(1);
  try {
    const std::size_t added = insertDxf(drawing_, decodeCp932(readFile(path)), insertPoint_, insertScale_, rotation);
    note(u"-INSERT: " + decimalText(static_cast<long long>(added)) + u" entities from " + path + u" at " +
         pointText(insertPoint_) + u" scale " + formatGeneral(insertScale_) + u" rotation " + formatGeneral(rotation));
  } catch (const Error& error) {
    note(u"-INSERT: " + error.text());
  }
}

}  // namespace zemvo::standins

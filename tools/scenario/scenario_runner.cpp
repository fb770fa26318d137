#include "scenario_runner.h"

#include <fstream>

#include "control_properties.h"
#include "core/cp932.h"
#include "scenario_values.h"

namespace zemvo::scenario {
namespace fs = std::filesystem;
namespace {

// "ctrl+shift+Delete", "ctrl+V", "Insert", "F2", "Enter"
std::pair<KeyCode, ShiftState> keyCombination(const std::string& text, int line) {
  static const std::map<std::string, KeyCode, std::less<>> named{
      {"Backspace", 0x08}, {"Tab", 0x09},          {"Enter", 0x0D},        {"Escape", 0x1B},
      {"Space", 0x20},     {"PageUp", 0x21},       {"PageDown", 0x22},     {"End", 0x23},
      {"Home", 0x24},      {"Left", 0x25},         {"Up", 0x26},           {"Right", 0x27},
      {"Down", 0x28},      {"Insert", kKeyInsert}, {"Delete", kKeyDelete}, {"F2", 0x71}};
  ShiftState shift;
  std::string_view rest = text;
  for (;;) {
    if (rest.starts_with("ctrl+")) {
      shift.ctrl = true;
    } else if (rest.starts_with("shift+")) {
      shift.shift = true;
    } else if (rest.starts_with("alt+")) {
      shift.alt = true;
    } else {
      break;
    }
    rest.remove_prefix(rest.find('+') + 1);
  }
  if (rest.size() == 1 && ((rest[0] >= 'A' && rest[0] <= 'Z') || (rest[0] >= '0' && rest[0] <= '9'))) {
    return {static_cast<KeyCode>(rest[0]), shift};
  }
  const auto found = named.find(rest);
  if (found == named.end()) throw ScenarioError(line, "unknown key " + text);
  return {found->second, shift};
}

std::vector<std::string> tabSeparated(const std::string& line) {
  std::vector<std::string> cells;
  std::size_t start = 0;
  for (std::size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1) {
    cells.push_back(line.substr(start, tab - start));
  }
  cells.push_back(line.substr(start));
  return cells;
}

}  // namespace

ScenarioRunner::ScenarioRunner(fs::path work) : work_(std::move(work)), workText_(work_.string()) {}

const std::map<std::string, ScenarioRunner::Handler, std::less<>>& ScenarioRunner::handlers() {
  static const std::map<std::string, Handler, std::less<>> table{
      {"exe", &ScenarioRunner::exe},
      {"write", &ScenarioRunner::write},
      {"readonly", &ScenarioRunner::readOnly},
      {"mkdir", &ScenarioRunner::makeFolder},
      {"start", &ScenarioRunner::start},
      {"stop", &ScenarioRunner::stop},
      {"set", &ScenarioRunner::set},
      {"click", &ScenarioRunner::click},
      {"mousedown", &ScenarioRunner::mouseDown},
      {"fill", &ScenarioRunner::fill},
      {"select", &ScenarioRunner::select},
      {"key", &ScenarioRunner::key},
      {"header", &ScenarioRunner::header},
      {"answer", &ScenarioRunner::answer},
      {"choose", &ScenarioRunner::choose},
      {"clipboard", &ScenarioRunner::clipboard},
      {"cad", &ScenarioRunner::cad},
      {"window", &ScenarioRunner::window},
      {"print", &ScenarioRunner::print},
  };
  return table;
}

void ScenarioRunner::run(const std::vector<Command>& commands) {
  for (const Command& command : commands) {
    line_ = command.line;
    const auto handler = handlers().find(command.words.front().text);
    if (handler == handlers().end()) fail("unknown command " + command.words.front().text);
    (this->*handler->second)(command);
    echoHostEvents();
  }
  line_ = 0;
  checkNothingLeftUnused();
}

void ScenarioRunner::fail(const std::string& message) const { throw ScenarioError(line_, message); }

void ScenarioRunner::emit(std::string line) {
  for (std::size_t at; !workText_.empty() && (at = line.find(workText_)) != std::string::npos;) {
    line.replace(at, workText_.size(), "<work>");
  }
  output_ += line + "\n";
}

void ScenarioRunner::emitBlock(const std::vector<std::string>& lines) {
  for (const std::string& line : lines) emit(line.empty() ? line : "  " + line);
}

void ScenarioRunner::checkNothingLeftUnused() {
  if (!host_.messageAnswers.empty()) fail(std::to_string(host_.messageAnswers.size()) + " message answer(s) unused");
  if (!host_.fileAnswers.empty()) fail(std::to_string(host_.fileAnswers.size()) + " file answer(s) unused");
  if (!cad_.userActions.empty()) fail(std::to_string(cad_.userActions.size()) + " CAD user action(s) unused");
  if (!cad_.quiescentAnswers.empty())
    fail(std::to_string(cad_.quiescentAnswers.size()) + " quiescent answer(s) unused");
}

TForm1& ScenarioRunner::form() {
  if (!form_) fail("the form is not started (use start)");
  return *form_;
}

Control& ScenarioRunner::control(const Word& name) {
  Control* found = form().controls().find(fromUtf8(name.text));
  if (!found) fail("unknown control " + name.text);
  return *found;
}

GridControl& ScenarioRunner::grid(const Word& name) {
  auto* found = dynamic_cast<GridControl*>(&control(name));
  if (!found) fail(name.text + " is not a grid");
  return *found;
}

void ScenarioRunner::runHandler(const std::function<void()>& handler) {
  if (!form().run(handler)) fail("a handler is still running");
}

fs::path ScenarioRunner::inWork(const Word& relative) const {
  const fs::path path(relative.text);
  if (relative.text.empty() || path.is_absolute()) fail("a path inside the work folder is needed: " + relative.text);
  for (const fs::path& part : path) {
    if (part == "..") fail("a path may not leave the work folder: " + relative.text);
  }
  return work_ / path;
}

void ScenarioRunner::exe(const Command& command) {
  expectWordCount(command, 1, 1);
  inWork(command.words[1]);
  executable_ = command.words[1].text;
}

void ScenarioRunner::write(const Command& command) {
  expectWordCount(command, 1, 3);
  if (!command.body) fail("write needs its text: write <path> <<END ... END");
  std::string encoding = "cp932";
  std::string lineEnd = "\r\n";
  for (std::size_t i = 2; i < command.words.size(); ++i) {
    const std::string& option = command.words[i].text;
    if (option == "lf") {
      lineEnd = "\n";
    } else if (option == "cp932" || option == "utf8" || option == "utf16le") {
      encoding = option;
    } else {
      fail("unknown option of write: " + option);
    }
  }
  std::string utf8;
  for (const std::string& line : *command.body) utf8 += line + lineEnd;
  std::string bytes = utf8;
  if (encoding == "cp932") bytes = encodeCp932(fromUtf8(utf8));
  if (encoding == "utf16le") bytes = "\xFF\xFE" + encodeUtf16LE(fromUtf8(utf8));
  const fs::path path = inWork(command.words[1]);
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

void ScenarioRunner::readOnly(const Command& command) {
  expectWordCount(command, 1, 1);
  const fs::path path = inWork(command.words[1]);
  if (!fs::exists(path)) fail("no file " + command.words[1].text);
  fs::permissions(path, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
}

void ScenarioRunner::makeFolder(const Command& command) {
  expectWordCount(command, 1, 1);
  fs::create_directories(inWork(command.words[1]));
}

void ScenarioRunner::start(const Command& command) {
  expectWordCount(command, 0, 0);
  if (form_) fail("the form is already started");
  host_.executable = fromUtf8((work_ / executable_).string());
  form_ = std::make_unique<TForm1>(host_, cad_, windows_);
  runHandler([this] { form_->FormCreate(); });
}

void ScenarioRunner::stop(const Command& command) {
  expectWordCount(command, 0, 0);
  runHandler([this] { form().FormDestroy(); });
  form_.reset();
}

void ScenarioRunner::set(const Command& command) {
  expectWordCount(command, 3, 3);
  Control& target = control(command.words[1]);
  const std::string& name = command.words[2].text;
  const std::optional<Property> property = findProperty(target, name);
  if (!property) fail(command.words[1].text + " has no property " + name);
  if (!property->set) fail(command.words[1].text + "." + name + " cannot be set");
  const Word& word = command.words[3];
  PropertyValue value = property->get();
  if (std::holds_alternative<bool>(value)) value = flagWord(word, line_);
  if (std::holds_alternative<int>(value)) value = integerWord(word, line_);
  if (std::holds_alternative<Text>(value)) value = fromUtf8(word.text);
  runHandler([&] { property->set(value); });
}

// As a user clicks: only a control that is enabled, in enabled containers.
void ScenarioRunner::click(const Command& command) {
  expectWordCount(command, 1, 2);
  Control& target = control(command.words[1]);
  for (const Control* c = &target; c; c = form().controls().find(c->parent())) {
    if (!c->enabled()) fail(command.words[1].text + " cannot be clicked: " + toUtf8(c->name()) + " is disabled");
  }
  auto* spinner = dynamic_cast<UpDown*>(&target);
  const std::string arrow = command.words.size() > 2 ? command.words[2].text : "";
  if (spinner ? arrow != "up" && arrow != "down" : !arrow.empty()) {
    fail(spinner ? "click on an up-down needs up or down" : "click takes no argument here");
  }
  if (auto* button = dynamic_cast<Button*>(&target)) {
    runHandler([button] { button->click(); });
  } else if (auto* item = dynamic_cast<MenuItem*>(&target); item && !item->isSeparator()) {
    runHandler([item] { item->click(); });
  } else if (auto* box = dynamic_cast<CheckBox*>(&target)) {
    runHandler([box] { box->setChecked(!box->checked()); });
  } else if (spinner) {
    const UpDownButton button = arrow == "up" ? UpDownButton::Up : UpDownButton::Down;
    runHandler([spinner, button] { spinner->click(button); });
  } else if (auto* tab = dynamic_cast<TabSheet*>(&target)) {
    const auto& pages = form().PageControl1.pages();
    const int index = static_cast<int>(std::find(pages.begin(), pages.end(), tab) - pages.begin());
    runHandler([this, index] { form().PageControl1.changeTo(index); });
  } else {
    fail(command.words[1].text + " cannot be clicked");
  }
}

void ScenarioRunner::mouseDown(const Command& command) {
  expectWordCount(command, 2, 2);
  static const std::map<std::string, MouseButton, std::less<>> buttons{
      {"left", MouseButton::Left}, {"right", MouseButton::Right}, {"middle", MouseButton::Middle}};
  Control& target = control(command.words[1]);
  const auto found = buttons.find(command.words[2].text);
  if (found == buttons.end()) fail("mouse buttons are left, right and middle");
  const MouseButton button = found->second;
  if (auto* pressed = dynamic_cast<Button*>(&target)) {
    runHandler([pressed, button] { pressed->mouseDown(button); });
  } else if (auto* box = dynamic_cast<CheckBox*>(&target)) {
    runHandler([box, button] { box->mouseDown(button); });
  } else {
    fail(command.words[1].text + " takes no mouse-down");
  }
}

// The data rows become the body's lines; the header row stays.
void ScenarioRunner::fill(const Command& command) {
  expectWordCount(command, 1, 1);
  GridControl& target = grid(command.words[1]);
  if (!command.body) fail("fill needs its rows: fill <grid> <<END ... END");
  const std::vector<std::string>& lines = *command.body;
  for (const std::string& line : lines) {
    if (static_cast<int>(tabSeparated(line).size()) > target.colCount()) {
      fail("a row has more cells than " + command.words[1].text + " has columns");
    }
  }
  runHandler([&] {
    StringGrid::Batch batch(target);
    const int fixed = target.fixedRows();
    target.setRowCount(fixed + std::max<int>(static_cast<int>(lines.size()), 1));
    target.clearRows(fixed);
    for (std::size_t i = 0; i < lines.size(); ++i) {
      const std::vector<std::string> cells = tabSeparated(lines[i]);
      for (std::size_t col = 0; col < cells.size(); ++col) {
        target.setCell(static_cast<int>(col), fixed + static_cast<int>(i), fromUtf8(cells[col]));
      }
    }
  });
}

// A click on a cell, and with a second cell a drag to it.
void ScenarioRunner::select(const Command& command) {
  if (command.words.size() != 4 && command.words.size() != 6) fail("select <grid> col row [col row]");
  GridControl& target = grid(command.words[1]);
  std::vector<int> cells;
  for (std::size_t i = 2; i < command.words.size(); ++i) cells.push_back(integerWord(command.words[i], line_));
  for (std::size_t i = 0; i < cells.size(); i += 2) {
    if (cells[i] < 0 || cells[i] >= target.colCount() || cells[i + 1] < target.fixedRows() ||
        cells[i + 1] >= target.rowCount()) {
      fail("no data cell " + std::to_string(cells[i]) + "," + std::to_string(cells[i + 1]));
    }
  }
  runHandler([&] {
    target.setCurrent(cells[0], cells[1]);
    if (cells.size() == 4) target.setSelection({cells[0], cells[1], cells[2], cells[3]});
  });
}

void ScenarioRunner::key(const Command& command) {
  expectWordCount(command, 2, 2);
  GridControl& target = grid(command.words[1]);
  auto [code, shift] = keyCombination(command.words[2].text, line_);
  runHandler([&target, &code, shift] { target.keyDown(code, shift); });
  if (code == 0) emit("key " + command.words[2].text + " consumed");
}

void ScenarioRunner::header(const Command& command) {
  expectWordCount(command, 2, 3);
  GridControl& target = grid(command.words[1]);
  const int col = integerWord(command.words[2], line_);
  const int row = command.words.size() > 3 ? integerWord(command.words[3], line_) : 0;
  if (col < 0 || col >= target.colCount() || row < 0 || row >= target.fixedRows()) fail("no header cell there");
  runHandler([&target, col, row] { target.fixedCellClick(col, row); });
}

void ScenarioRunner::answer(const Command& command) {
  expectWordCount(command, 1, 100);
  static const std::map<std::string, MessageAnswer, std::less<>> answers{{"ok", MessageAnswer::Ok},
                                                                         {"cancel", MessageAnswer::Cancel},
                                                                         {"yes", MessageAnswer::Yes},
                                                                         {"no", MessageAnswer::No}};
  for (std::size_t i = 1; i < command.words.size(); ++i) {
    const auto found = answers.find(command.words[i].text);
    if (found == answers.end()) fail("answers are ok, cancel, yes and no");
    host_.messageAnswers.push_back(found->second);
  }
}

void ScenarioRunner::choose(const Command& command) {
  expectWordCount(command, 1, 1);
  const Word& word = command.words[1];
  if (word.text == "cancel" && !word.quoted) {
    host_.fileAnswers.push_back(std::nullopt);
  } else {
    host_.fileAnswers.push_back(fromUtf8(inWork(word).string()));
  }
}

void ScenarioRunner::clipboard(const Command& command) {
  if (command.body) {
    expectWordCount(command, 0, 0);
    std::string text;
    for (const std::string& line : *command.body) text += line + "\r\n";
    host_.clipboard = fromUtf8(text);
  } else {
    expectWordCount(command, 1, 1);
    host_.clipboard = fromUtf8(command.words[1].text);
  }
}

}  // namespace zemvo::scenario

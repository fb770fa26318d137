// What scenarios print: controls, grids, files, the host's dialogs.
#include <fstream>
#include <sstream>

#include "control_properties.h"
#include "core/cp932.h"
#include "dxf/dxf_fragment_writer.h"
#include "output_text.h"
#include "scenario_runner.h"

namespace zemvo::scenario {
namespace fs = std::filesystem;
namespace {

const char* iconName(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::None:
      return "none";
    case MessageIcon::Information:
      return "information";
    case MessageIcon::Warning:
      return "warning";
    case MessageIcon::Error:
      return "error";
    case MessageIcon::Question:
      return "question";
  }
  return "?";
}

const char* buttonsName(MessageButtons buttons) {
  switch (buttons) {
    case MessageButtons::Ok:
      return "ok";
    case MessageButtons::OkCancel:
      return "ok-cancel";
    case MessageButtons::YesNo:
      return "yes-no";
    case MessageButtons::YesNoCancel:
      return "yes-no-cancel";
  }
  return "?";
}

const char* answerName(MessageAnswer answer) {
  switch (answer) {
    case MessageAnswer::Ok:
      return "ok";
    case MessageAnswer::Cancel:
      return "cancel";
    case MessageAnswer::Yes:
      return "yes";
    case MessageAnswer::No:
      return "no";
  }
  return "?";
}

std::string readBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

}  // namespace

// Message boxes and dialogs appear in the output as they are shown.
void ScenarioRunner::echoHostEvents() {
  bool unanswered = false;
  for (; messagesEchoed_ < host_.messages.size(); ++messagesEchoed_) {
    const fakes::ShownMessage& shown = host_.messages[messagesEchoed_];
    std::string line = std::string("message icon=") + iconName(shown.message.icon) +
                       " caption=" + quotedText(shown.message.caption) + " text=" + quotedText(shown.message.text);
    if (shown.message.buttons != MessageButtons::Ok) {
      line += std::string(" buttons=") + buttonsName(shown.message.buttons) +
              " answer=" + (shown.unanswered ? "none" : answerName(shown.answer));
    }
    emit(line);
    unanswered = unanswered || shown.unanswered;
  }
  for (; fileDialogsEchoed_ < host_.fileDialogs.size(); ++fileDialogsEchoed_) {
    const fakes::ShownFileDialog& shown = host_.fileDialogs[fileDialogsEchoed_];
    emit("file dialog " + toUtf8(shown.name) + " filter=" + quotedText(shown.filter) + " answer=" +
         (shown.unanswered ? "none"
          : shown.answer   ? quotedText(*shown.answer)
                           : "cancel"));
    unanswered = unanswered || shown.unanswered;
  }
  for (; aboutBoxesEchoed_ < host_.aboutBoxes.size(); ++aboutBoxesEchoed_) {
    const TAboutBox& box = host_.aboutBoxes[aboutBoxesEchoed_];
    emit("about box " + toUtf8(box.formName) + " caption=" + quotedText(box.caption) +
         " size=" + std::to_string(box.clientWidth) + "x" + std::to_string(box.clientHeight));
    std::vector<std::string> lines{quotedText(box.productName)};
    for (const Text& text : box.lines) lines.push_back(quotedText(text));
    lines.push_back("button " + quotedText(box.okCaption));
    emitBlock(lines);
  }
  if (unanswered) fail("the program asked, and the scenario scripted no answer (use answer or choose before)");
}

void ScenarioRunner::print(const Command& command) {
  const std::string what = wordAt(command, 1, "what to print").text;
  if (what == "controls") {
    expectWordCount(command, 1, 1);
    for (Control* each : form().controls().all()) emit(describeControl(*each));
  } else if (what == "file") {
    printFile(command);
  } else if (what == "dxf") {
    printDxf(command);
  } else if (what == "exists") {
    expectWordCount(command, 2, 2);
    emit("exists " + command.words[2].text + (fs::exists(inWork(command.words[2])) ? " yes" : " no"));
  } else if (what == "cad") {
    expectWordCount(command, 1, 1);
    printCadJournal();
  } else if (what == "windows") {
    expectWordCount(command, 1, 1);
    printWindows();
  } else if (what == "drawing") {
    expectWordCount(command, 1, 1);
    printDrawing();
  } else if (what == "clipboard") {
    expectWordCount(command, 1, 1);
    emit("clipboard " + quotedText(host_.clipboard));
  } else if (what == "host") {
    expectWordCount(command, 1, 1);
    std::string sleeps;
    for (int ms : host_.sleeps) sleeps += (sleeps.empty() ? "" : ",") + std::to_string(ms);
    std::string states;
    for (WindowState state : host_.windowStates) {
      states += std::string(states.empty() ? "" : ",") + (state == WindowState::Normal ? "normal" : "minimized");
    }
    std::string front;
    for (const Text& name : host_.broughtToFront) front += (front.empty() ? "" : ",") + toUtf8(name);
    emit("host sleeps=" + sleeps + " process-messages=" + std::to_string(host_.processMessagesCount) +
         " window-states=" + states + " front=" + front);
  } else {
    printControl(command);
  }
}

void ScenarioRunner::printControl(const Command& command) {
  expectWordCount(command, 1, 2);
  Control& target = control(command.words[1]);
  if (command.words.size() == 3) {
    const std::string& name = command.words[2].text;
    const std::optional<Property> property = findProperty(target, name);
    if (!property) fail(command.words[1].text + " has no property " + name);
    emit(command.words[1].text + "." + name + "=" + propertyText(property->get()));
    return;
  }
  emit(describeControl(target));
  if (auto* shown = dynamic_cast<GridControl*>(&target)) {
    const GridRect& s = shown->selection();
    emit("  current=" + std::to_string(shown->col()) + "," + std::to_string(shown->row()) +
         " selection=" + std::to_string(s.left) + "," + std::to_string(s.top) + "-" + std::to_string(s.right) + "," +
         std::to_string(s.bottom));
    emitBlock(gridRows(*shown));
  }
}

void ScenarioRunner::printFile(const Command& command) {
  expectWordCount(command, 2, 2);
  const fs::path path = inWork(command.words[2]);
  if (!fs::is_regular_file(path)) fail("no file " + command.words[2].text);
  std::vector<std::string> lines = fileLines(readBytes(path));
  emit("file " + command.words[2].text + " " + lines.front());
  lines.erase(lines.begin());
  emitBlock(lines);
}

// The fragment's entities one a line, as group code=value pairs, after a
// check of the fixed header and of the closing chunk.
void ScenarioRunner::printDxf(const Command& command) {
  expectWordCount(command, 2, 2);
  const fs::path path = inWork(command.words[2]);
  if (!fs::is_regular_file(path)) fail("no file " + command.words[2].text);
  const Text content = decodeCp932(readBytes(path));
  DxfFragmentWriter skeleton(u"");
  skeleton.BeginFragment();
  const Text& head = skeleton.content();
  const TextView tail = u"  0\r\nENDSEC\r\n  0\r\nEOF\r\n";
  const bool whole =
      content.starts_with(head) && content.ends_with(tail) && content.size() >= head.size() + tail.size();
  std::vector<std::string> entities;
  if (whole) {
    const TextView body = TextView(content).substr(head.size(), content.size() - head.size() - tail.size());
    std::vector<Text> lines;
    for (std::size_t start = 0; start < body.size();) {
      const std::size_t end = body.find(u"\r\n", start);
      lines.emplace_back(body.substr(start, end - start));
      start = end == TextView::npos ? body.size() : end + 2;
    }
    for (std::size_t i = 0; i + 1 < lines.size(); i += 2) {
      const Text code = trimmed(lines[i]);
      const Text& value = lines[i + 1];
      if (code == u"0") {
        entities.push_back(toUtf8(value));
        continue;
      }
      if (entities.empty()) entities.emplace_back("(no entity)");
      const bool text = code == u"1" || code == u"8";
      const Text shown = text ? value : trimmed(value);
      const bool plain = !shown.empty() && shown.find(u' ') == Text::npos;
      entities.back() += " " + toUtf8(code) + "=" + (plain ? escaped(shown) : quotedText(shown));
    }
    if (lines.size() % 2 != 0) entities.emplace_back("(a code without a value)");
  }
  emit("dxf " + command.words[2].text + (whole ? " whole" : " NOT WHOLE") +
       " entities=" + std::to_string(entities.size()));
  emitBlock(entities);
}

}  // namespace zemvo::scenario

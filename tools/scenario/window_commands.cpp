// The other top-level windows of the desktop, as scenarios script and print
// them.
#include "output_text.h"
#include "scenario_runner.h"

namespace zemvo::scenario {

// window <title> <class name>
void ScenarioRunner::window(const Command& command) {
  expectWordCount(command, 2, 2);
  windows_.add(fromUtf8(command.words[1].text), fromUtf8(command.words[2].text));
}

// The window functions called since the last print; a copy-data message
// shows the text it carried.
void ScenarioRunner::printWindows() {
  emit("window calls");
  std::vector<std::string> entries;
  for (; windowJournalPrinted_ < windows_.journal.size(); ++windowJournalPrinted_) {
    const Text& entry = windows_.journal[windowJournalPrinted_];
    std::string line = toUtf8(entry);
    if (entry.starts_with(u"sendCopyData") && copyDataPrinted_ < windows_.copyData.size()) {
      const fakes::FakeCopyData& sent = windows_.copyData[copyDataPrinted_++];
      line += " tag=" + std::to_string(sent.tag) + " data=" + quotedText(Text(sent.data.begin(), sent.data.end()));
    }
    entries.push_back(std::move(line));
  }
  emitBlock(entries);
}

}  // namespace zemvo::scenario

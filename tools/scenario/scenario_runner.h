#pragma once

#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/zozu23_excel_unit.h"
#include "fakes/fake_cad_link.h"
#include "fakes/fake_host.h"
#include "fakes/fake_window_system.h"
#include "scenario_script.h"

namespace zemvo::scenario {

// Runs the form with the fakes, command by command, in a work folder that
// holds the executable's place and every file the scenario writes.
class ScenarioRunner {
 public:
  explicit ScenarioRunner(std::filesystem::path work);

  // Throws ScenarioError; what was printed until then stays in output().
  void run(const std::vector<Command>& commands);
  const std::string& output() const { return output_; }

 private:
  using Handler = void (ScenarioRunner::*)(const Command&);
  static const std::map<std::string, Handler, std::less<>>& handlers();

  // files and the form's life
  void exe(const Command& command);
  void write(const Command& command);
  void readOnly(const Command& command);
  void makeFolder(const Command& command);
  void start(const Command& command);
  void stop(const Command& command);
  // controls
  void set(const Command& command);
  void click(const Command& command);
  void mouseDown(const Command& command);
  void fill(const Command& command);
  void select(const Command& command);
  void key(const Command& command);
  void header(const Command& command);
  // the host's answers
  void answer(const Command& command);
  void choose(const Command& command);
  void clipboard(const Command& command);
  // the fake CAD and the desktop's other windows
  void cad(const Command& command);
  void window(const Command& command);
  // output
  void print(const Command& command);
  void printControl(const Command& command);
  void printFile(const Command& command);
  void printDxf(const Command& command);
  void printCadJournal();
  void printDrawing();
  void printWindows();

  void emit(std::string line);
  void emitBlock(const std::vector<std::string>& lines);
  void echoHostEvents();
  void checkNothingLeftUnused();

  TForm1& form();
  Control& control(const Word& name);
  GridControl& grid(const Word& name);
  void runHandler(const std::function<void()>& handler);
  std::filesystem::path inWork(const Word& relative) const;
  [[noreturn]] void fail(const std::string& message) const;

  std::filesystem::path work_;
  std::string workText_;
  std::string output_;
  int line_ = 0;

  fakes::FakeHost host_;
  fakes::FakeCadLink cad_;
  fakes::FakeWindowSystem windows_;
  std::unique_ptr<TForm1> form_;
  std::string executable_ = "Zemvo.exe";

  std::size_t messagesEchoed_ = 0;
  std::size_t fileDialogsEchoed_ = 0;
  std::size_t aboutBoxesEchoed_ = 0;
  std::size_t journalPrinted_ = 0;
  std::size_t windowJournalPrinted_ = 0;
  std::size_t copyDataPrinted_ = 0;
};

}  // namespace zemvo::scenario

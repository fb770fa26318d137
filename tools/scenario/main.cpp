// zemvo-scenario: runs a scenario file against the form with the fakes and
// prints what it asks for; with --expect, compares that with a file.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <random>
#include <sstream>

#include "scenario_runner.h"
#include "scenario_script.h"

namespace fs = std::filesystem;
using zemvo::scenario::ScenarioError;

namespace {

constexpr const char* kUsage =
    "usage: zemvo-scenario [--work <folder>] [--expect <file> [--update]] <scenario>\n"
    "  --work    the folder the scenario works in; emptied first (default: a new temporary folder)\n"
    "  --expect  compare the output with <file>; an error ends the output as \"error: line N: ...\"\n"
    "  --update  write the output to the --expect file instead of comparing\n";

// Marks a folder as the driver's own, so that it may be emptied.
constexpr const char* kMarker = ".zemvo-scenario-work";

std::optional<std::string> readText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// Empties the folder, refusing one that holds files of someone else.
bool prepareWorkFolder(const fs::path& work) {
  std::error_code error;
  if (fs::exists(work, error) && !fs::is_empty(work, error) && !fs::exists(work / kMarker, error)) {
    std::cerr << "zemvo-scenario: " << work.string() << " is not empty and not a scenario work folder\n";
    return false;
  }
  fs::remove_all(work, error);
  fs::create_directories(work, error);
  std::ofstream(work / kMarker).put('\n');
  return fs::is_directory(work);
}

fs::path temporaryWorkFolder() {
  std::random_device random;
  return fs::temp_directory_path() / ("zemvo-scenario-" + std::to_string(random()));
}

std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> out;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) out.push_back(line);
  return out;
}

// 0 when equal; else reports the first difference and the whole output.
int compare(const std::string& actual, const std::string& expected, const fs::path& expectedPath) {
  if (actual == expected) return 0;
  const std::vector<std::string> a = lines(actual);
  const std::vector<std::string> e = lines(expected);
  std::size_t i = 0;
  while (i < a.size() && i < e.size() && a[i] == e[i]) ++i;
  std::cerr << "output differs from " << expectedPath.string() << " at line " << i + 1 << "\n"
            << "  expected: " << (i < e.size() ? e[i] : "(end)") << "\n"
            << "  actual:   " << (i < a.size() ? a[i] : "(end)") << "\n"
            << "--- whole output ---\n"
            << actual;
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  std::optional<fs::path> work;
  std::optional<fs::path> expect;
  bool update = false;
  std::optional<fs::path> scenarioPath;
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    if (argument == "--work" && i + 1 < argc) {
      work = argv[++i];
    } else if (argument == "--expect" && i + 1 < argc) {
      expect = argv[++i];
    } else if (argument == "--update") {
      update = true;
    } else if (!argument.starts_with("--") && !scenarioPath) {
      scenarioPath = argument;
    } else {
      std::cerr << kUsage;
      return 2;
    }
  }
  if (!scenarioPath || (update && !expect)) {
    std::cerr << kUsage;
    return 2;
  }
  const std::optional<std::string> source = readText(*scenarioPath);
  if (!source) {
    std::cerr << "zemvo-scenario: cannot read " << scenarioPath->string() << "\n";
    return 2;
  }

  const bool temporary = !work;
  const fs::path folder = fs::absolute(work ? *work : temporaryWorkFolder()).lexically_normal();
  if (!prepareWorkFolder(folder)) return 2;

  std::string output;
  std::string failure;  // the scenario's own error, as the expected output shows it
  {
    zemvo::scenario::ScenarioRunner runner(folder);
    try {
      runner.run(zemvo::scenario::parseScript(*source));
    } catch (const ScenarioError& error) {
      const std::string line = std::to_string(error.line());
      const bool atEnd = error.line() == 0;
      std::cerr << scenarioPath->string() << (atEnd ? ": at the end" : ":" + line) << ": " << error.what() << "\n";
      failure = std::string("error: ") + (atEnd ? "at the end" : "line " + line) + ": " + error.what() + "\n";
    }
    output = runner.output();
  }
  if (temporary) {
    std::error_code ignored;
    fs::remove_all(folder, ignored);
  }

  if (!expect) {
    std::cout << output;
    return failure.empty() ? 0 : 2;
  }
  output += failure;
  if (update) {
    std::ofstream(*expect, std::ios::binary) << output;
    return 0;
  }
  const std::optional<std::string> expected = readText(*expect);
  if (!expected) {
    std::cerr << "zemvo-scenario: cannot read " << expect->string() << "\n";
    return 2;
  }
  return compare(output, *expected, *expect);
}

#include "support/win_test_support.h"

#include <windows.h>
#include <gtest/gtest.h>
#include <objbase.h>
#include <oleauto.h>

#include <atomic>
#include <functional>

#include "automation_server.h"
#include "core/error.h"
#include "standin_ids.h"
#include "win32/com_error.h"
#include "win32/dispatch.h"

namespace zemvo::wintest {
namespace {

std::wstring wide(TextView text) { return std::wstring(text.begin(), text.end()); }

HANDLE createEvent(const std::wstring& name) {
  HANDLE event = CreateEventW(nullptr, TRUE, FALSE, name.c_str());
  if (!event) throw Error(u"CreateEventW failed");
  return event;
}

void quoteArgument(std::wstring& commandLine, TextView argument) {
  commandLine += L" \"";
  commandLine += wide(argument);
  commandLine += L"\"";
}

// "Suite.Test" of the running test, as a file name.
std::string journalName() {
  std::string name = "cad-standin";
  if (const auto* test = ::testing::UnitTest::GetInstance()->current_test_info()) {
    name = std::string(test->test_suite_name()) + "." + test->name();
  }
  for (char& c : name) {
    if (c == '/' || c == '\\' || c == ':' || c == '*' || c == '?' || c == '"' || c == '<' || c == '>' || c == '|')
      c = '_';
  }
  return name;
}

}  // namespace

Text windowsPath(std::string_view path) {
  Text out = fromUtf8(path);
  for (char16_t& c : out) {
    if (c == u'/') c = u'\\';
  }
  if (!out.empty() && out[0] == u'\\') out = u"Z:" + out;
  return out;
}

Text buildPath(std::string_view relative) {
  return windowsPath(std::string(ZEMVO_BINARY_DIR) + "/" + std::string(relative));
}

Text sourcePath(std::string_view relative) {
  return windowsPath(std::string(ZEMVO_SOURCE_DIR) + "/" + std::string(relative));
}

bool sameVariant(const Variant& a, const Variant& b) {
  if (a.value.index() != b.value.index()) return false;
  if (a.is<VariantArray>()) {
    const VariantArray& x = a.as<VariantArray>();
    const VariantArray& y = b.as<VariantArray>();
    if (x.size() != y.size()) return false;
    for (std::size_t i = 0; i < x.size(); ++i) {
      if (!sameVariant(x[i], y[i])) return false;
    }
    return true;
  }
  return std::visit(
      [&b](const auto& x) {
        using T = std::decay_t<decltype(x)>;
        if constexpr (std::is_same_v<T, VariantArray>) {
          return false;
        } else {
          return x == std::get<T>(b.value);
        }
      },
      a.value);
}

std::string show(const Variant& value) { return toUtf8(standins::describe(value)); }

bool waitFor(const std::function<bool()>& condition, DWORD timeoutMs) {
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  for (;;) {
    if (condition()) return true;
    if (GetTickCount64() >= deadline) return false;
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    Sleep(20);
  }
}

CadStandin::CadStandin(const StandinOptions& options) {
  static std::atomic<int> counter{0};
  const std::wstring suffix = std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++counter);
  const std::wstring readyName = L"zemvo-cad-standin-ready-" + suffix;
  const std::wstring stopName = L"zemvo-cad-standin-stop-" + suffix;
  HANDLE ready = createEvent(readyName);
  stopEvent_ = createEvent(stopName);

  std::wstring commandLine = L"\"" + wide(windowsPath(ZEMVO_CAD_STANDIN)) + L"\"";
  commandLine += L" --ready-event " + readyName + L" --stop-event " + stopName;
  // The journal also goes to a file named after the running test, for a
  // look after a failure.
  const std::wstring journal = wide(buildPath("tests/win/journals/" + journalName() + ".txt"));
  CreateDirectoryW(wide(buildPath("tests/win/journals")).c_str(), nullptr);
  DeleteFileW(journal.c_str());
  commandLine += L" --journal \"" + journal + L"\"";
  if (options.window) {
    commandLine += L" --window";
    if (!options.windowTitle.empty()) {
      commandLine += L" --window-title";
      quoteArgument(commandLine, options.windowTitle);
    }
    if (!options.windowClass.empty()) {
      commandLine += L" --window-class";
      quoteArgument(commandLine, options.windowClass);
    }
  }

  // The job ends the stand-in with the test process, whatever happens to it.
  job_ = CreateJobObjectW(nullptr, nullptr);
  if (job_) {
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    SetInformationJobObject(job_, JobObjectExtendedLimitInformation, &limits, sizeof limits);
  }
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, nullptr,
                      &startup, &process)) {
    const DWORD error = GetLastError();
    CloseHandle(ready);
    throw Error(u"cad-standin.exe could not be started: " + win32::systemText(HRESULT_FROM_WIN32(error)) + u" (" +
                decimalText(error) + u")");
  }
  if (job_) AssignProcessToJobObject(job_, process.hProcess);
  ResumeThread(process.hThread);
  CloseHandle(process.hThread);
  process_ = process.hProcess;
  processId_ = process.dwProcessId;

  HANDLE waits[] = {ready, process_};
  const DWORD started = WaitForMultipleObjects(2, waits, FALSE, 30000);
  CloseHandle(ready);
  if (started != WAIT_OBJECT_0) {
    DWORD code = 0;
    GetExitCodeProcess(process_, &code);
    kill();
    throw Error(started == WAIT_OBJECT_0 + 1 ? u"cad-standin.exe ended at its start, exit code " + decimalText(code)
                                             : Text(u"cad-standin.exe did not start within 30 s"));
  }

  win32::ComPtr<IUnknown> control;
  const HRESULT result = GetActiveObject(standins::kCadStandinControlClsid, nullptr, control.put());
  if (FAILED(result)) {
    kill();
    throw win32::comError(u"GetActiveObject(stand-in control)", result);
  }
  control_ = control.query<IDispatch>();
  if (!options.script.empty()) script(options.script);
}

CadStandin::~CadStandin() {
  control_.reset();
  if (process_) stop();
  if (process_) CloseHandle(process_);
  if (stopEvent_) CloseHandle(stopEvent_);
  if (job_) CloseHandle(job_);
}

IDispatch& CadStandin::control() {
  if (!control_) throw Error(u"the stand-in's control object is gone");
  return *control_;
}

void CadStandin::script(TextView lines) {
  win32::DispatchArgs args;
  args.value(Variant(Text(lines)));
  win32::call(control(), u"Script", args);
}

Text CadStandin::journal() { return win32::callForValue(control(), u"Journal").toText(); }

void CadStandin::clearJournal() { win32::call(control(), u"ClearJournal"); }

Text CadStandin::dump() { return win32::callForValue(control(), u"Dump").toText(); }

void CadStandin::setVariable(TextView name, const Variant& value) {
  win32::DispatchArgs args;
  args.value(Variant(Text(name))).value(value);
  win32::call(control(), u"SetVariable", args);
}

int CadStandin::insert(TextView dxfPath, double x, double y, double z) {
  win32::DispatchArgs args;
  args.value(Variant(Text(dxfPath))).value(Variant(x)).value(Variant(y)).value(Variant(z));
  return static_cast<int>(win32::callForValue(control(), u"Insert", args).toInteger());
}

void CadStandin::busy(int milliseconds, HRESULT code) {
  win32::DispatchArgs args;
  args.value(Variant(static_cast<std::int32_t>(milliseconds))).value(Variant(static_cast<std::int32_t>(code)));
  win32::call(control(), u"Busy", args);
}

int CadStandin::pendingActions() {
  return static_cast<int>(win32::callForValue(control(), u"PendingActions").toInteger());
}

bool CadStandin::running() const { return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }

void CadStandin::kill() {
  control_.reset();
  if (!process_) return;
  TerminateProcess(process_, 9);
  WaitForSingleObject(process_, 10000);
}

DWORD CadStandin::stop() {
  control_.reset();
  DWORD code = 0;
  if (!process_) return code;
  if (running()) {
    SetEvent(stopEvent_);
    // Letting window messages through while waiting: the stand-in's windows
    // may have something to say to this process's as they go.
    if (!waitFor([this] { return !running(); }, 5000)) kill();
  }
  GetExitCodeProcess(process_, &code);
  return code;
}

}  // namespace zemvo::wintest

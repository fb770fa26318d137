#pragma once

// What the Windows tests share: file paths between Linux and Wine, and the
// CAD stand-in as a process a test starts and always stops.

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

#include "core/text.h"
#include "core/variant.h"
#include "win32/com_ptr.h"

namespace zemvo::wintest {

// A path as Windows programs under Wine name it: "Z:\..." for a Unix path.
Text windowsPath(std::string_view path);
// A file under the build folder, as a Windows path.
Text buildPath(std::string_view relative);
// A file under the source folder, as a Windows path.
Text sourcePath(std::string_view relative);

struct StandinOptions {
  bool window = false;
  Text windowTitle{};  // empty: the stand-in's default
  Text windowClass{};
  Text script{};  // user actions to start with
};

// A cad-standin.exe started for one test: in a job that ends it when the
// test process ends, registered in the running-object table when the
// constructor returns, stopped by the destructor (asked first, ended after
// five seconds at the latest). Throws zemvo::Error when it does not start.
class CadStandin {
 public:
  explicit CadStandin(const StandinOptions& options = {});
  CadStandin(const CadStandin&) = delete;
  CadStandin& operator=(const CadStandin&) = delete;
  ~CadStandin();

  // The control object (see tools/standins/standin_ids.h).
  IDispatch& control();
  void script(TextView lines);
  Text journal();
  void clearJournal();
  Text dump();
  void setVariable(TextView name, const Variant& value);
  int insert(TextView dxfPath, double x = 0, double y = 0, double z = 0);
  void busy(int milliseconds, HRESULT code = RPC_E_CALL_REJECTED);
  int pendingActions();

  // Ends the process now, as a crash would.
  void kill();
  // Asks it to end and waits; returns its exit code.
  DWORD stop();
  bool running() const;
  DWORD processId() const { return processId_; }
  // For another thread to end it with TerminateProcess (the control object
  // belongs to the test's apartment and stays there).
  HANDLE process() const { return process_; }

 private:
  HANDLE job_ = nullptr;
  HANDLE process_ = nullptr;
  HANDLE stopEvent_ = nullptr;
  DWORD processId_ = 0;
  win32::ComPtr<IDispatch> control_;
};

// Same alternative and same value; arrays element by element, objects by
// identity.
bool sameVariant(const Variant& a, const Variant& b);
// Readable form for test messages.
std::string show(const Variant& value);

// Waits up to `timeoutMs` for `condition`, letting window messages through.
bool waitFor(const std::function<bool()>& condition, DWORD timeoutMs);

}  // namespace zemvo::wintest

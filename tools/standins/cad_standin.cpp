// cad-standin.exe: a stand-in for the CAD application's automation server.
//
// It registers its application object in the running-object table under the
// class of the ProgID "BricscadApp.AcadApplication" (the class registration
// is the test setup's, in the Wine prefix), serves the members the program
// calls, keeps a drawing in memory, answers the user's part from a script and
// journals every call. See standin_ids.h for its control object.
//
//   cad-standin.exe [--ready-event NAME] [--stop-event NAME] [--journal FILE]
//                   [--script FILE] [--dxf FILE] [--window]
//                   [--window-title TITLE] [--window-class CLASS]
//
// --ready-event  set once the objects are registered
// --stop-event   set by whoever started it to end it (also while a scripted
//                prompt "hangs")
// --journal      the journal, also written to this file as it grows (UTF-8)
// --script       user actions to start with (UTF-8)
// --dxf          a drawing to start with, inserted at the origin
// --window       owns a top-level window ("BricsCAD - [Drawing1.dwg]" of
//                class "BricscadMainWindow" unless told otherwise) whose
//                handle is the application's HWND, and journals the copy-data
//                and null messages it receives; closing it ends the stand-in

#include <windows.h>
#include <objbase.h>
#include <oleauto.h>

#include <cstdio>
#include <string>

#include "cad_objects.h"
#include "core/cp932.h"
#include "core/error.h"
#include "standin_ids.h"
#include "win32/com_error.h"

namespace {

using zemvo::Text;
using zemvo::standins::CadServer;

struct Options {
  std::wstring readyEvent;
  std::wstring stopEvent;
  std::wstring journal;
  std::wstring script;
  std::wstring dxf;
  bool window = false;
  std::wstring windowTitle = L"BricsCAD - [Drawing1.dwg]";
  std::wstring windowClass = L"BricscadMainWindow";
};

CadServer* theServer = nullptr;
HANDLE stopEvent = nullptr;

Text text(const std::wstring& wide) { return Text(wide.begin(), wide.end()); }

std::string readFile(const std::wstring& path) {
  FILE* file = _wfopen(path.c_str(), L"rb");
  if (!file) throw zemvo::Error(u"cannot open " + text(path));
  std::string bytes;
  char buffer[65536];
  std::size_t read;
  while ((read = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, read);
  std::fclose(file);
  return bytes;
}

// Rejects the clients' calls while the server plays busy; Wine hands the
// caller RPC_E_CALL_REJECTED for it.
class BusyFilter final : public IMessageFilter {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IMessageFilter)) {
      *object = static_cast<IMessageFilter*>(this);
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  DWORD STDMETHODCALLTYPE HandleInComingCall(DWORD, HTASK, DWORD, LPINTERFACEINFO info) override {
    // Only IDispatch calls: reference counting and interface queries pass.
    if (theServer && theServer->rejectsCalls() && info && IsEqualIID(info->iid, IID_IDispatch)) {
      return SERVERCALL_REJECTED;
    }
    return SERVERCALL_ISHANDLED;
  }
  DWORD STDMETHODCALLTYPE RetryRejectedCall(HTASK, DWORD, DWORD) override { return static_cast<DWORD>(-1); }
  DWORD STDMETHODCALLTYPE MessagePending(HTASK, DWORD, DWORD) override { return PENDINGMSG_WAITDEFPROCESS; }
};

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COPYDATA && theServer) {
    const auto* record = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    Text data;
    if (record->lpData && record->cbData >= 2) {
      data.assign(static_cast<const char16_t*>(record->lpData), record->cbData / 2);
    }
    char head[96];
    std::snprintf(head, sizeof head,
                  "window: WM_COPYDATA from %s tag=%lu bytes=%lu data=", wParam ? "a window" : "no window",
                  static_cast<unsigned long>(record->dwData), static_cast<unsigned long>(record->cbData));
    theServer->journal.add(zemvo::fromUtf8(head) + zemvo::standins::describe(zemvo::Variant(data)));
    return TRUE;
  }
  if (message == WM_CLOSE) {
    // Closed by a person trying the program with it: the stand-in ends.
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

HWND createWindow(const Options& options) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = windowProc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszClassName = options.windowClass.c_str();
  if (!RegisterClassW(&windowClass)) return nullptr;
  HWND window =
      CreateWindowExW(0, options.windowClass.c_str(), options.windowTitle.c_str(), WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                      CW_USEDEFAULT, 800, 600, nullptr, nullptr, windowClass.hInstance, nullptr);
  if (window) ShowWindow(window, SW_SHOWNOACTIVATE);
  return window;
}

// Handles the messages waiting; false once the stand-in is to end.
bool pumpMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) return false;
    if (message.message == WM_NULL && message.hwnd && message.hwnd == theServer->window) {
      theServer->journal.add(u"window: WM_NULL");
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return true;
}

// Runs the messages until the stop event or WM_QUIT.
void messageLoop() {
  for (;;) {
    const DWORD count = stopEvent ? 1 : 0;
    const DWORD result = MsgWaitForMultipleObjects(count, &stopEvent, FALSE, INFINITE, QS_ALLINPUT);
    if (count && result == WAIT_OBJECT_0) return;
    if (!pumpMessages()) return;
  }
}

// A prompt the script lets hang: calls keep being served (the apartment's
// messages run), until the stop event ends the process.
void hangForever() {
  theServer->journal.add(u"user: hangs");
  for (;;) {
    const DWORD count = stopEvent ? 1 : 0;
    const DWORD result = MsgWaitForMultipleObjects(count, &stopEvent, FALSE, INFINITE, QS_ALLINPUT);
    if (count && result == WAIT_OBJECT_0) ExitProcess(3);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) ExitProcess(3);
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
}

bool parseOptions(int argc, wchar_t** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    const std::wstring option = argv[i];
    auto value = [&](std::wstring& target) {
      if (i + 1 >= argc) return false;
      target = argv[++i];
      return true;
    };
    bool ok = true;
    if (option == L"--ready-event") {
      ok = value(options.readyEvent);
    } else if (option == L"--stop-event") {
      ok = value(options.stopEvent);
    } else if (option == L"--journal") {
      ok = value(options.journal);
    } else if (option == L"--script") {
      ok = value(options.script);
    } else if (option == L"--dxf") {
      ok = value(options.dxf);
    } else if (option == L"--window") {
      options.window = true;
    } else if (option == L"--window-title") {
      ok = value(options.windowTitle);
    } else if (option == L"--window-class") {
      ok = value(options.windowClass);
    } else {
      ok = false;
    }
    if (!ok) {
      std::fwprintf(stderr, L"cad-standin: bad option %ls\n", option.c_str());
      return false;
    }
  }
  return true;
}

int run(const Options& options) {
  if (!options.stopEvent.empty()) {
    stopEvent = OpenEventW(SYNCHRONIZE, FALSE, options.stopEvent.c_str());
    if (!stopEvent) {
      std::fwprintf(stderr, L"cad-standin: no stop event %ls\n", options.stopEvent.c_str());
      return 2;
    }
  }
  HRESULT result = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  if (FAILED(result)) return 2;

  int exitCode = 0;
  {
    CadServer server;
    theServer = &server;
    if (!options.journal.empty()) server.journal.openFile(options.journal);
    server.hang = hangForever;
    server.quit = [] { PostQuitMessage(0); };
    try {
      if (!options.script.empty()) server.script.add(zemvo::fromUtf8(readFile(options.script)));
      if (!options.dxf.empty()) {
        zemvo::standins::insertDxf(server.drawing, zemvo::decodeCp932(readFile(options.dxf)), {}, 1, 0);
      }
    } catch (const zemvo::Error& error) {
      std::fprintf(stderr, "cad-standin: %s\n", error.what());
      return 2;
    }
    if (options.window) {
      server.window = createWindow(options);
      if (!server.window) {
        std::fprintf(stderr, "cad-standin: cannot create the window\n");
        return 2;
      }
    }

    BusyFilter filter;
    IMessageFilter* previous = nullptr;
    CoRegisterMessageFilter(&filter, &previous);

    CLSID applicationClass{};
    result = CLSIDFromProgID(L"BricscadApp.AcadApplication", &applicationClass);
    if (FAILED(result)) {
      std::fprintf(stderr, "cad-standin: the ProgID BricscadApp.AcadApplication is not registered (0x%08lX)\n",
                   static_cast<unsigned long>(result));
      return 2;
    }
    zemvo::win32::ComPtr<IDispatch> application = zemvo::standins::createApplication(server);
    zemvo::win32::ComPtr<IDispatch> control = zemvo::standins::createControl(server);
    DWORD applicationCookie = 0;
    DWORD controlCookie = 0;
    result = RegisterActiveObject(application.get(), applicationClass, ACTIVEOBJECT_STRONG, &applicationCookie);
    if (SUCCEEDED(result)) {
      result = RegisterActiveObject(control.get(), zemvo::standins::kCadStandinControlClsid, ACTIVEOBJECT_STRONG,
                                    &controlCookie);
    }
    if (FAILED(result)) {
      std::fprintf(stderr, "cad-standin: RegisterActiveObject failed (0x%08lX)\n", static_cast<unsigned long>(result));
      exitCode = 2;
    } else {
      if (!options.readyEvent.empty()) {
        if (HANDLE ready = OpenEventW(EVENT_MODIFY_STATE, FALSE, options.readyEvent.c_str())) {
          SetEvent(ready);
          CloseHandle(ready);
        }
      }
      messageLoop();
    }
    if (controlCookie) RevokeActiveObject(controlCookie, nullptr);
    if (applicationCookie) RevokeActiveObject(applicationCookie, nullptr);
    // Clients still holding proxies get RPC_E_DISCONNECTED from now on.
    CoDisconnectObject(application.get(), 0);
    CoDisconnectObject(control.get(), 0);
    application.reset();
    control.reset();
    CoRegisterMessageFilter(previous, nullptr);
    if (server.window) DestroyWindow(server.window);
    theServer = nullptr;
  }
  CoUninitialize();
  return exitCode;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  Options options;
  if (!parseOptions(argc, argv, options)) return 2;
  return run(options);
}

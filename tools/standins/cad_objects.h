#pragma once

// The automation objects of the CAD stand-in, under the member names of the
// CAD's automation object model (Application, AcadState, Document,
// ModelSpace, Layers, Layer, SelectionSets, SelectionSet, Utility and the
// nine entity kinds), and its control object.

#include <windows.h>

#include <functional>
#include <memory>
#include <vector>

#include "automation_server.h"
#include "cad_command_line.h"
#include "cad_drawing.h"
#include "win32/com_ptr.h"

namespace zemvo::standins {

struct SelectionSetData {
  Text name;
  std::vector<EntityRef> items;
  bool deleted = false;
};

// Everything the objects of one stand-in share.
class CadServer {
 public:
  CadServer();

  Journal journal;
  Drawing drawing;
  UserScript script;
  CommandLine commandLine;
  std::vector<std::shared_ptr<SelectionSetData>> selectionSets;
  HWND window = nullptr;
  // Called when a scripted prompt "hangs": must not return while the
  // process is meant to go on (it ends the process when it is stopped).
  std::function<void()> hang;
  // Called by the control's Quit.
  std::function<void()> quit;

  // Busy: until this tick count the clients' calls fail, through the
  // message filter (RPC_E_CALL_REJECTED) or with this code from Invoke.
  ULONGLONG busyUntil = 0;
  HRESULT busyCode = RPC_E_CALL_REJECTED;
  bool rejectsCalls() const;

  // Clients' objects journal their calls and pass the busy gate; the control
  // object does neither.
  ServerContext clients;
  ServerContext control;

  void user(const UserAction& action);  // journals what the user does
};

win32::ComPtr<IDispatch> createApplication(CadServer& server);
win32::ComPtr<IDispatch> createControl(CadServer& server);

}  // namespace zemvo::standins

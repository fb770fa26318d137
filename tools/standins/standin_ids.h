#pragma once

#include <guiddef.h>

namespace zemvo::standins {

// The CAD stand-in's control object, registered in the running-object table
// beside the application under this class of its own (no registry entry
// needed: only the tests ask for it, by this identifier). Its members:
//   Script(lines)       appends user actions (see UserScript)
//   Journal() / ClearJournal()
//   Dump()              layers, variables and entities, one per line
//   SetVariable(name, value), Insert(dxfPath, x, y, z)  set up a drawing
//   Busy(milliseconds[, hresult])  rejects the clients' calls for a while
//   PendingActions()    user actions not yet used
//   Quit()
// {F4470435-F53F-488B-AEFD-9BBEDD6DC27F}
inline constexpr GUID kCadStandinControlClsid = {
    0xf4470435, 0xf53f, 0x488b, {0xae, 0xfd, 0x9b, 0xbe, 0xdd, 0x6d, 0xc2, 0x7f}};

}  // namespace zemvo::standins

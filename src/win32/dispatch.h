#pragma once

#include <windows.h>
#include <oaidl.h>

#include <chrono>
#include <vector>

#include "core/text.h"
#include "core/variant.h"
#include "win32/com_ptr.h"
#include "win32/com_values.h"

namespace zemvo::win32 {

// How long a call that a busy server rejects (RPC_E_CALL_REJECTED,
// RPC_E_SERVERCALL_RETRYLATER, the spreadsheet's VBA_E_IGNORE 0x800AC472) is
// tried again, and how long to wait between tries.
struct BusyRetry {
  std::chrono::milliseconds limit{10000};
  std::chrono::milliseconds pause{100};
};

bool isBusyCode(HRESULT code) noexcept;

// The arguments of one late-bound call, added first to last as the member
// declares them; the call passes them last to first, as IDispatch::Invoke
// wants.
class DispatchArgs {
 public:
  DispatchArgs() = default;
  DispatchArgs(DispatchArgs&&) noexcept = default;
  DispatchArgs& operator=(DispatchArgs&&) noexcept = default;

  DispatchArgs& value(const Variant& value);
  DispatchArgs& value(VariantOwner value);
  // An optional argument left out (VT_ERROR, DISP_E_PARAMNOTFOUND), for one
  // that a later argument follows.
  DispatchArgs& missing();
  // [out] IDispatch**: VT_BYREF|VT_DISPATCH to `target`, emptied first.
  DispatchArgs& outObject(ComPtr<IDispatch>& target);
  // [out] VARIANT*: VT_BYREF|VT_VARIANT to `target`, emptied first.
  DispatchArgs& outValue(VariantOwner& target);

  std::size_t size() const noexcept { return arguments_.size(); }
  // The DISPPARAMS order: rgvarg[0] is the last argument.
  std::vector<VARIANT> reversed() const;

 private:
  std::vector<VariantOwner> arguments_;
};

enum class DispatchKind {
  Get,          // DISPATCH_PROPERTYGET
  Put,          // DISPATCH_PROPERTYPUT with the named argument DISPID_PROPERTYPUT
  Call,         // DISPATCH_METHOD, no result asked for
  CallForValue  // DISPATCH_METHOD | DISPATCH_PROPERTYGET, as VB does for a
                // method whose result it uses (collections' Item)
};

// One late-bound call of `member` on `object`: GetIDsOfNames, then Invoke.
// Busy rejections are retried for `retry.limit`; every failure throws
// zemvo::Error naming the member, with the server's description or the
// system's text for the code (see comError).
VariantOwner invoke(IDispatch& object, TextView member, DispatchKind kind, const DispatchArgs& args = {},
                    const BusyRetry& retry = {});

// The same calls with the core's values.
Variant getProperty(IDispatch& object, TextView member, const BusyRetry& retry = {});
void putProperty(IDispatch& object, TextView member, const Variant& value, const BusyRetry& retry = {});
Variant callForValue(IDispatch& object, TextView member, const DispatchArgs& args = {}, const BusyRetry& retry = {});
void call(IDispatch& object, TextView member, const DispatchArgs& args = {}, const BusyRetry& retry = {});

}  // namespace zemvo::win32

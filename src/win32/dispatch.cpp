#include "win32/dispatch.h"

#include <windows.h>

#include "core/error.h"
#include "core/numbers.h"
#include "win32/com_error.h"

namespace zemvo::win32 {
namespace {

// Excel's "busy" (a modal dialog open, a cell in edit mode).
constexpr HRESULT kVbaIgnore = static_cast<HRESULT>(0x800AC472);

WORD invokeFlags(DispatchKind kind) {
  switch (kind) {
    case DispatchKind::Get:
      return DISPATCH_PROPERTYGET;
    case DispatchKind::Put:
      return DISPATCH_PROPERTYPUT;
    case DispatchKind::Call:
      return DISPATCH_METHOD;
    case DispatchKind::CallForValue:
      return DISPATCH_METHOD | DISPATCH_PROPERTYGET;
  }
  return DISPATCH_METHOD;
}

class BusyClock {
 public:
  BusyClock(TextView member, const BusyRetry& retry)
      : member_(member), retry_(retry), deadline_(std::chrono::steady_clock::now() + retry.limit) {}

  // Waits before the next try, or throws when the time is up.
  void waitOrThrow(HRESULT code) const {
    if (std::chrono::steady_clock::now() >= deadline_) {
      const double seconds = static_cast<double>(retry_.limit.count()) / 1000.0;
      throw Error(Text(member_) + u": 相手のアプリケーションがビジー状態です（" + formatGeneral(seconds) +
                  u" 秒間再試行しても呼び出せませんでした） (" + hexCode(static_cast<unsigned long>(code)) + u")");
    }
    Sleep(static_cast<DWORD>(retry_.pause.count()));
  }

 private:
  TextView member_;
  const BusyRetry& retry_;
  std::chrono::steady_clock::time_point deadline_;
};

}  // namespace

bool isBusyCode(HRESULT code) noexcept {
  return code == RPC_E_CALL_REJECTED || code == RPC_E_SERVERCALL_RETRYLATER || code == kVbaIgnore;
}

DispatchArgs& DispatchArgs::value(const Variant& value) {
  arguments_.push_back(toComVariant(value));
  return *this;
}

DispatchArgs& DispatchArgs::value(VariantOwner value) {
  arguments_.push_back(std::move(value));
  return *this;
}

DispatchArgs& DispatchArgs::missing() {
  arguments_.push_back(VariantOwner::missing());
  return *this;
}

DispatchArgs& DispatchArgs::outObject(ComPtr<IDispatch>& target) {
  VariantOwner argument;
  argument.get().vt = VT_BYREF | VT_DISPATCH;
  argument.get().ppdispVal = target.put();
  arguments_.push_back(std::move(argument));
  return *this;
}

DispatchArgs& DispatchArgs::outValue(VariantOwner& target) {
  VariantOwner argument;
  argument.get().vt = VT_BYREF | VT_VARIANT;
  argument.get().pvarVal = target.put();
  arguments_.push_back(std::move(argument));
  return *this;
}

std::vector<VARIANT> DispatchArgs::reversed() const {
  std::vector<VARIANT> result;
  result.reserve(arguments_.size());
  for (auto it = arguments_.rbegin(); it != arguments_.rend(); ++it) result.push_back(it->get());
  return result;
}

VariantOwner invoke(IDispatch& object, TextView member, DispatchKind kind, const DispatchArgs& args,
                    const BusyRetry& retry) {
  const Text name(member);
  LPOLESTR names[] = {reinterpret_cast<LPOLESTR>(const_cast<char16_t*>(name.c_str()))};
  const BusyClock clock(member, retry);

  DISPID id = DISPID_UNKNOWN;
  for (;;) {
    const HRESULT result = object.GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    if (SUCCEEDED(result)) break;
    if (!isBusyCode(result)) throw comError(member, result);
    clock.waitOrThrow(result);
  }

  std::vector<VARIANT> arguments = args.reversed();
  DISPID putArgument = DISPID_PROPERTYPUT;
  DISPPARAMS parameters{};
  parameters.rgvarg = arguments.empty() ? nullptr : arguments.data();
  parameters.cArgs = static_cast<UINT>(arguments.size());
  if (kind == DispatchKind::Put) {
    parameters.rgdispidNamedArgs = &putArgument;
    parameters.cNamedArgs = 1;
  }
  const bool wantsResult = kind == DispatchKind::Get || kind == DispatchKind::CallForValue;

  for (;;) {
    EXCEPINFO info{};
    UINT argumentError = 0;
    VariantOwner value;
    const HRESULT result = object.Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, invokeFlags(kind), &parameters,
                                         wantsResult ? value.put() : nullptr, &info, &argumentError);
    if (SUCCEEDED(result)) return value;
    if (result == DISP_E_EXCEPTION && info.pfnDeferredFillIn) {
      info.pfnDeferredFillIn(&info);
      info.pfnDeferredFillIn = nullptr;
    }
    const HRESULT code = result == DISP_E_EXCEPTION && info.scode != 0 ? info.scode : result;
    if (!isBusyCode(result) && !isBusyCode(code)) throw comError(member, result, &info);
    clearExcepInfo(info);
    clock.waitOrThrow(code);
  }
}

Variant getProperty(IDispatch& object, TextView member, const BusyRetry& retry) {
  return fromComVariant(invoke(object, member, DispatchKind::Get, {}, retry).get());
}

void putProperty(IDispatch& object, TextView member, const Variant& value, const BusyRetry& retry) {
  DispatchArgs args;
  args.value(value);
  invoke(object, member, DispatchKind::Put, args, retry);
}

Variant callForValue(IDispatch& object, TextView member, const DispatchArgs& args, const BusyRetry& retry) {
  return fromComVariant(invoke(object, member, DispatchKind::CallForValue, args, retry).get());
}

void call(IDispatch& object, TextView member, const DispatchArgs& args, const BusyRetry& retry) {
  invoke(object, member, DispatchKind::Call, args, retry);
}

}  // namespace zemvo::win32

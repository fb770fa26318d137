#include "win32/com_apartment.h"

#include <windows.h>
#include <objbase.h>

#include <atomic>

#include "win32/com_error.h"

namespace zemvo::win32 {
namespace {

class BusyMessageFilter final : public IMessageFilter {
 public:
  explicit BusyMessageFilter(DWORD limitMilliseconds) : limit_(limitMilliseconds) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IMessageFilter)) {
      *object = static_cast<IMessageFilter*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

  // Calls into this program (it serves none) are taken.
  DWORD STDMETHODCALLTYPE HandleInComingCall(DWORD, HTASK, DWORD, LPINTERFACEINFO) override {
    return SERVERCALL_ISHANDLED;
  }
  // A rejected call is tried again every 100 ms until the limit; then COM
  // gives up and the call fails with RPC_E_CALL_REJECTED.
  DWORD STDMETHODCALLTYPE RetryRejectedCall(HTASK, DWORD elapsed, DWORD rejectType) override {
    if ((rejectType == SERVERCALL_RETRYLATER || rejectType == SERVERCALL_REJECTED) && elapsed < limit_) return 100;
    return static_cast<DWORD>(-1);
  }
  // While a call waits, the window's messages are processed as usual.
  DWORD STDMETHODCALLTYPE MessagePending(HTASK, DWORD, DWORD) override { return PENDINGMSG_WAITDEFPROCESS; }

 private:
  std::atomic<ULONG> references_{1};
  DWORD limit_;
};

}  // namespace

ComApartment::ComApartment(std::chrono::milliseconds busyLimit) {
  const HRESULT result = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  if (FAILED(result)) throw comError(u"CoInitializeEx", result);
  filter_ = ComPtr<IMessageFilter>(new BusyMessageFilter(static_cast<DWORD>(busyLimit.count())));
  if (FAILED(CoRegisterMessageFilter(filter_.get(), previousFilter_.put()))) filter_.reset();
}

ComApartment::~ComApartment() {
  if (filter_) {
    IMessageFilter* ours = nullptr;
    CoRegisterMessageFilter(previousFilter_.get(), &ours);
    if (ours) ours->Release();
  }
  previousFilter_.reset();
  filter_.reset();
  CoUninitialize();
}

}  // namespace zemvo::win32

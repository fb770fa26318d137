#pragma once

// What the stand-in servers are made of: IDispatch objects that answer to
// their members by name (case-insensitively, with DISPIDs of their own, so a
// client that hard-codes the real application's DISPIDs fails), check the
// calling convention as a type-library driven server does, raise errors
// through EXCEPINFO, and write every call into a journal.

#include <windows.h>
#include <oaidl.h>

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "core/text.h"
#include "core/variant.h"
#include "win32/com_values.h"

namespace zemvo::standins {

// An error a served member raises. With a description the caller gets
// DISP_E_EXCEPTION and an EXCEPINFO holding the description and `code` as its
// scode; without one, `code` itself.
struct Fault {
  HRESULT code;
  Text description;
};
[[noreturn]] void fail(HRESULT code, Text description = {});
// DISP_E_EXCEPTION with E_FAIL and the description.
[[noreturn]] void raise(Text description);

// Every call the clients make, one line each, in order; also appended to a
// file when one is given.
class Journal {
 public:
  void openFile(const std::wstring& path);
  void add(Text line);
  Text text() const;  // the lines, each ended by "\n"
  void clear() { lines_.clear(); }

 private:
  std::vector<Text> lines_;
  FILE* file_ = nullptr;
};

// A readable form of a value for the journal: texts quoted with control
// characters escaped, integers with their type ("1:I2"), doubles in the
// general format, arrays in brackets, "missing" for a left-out optional
// argument, "byref:<type>" for a by-reference argument.
Text describe(const VARIANT& value);
Text describe(const Variant& value);

// The arguments of one call in declared order (first argument first).
class CallArgs {
 public:
  explicit CallArgs(const DISPPARAMS& parameters) : parameters_(parameters) {}

  std::size_t count() const { return parameters_.cArgs - parameters_.cNamedArgs; }
  // Given, and not the "missing" marker.
  bool present(std::size_t index) const;
  // The raw argument; DISP_E_PARAMNOTFOUND when it is not present.
  const VARIANT& raw(std::size_t index) const;
  // Converted values; DISP_E_TYPEMISMATCH when the argument cannot be one.
  Variant value(std::size_t index) const;
  Text text(std::size_t index) const;
  double number(std::size_t index) const;
  std::int32_t integer(std::size_t index) const;
  // Three doubles, as VT_ARRAY|VT_R8 or an array of variants.
  std::vector<double> point(std::size_t index) const;
  // The target of a by-reference argument, which must be exactly
  // VT_BYREF|`type` (DISP_E_TYPEMISMATCH otherwise, as a type library
  // driven server answers).
  void* byReference(std::size_t index, VARTYPE type) const;

 private:
  std::size_t slot(std::size_t index) const { return parameters_.cArgs - 1 - index; }
  const DISPPARAMS& parameters_;
};

// Shared by the objects of one server.
struct ServerContext {
  Journal* journal = nullptr;  // none: calls are not journaled
  // Asked before every call a client makes; a failure code is returned to
  // the client as it is (a busy server's RPC_E_SERVERCALL_RETRYLATER).
  std::function<HRESULT()> gate;
  Text source = u"stand-in";  // EXCEPINFO's bstrSource
};

// One served object. Subclasses declare their members in their constructor.
// Created with one reference, which the creator owns (wrap it in a ComPtr).
class ServedObject : public IDispatch {
 public:
  using Getter = std::function<Variant(CallArgs&)>;
  using Setter = std::function<void(CallArgs&, const Variant&)>;

  ServedObject(const ServerContext& context, Text typeName);
  virtual ~ServedObject() = default;
  ServedObject(const ServedObject&) = delete;
  ServedObject& operator=(const ServedObject&) = delete;

  // The name the journal shows for this object, e.g. "SelectionSet[ssTemp]".
  virtual Text journalName() const { return typeName_; }

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  // IDispatch
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale, DISPID* ids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* parameters,
                                   VARIANT* result, EXCEPINFO* exception, UINT* argumentError) override;

 protected:
  // A property: read with DISPATCH_PROPERTYGET, written (when it has a
  // setter) with DISPATCH_PROPERTYPUT and the named argument DISPID_PROPERTYPUT.
  void property(Text name, Getter get, Setter set = {});
  // A method: called with DISPATCH_METHOD (alone or with PROPERTYGET). A
  // member named "Item" is also the object's default member (DISPID 0).
  void method(Text name, Getter call);

  const ServerContext& context() const { return context_; }

 private:
  struct Member {
    Text name;
    bool isMethod = false;
    Getter get;
    Setter set;
  };
  const Member* member(DISPID id) const;
  HRESULT run(const Member& member, WORD flags, const DISPPARAMS& parameters, VARIANT* result, Text& journal);

  const ServerContext& context_;
  Text typeName_;
  std::vector<Member> members_;
  std::atomic<ULONG> references_{1};
};

// A served object as the value a member returns: the Variant holds its own
// reference, so the caller's ComPtr may go.
ObjectRef served(ServedObject* object);

// ASCII letters in upper case: names compare so.
Text upperAscii(TextView text);

}  // namespace zemvo::standins

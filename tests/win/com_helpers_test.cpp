// The COM owners, the conversions between VARIANT and the core's Variant, and
// the late-bound call helper, against an in-process IDispatch that records
// exactly what it is given.
#include <windows.h>
#include <gtest/gtest.h>
#include <oleauto.h>

#include <atomic>
#include <functional>

#include "core/error.h"
#include "support/win_test_support.h"
#include "win32/com_apartment.h"
#include "win32/com_error.h"
#include "win32/com_values.h"
#include "win32/dispatch.h"

namespace zemvo::win32 {
namespace {

using wintest::sameVariant;

// An IDispatch with a few members at odd DISPIDs, recording every Invoke.
class Recorder final : public IDispatch {
 public:
  struct Call {
    DISPID id = 0;
    WORD flags = 0;
    std::vector<VARTYPE> types;  // rgvarg order: last argument first
    std::vector<Variant> values;
    UINT namedCount = 0;
    DISPID named = 0;
    bool resultAsked = false;
  };
  std::vector<Call> calls;
  // Before every Invoke (and GetIDsOfNames): a code to fail with, or S_OK.
  std::function<HRESULT()> busy = [] { return S_OK; };
  int getIdCalls = 0;
  std::atomic<ULONG> references{1};

  static constexpr DISPID kValue = 0x12345;
  static constexpr DISPID kRaise = 0x6001;
  static constexpr DISPID kFail = 0x6002;
  static constexpr DISPID kPick = 0x6003;
  static constexpr DISPID kDeferred = 0x6004;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch)) {
      *object = static_cast<IDispatch*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
  ULONG STDMETHODCALLTYPE Release() override { return --references; }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT, LCID, DISPID* ids) override {
    ++getIdCalls;
    if (const HRESULT code = busy(); FAILED(code)) return code;
    const std::wstring name = names[0];
    if (lstrcmpiW(name.c_str(), L"Value") == 0) {
      ids[0] = kValue;
    } else if (lstrcmpiW(name.c_str(), L"Raise") == 0) {
      ids[0] = kRaise;
    } else if (lstrcmpiW(name.c_str(), L"Fail") == 0) {
      ids[0] = kFail;
    } else if (lstrcmpiW(name.c_str(), L"Pick") == 0) {
      ids[0] = kPick;
    } else if (lstrcmpiW(name.c_str(), L"Deferred") == 0) {
      ids[0] = kDeferred;
    } else {
      ids[0] = DISPID_UNKNOWN;
      return DISP_E_UNKNOWNNAME;
    }
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* parameters, VARIANT* result,
                                   EXCEPINFO* exception, UINT*) override {
    if (const HRESULT code = busy(); FAILED(code)) return code;
    Call call;
    call.id = id;
    call.flags = flags;
    call.namedCount = parameters->cNamedArgs;
    call.named = parameters->cNamedArgs ? parameters->rgdispidNamedArgs[0] : 0;
    call.resultAsked = result != nullptr;
    for (UINT i = 0; i < parameters->cArgs; ++i) {
      const VARIANT& argument = parameters->rgvarg[i];
      call.types.push_back(argument.vt);
      call.values.push_back(argument.vt & VT_BYREF || (argument.vt == VT_ERROR) ? Variant{} : fromComVariant(argument));
    }
    calls.push_back(call);
    if (id == kRaise) {
      exception->bstrSource = SysAllocString(L"Recorder");
      exception->bstrDescription = SysAllocString(L"Invalid argument Point in GetPoint");
      exception->scode = static_cast<SCODE>(0x80210015);
      return DISP_E_EXCEPTION;
    }
    if (id == kDeferred) {
      exception->pfnDeferredFillIn = [](EXCEPINFO* info) -> HRESULT {
        info->bstrDescription = SysAllocString(L"filled in later");
        info->scode = E_ABORT;
        return S_OK;
      };
      return DISP_E_EXCEPTION;
    }
    if (id == kFail) return E_ACCESSDENIED;
    if (id == kPick) {
      // Pick(Object [out], Point [out], Prompt)
      *parameters->rgvarg[2].ppdispVal = this;
      AddRef();
      VARIANT* point = parameters->rgvarg[1].pvarVal;
      VariantOwner picked = toComVariant(Variant(std::vector<double>{1.5, 2.5, 0}));
      VariantClear(point);
      *point = picked.detach();
      return S_OK;
    }
    if (result) {
      VariantOwner answer = VariantOwner::ofInt32(42);
      *result = answer.detach();
    }
    return S_OK;
  }
};

class ComHelpers : public ::testing::Test {
 protected:
  ComApartment apartment;
  Recorder recorder;
};

TEST_F(ComHelpers, BstrOwnsItsTextAndMoves) {
  Bstr text(u"測点 A\0B");
  EXPECT_EQ(SysStringLen(text.get()), 4u);
  Bstr withZero(Text(u"a\0b", 3));
  EXPECT_EQ(withZero.text(), Text(u"a\0b", 3));
  Bstr moved(std::move(text));
  EXPECT_EQ(text.get(), nullptr);
  EXPECT_EQ(moved.text(), u"測点 A");
  EXPECT_EQ(bstrText(nullptr), u"");
  *moved.put() = SysAllocString(L"new");
  EXPECT_EQ(moved.text(), u"new");
}

TEST_F(ComHelpers, ComPtrCountsReferences) {
  {
    ComPtr<IDispatch> first = ComPtr<IDispatch>::addRef(&recorder);
    EXPECT_EQ(recorder.references, 2u);
    ComPtr<IDispatch> second = first.copy();
    EXPECT_EQ(recorder.references, 3u);
    ComPtr<IDispatch> third(std::move(second));
    EXPECT_FALSE(second);
    EXPECT_EQ(recorder.references, 3u);
    ComPtr<IUnknown> unknown = third.query<IUnknown>();
    EXPECT_EQ(recorder.references, 4u);
    EXPECT_FALSE(third.query<IMessageFilter>());
  }
  EXPECT_EQ(recorder.references, 1u);
}

TEST_F(ComHelpers, VariantOwnerClearsAndMoves) {
  VariantOwner text = VariantOwner::ofText(u"abc");
  VariantOwner moved(std::move(text));
  EXPECT_EQ(text.type(), VT_EMPTY);
  EXPECT_EQ(moved.type(), VT_BSTR);
  EXPECT_EQ(VariantOwner::missing().get().scode, DISP_E_PARAMNOTFOUND);
  EXPECT_EQ(VariantOwner::ofInt16(-2).type(), VT_I2);
}

TEST_F(ComHelpers, SafeArraysAreOneDimensionalFromZero) {
  const double values[] = {1, 2.5, -3};
  SafeArray doubles = SafeArray::ofDoubles(values);
  VARTYPE type = VT_EMPTY;
  SafeArrayGetVartype(doubles.get(), &type);
  EXPECT_EQ(type, VT_R8);
  LONG lower = -1, upper = -1;
  SafeArrayGetLBound(doubles.get(), 1, &lower);
  SafeArrayGetUBound(doubles.get(), 1, &upper);
  EXPECT_EQ(lower, 0);
  EXPECT_EQ(upper, 2);

  const std::int16_t codes[] = {0};
  SafeArray shorts = SafeArray::ofInt16(codes);
  SafeArrayGetVartype(shorts.get(), &type);
  EXPECT_EQ(type, VT_I2);
}

TEST_F(ComHelpers, EveryVariantAlternativeMakesTheRoundTrip) {
  const std::vector<Variant> values = {
      Variant{},
      Variant(std::int16_t{-7}),
      Variant(std::int32_t{123456}),
      Variant(std::int64_t{0x1234567890}),
      Variant(2.75),
      Variant(true),
      Variant(false),
      Variant(u"測点 No.1"),
      Variant(std::vector<double>{1, 2, 3}),
      Variant(std::vector<std::int16_t>{0, 8}),
      Variant(VariantArray{Variant(u"TEXT"), Variant(std::int32_t{5})}),
      Variant(ErrorValue{static_cast<std::int32_t>(0x800A07FA)}),
  };
  const VARTYPE types[] = {VT_EMPTY,
                           VT_I2,
                           VT_I4,
                           VT_I8,
                           VT_R8,
                           VT_BOOL,
                           VT_BOOL,
                           VT_BSTR,
                           VT_ARRAY | VT_R8,
                           VT_ARRAY | VT_I2,
                           VT_ARRAY | VT_VARIANT,
                           VT_ERROR};
  for (std::size_t i = 0; i < values.size(); ++i) {
    VariantOwner com = toComVariant(values[i]);
    EXPECT_EQ(com.type(), types[i]) << i;
    EXPECT_TRUE(sameVariant(fromComVariant(com.get()), values[i])) << i;
  }
  VariantOwner truth = toComVariant(Variant(true));
  EXPECT_EQ(truth.get().boolVal, VARIANT_TRUE);
}

TEST_F(ComHelpers, ObjectsConvertAsTheirDispatch) {
  ObjectRef object = wrapDispatch(ComPtr<IDispatch>::addRef(&recorder));
  VariantOwner com = toComVariant(Variant(object));
  EXPECT_EQ(com.type(), VT_DISPATCH);
  EXPECT_EQ(com.get().pdispVal, static_cast<IDispatch*>(&recorder));
  Variant back = fromComVariant(com.get());
  ASSERT_TRUE(back.is<ObjectRef>());
  EXPECT_EQ(&dispatchOf(*back.as<ObjectRef>()), static_cast<IDispatch*>(&recorder));

  VariantOwner nothing;
  nothing.get().vt = VT_DISPATCH;
  nothing.get().pdispVal = nullptr;
  Variant none = fromComVariant(nothing.get());
  ASSERT_TRUE(none.is<ObjectRef>());
  EXPECT_FALSE(none.as<ObjectRef>());

  struct Other : AutomationObject {};
  Other other;
  EXPECT_THROW(dispatchOf(other), Error);
}

TEST_F(ComHelpers, OtherTypesAreReadAsTheirNearestValue) {
  VariantOwner v;
  v.get().vt = VT_R4;
  v.get().fltVal = 1.5f;
  EXPECT_TRUE(sameVariant(fromComVariant(v.get()), Variant(1.5)));
  v.get().vt = VT_UI1;
  v.get().bVal = 200;
  EXPECT_TRUE(sameVariant(fromComVariant(v.get()), Variant(std::int16_t{200})));
  v.get().vt = VT_CY;
  v.get().cyVal.int64 = 12345;
  EXPECT_TRUE(sameVariant(fromComVariant(v.get()), Variant(1.2345)));
  v.get().vt = VT_NULL;
  EXPECT_TRUE(fromComVariant(v.get()).isEmpty());

  LONG referenced = 77;
  VARIANT byReference;
  byReference.vt = VT_BYREF | VT_I4;
  byReference.plVal = &referenced;
  EXPECT_TRUE(sameVariant(fromComVariant(byReference), Variant(std::int32_t{77})));
}

TEST_F(ComHelpers, ArraysOfOtherElementsAndOtherBoundsAreRead) {
  SAFEARRAYBOUND bound{3, 1};  // Excel's 1-based arrays
  VariantOwner v;
  v.get().vt = VT_ARRAY | VT_I4;
  v.get().parray = SafeArrayCreate(VT_I4, 1, &bound);
  for (LONG i = 1; i <= 3; ++i) {
    LONG value = i * 10;
    SafeArrayPutElement(v.get().parray, &i, &value);
  }
  EXPECT_TRUE(sameVariant(
      fromComVariant(v.get()),
      Variant(VariantArray{Variant(std::int32_t{10}), Variant(std::int32_t{20}), Variant(std::int32_t{30})})));

  SAFEARRAYBOUND bounds[] = {{2, 0}, {2, 0}};
  VariantOwner square;
  square.get().vt = VT_ARRAY | VT_VARIANT;
  square.get().parray = SafeArrayCreate(VT_VARIANT, 2, bounds);
  EXPECT_THROW(fromComVariant(square.get()), Error);
}

TEST_F(ComHelpers, ArgumentsGoLastToFirst) {
  DispatchArgs args;
  args.value(Variant(u"first")).value(Variant(std::int16_t{2})).value(Variant(3.0));
  EXPECT_TRUE(sameVariant(callForValue(recorder, u"value", args), Variant(std::int32_t{42})));
  ASSERT_EQ(recorder.calls.size(), 1u);
  const Recorder::Call& c = recorder.calls[0];
  EXPECT_EQ(c.id, Recorder::kValue);  // resolved by name, case-insensitively
  EXPECT_EQ(c.flags, DISPATCH_METHOD | DISPATCH_PROPERTYGET);
  EXPECT_EQ(c.types, (std::vector<VARTYPE>{VT_R8, VT_I2, VT_BSTR}));
  EXPECT_TRUE(sameVariant(c.values[2], Variant(u"first")));
  EXPECT_EQ(c.namedCount, 0u);
}

TEST_F(ComHelpers, GetPutAndCallUseTheirFlags) {
  EXPECT_TRUE(sameVariant(getProperty(recorder, u"Value"), Variant(std::int32_t{42})));
  putProperty(recorder, u"Value", Variant(u"X"));
  call(recorder, u"Value");
  ASSERT_EQ(recorder.calls.size(), 3u);
  EXPECT_EQ(recorder.calls[0].flags, DISPATCH_PROPERTYGET);
  EXPECT_TRUE(recorder.calls[0].resultAsked);
  EXPECT_EQ(recorder.calls[1].flags, DISPATCH_PROPERTYPUT);
  EXPECT_EQ(recorder.calls[1].namedCount, 1u);
  EXPECT_EQ(recorder.calls[1].named, DISPID_PROPERTYPUT);
  EXPECT_EQ(recorder.calls[1].types, std::vector<VARTYPE>{VT_BSTR});
  EXPECT_FALSE(recorder.calls[1].resultAsked);
  EXPECT_EQ(recorder.calls[2].flags, DISPATCH_METHOD);
  EXPECT_FALSE(recorder.calls[2].resultAsked);
}

TEST_F(ComHelpers, MissingOptionalArgumentsAreVtError) {
  DispatchArgs args;
  args.missing().value(Variant(u"\nPick a point"));
  callForValue(recorder, u"Value", args);
  ASSERT_EQ(recorder.calls.size(), 1u);
  EXPECT_EQ(recorder.calls[0].types, (std::vector<VARTYPE>{VT_BSTR, VT_ERROR}));
}

TEST_F(ComHelpers, ByReferenceOutParametersComeBack) {
  ComPtr<IDispatch> object;
  VariantOwner point;
  DispatchArgs args;
  args.outObject(object).outValue(point).value(Variant(u"prompt"));
  call(recorder, u"Pick", args);
  ASSERT_EQ(recorder.calls.size(), 1u);
  EXPECT_EQ(recorder.calls[0].types, (std::vector<VARTYPE>{VT_BSTR, VT_BYREF | VT_VARIANT, VT_BYREF | VT_DISPATCH}));
  EXPECT_EQ(object.get(), static_cast<IDispatch*>(&recorder));
  EXPECT_TRUE(sameVariant(fromComVariant(point.get()), Variant(std::vector<double>{1.5, 2.5, 0})));
}

std::string errorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const Error& error) {
    return error.what();
  }
  return "no error";
}

TEST_F(ComHelpers, ServerDescriptionAndScodeNameTheMember) {
  EXPECT_EQ(errorOf([&] { call(recorder, u"Raise"); }), "Raise: Invalid argument Point in GetPoint (0x80210015)");
  EXPECT_EQ(errorOf([&] { call(recorder, u"Deferred"); }), "Deferred: filled in later (0x80004004)");
}

TEST_F(ComHelpers, OtherFailuresGiveTheSystemText) {
  const std::string unknown = errorOf([&] { getProperty(recorder, u"Radius"); });
  EXPECT_EQ(unknown.rfind("Radius: ", 0), 0u) << unknown;
  EXPECT_NE(unknown.find("(0x80020006)"), std::string::npos) << unknown;
  EXPECT_GT(unknown.size(), std::string("Radius:  (0x80020006)").size()) << unknown;

  const std::string denied = errorOf([&] { call(recorder, u"Fail"); });
  EXPECT_EQ(denied.rfind("Fail: ", 0), 0u) << denied;
  EXPECT_NE(denied.find("(0x80070005)"), std::string::npos) << denied;
}

TEST_F(ComHelpers, BusyCallsAreRetriedUntilTheyPass) {
  for (HRESULT busyCode : {RPC_E_CALL_REJECTED, RPC_E_SERVERCALL_RETRYLATER, static_cast<HRESULT>(0x800AC472)}) {
    int refusals = 3;
    recorder.busy = [&] { return refusals-- > 0 ? busyCode : S_OK; };
    recorder.calls.clear();
    const BusyRetry retry{std::chrono::milliseconds(5000), std::chrono::milliseconds(10)};
    EXPECT_TRUE(sameVariant(getProperty(recorder, u"Value", retry), Variant(std::int32_t{42})));
    EXPECT_EQ(recorder.calls.size(), 1u);
  }
}

TEST_F(ComHelpers, BusyBeyondTheLimitFailsClearly) {
  recorder.busy = [] { return RPC_E_CALL_REJECTED; };
  const ULONGLONG start = GetTickCount64();
  const std::string error = errorOf([&] {
    call(recorder, u"Value", {}, BusyRetry{std::chrono::milliseconds(300), std::chrono::milliseconds(50)});
  });
  const ULONGLONG elapsed = GetTickCount64() - start;
  EXPECT_EQ(error.rfind("Value: ", 0), 0u) << error;
  EXPECT_NE(error.find("ビジー"), std::string::npos) << error;
  EXPECT_NE(error.find("(0x80010001)"), std::string::npos) << error;
  EXPECT_GE(elapsed, 250u);
  EXPECT_LT(elapsed, 3000u);
}

}  // namespace
}  // namespace zemvo::win32

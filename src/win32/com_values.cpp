#include "win32/com_values.h"

#include <windows.h>
#include <oleauto.h>

#include <cstring>
#include <new>
#include <type_traits>

#include "core/error.h"
#include "win32/com_error.h"

namespace zemvo::win32 {
namespace {

const OLECHAR* oleChars(TextView text) { return reinterpret_cast<const OLECHAR*>(text.data()); }

template <typename T>
SafeArray vectorArray(VARTYPE type, std::span<const T> values) {
  SAFEARRAY* array = SafeArrayCreateVector(type, 0, static_cast<ULONG>(values.size()));
  if (!array) throw std::bad_alloc();
  SafeArray owner = SafeArray::adopt(array);
  if (!values.empty()) {
    void* data = nullptr;
    if (FAILED(SafeArrayAccessData(array, &data))) throw Error(u"SAFEARRAY を書き込めません");
    std::memcpy(data, values.data(), values.size() * sizeof(T));
    SafeArrayUnaccessData(array);
  }
  return owner;
}

template <typename T>
std::vector<T> arrayData(SAFEARRAY* array, LONG count) {
  std::vector<T> values(static_cast<std::size_t>(count));
  if (count > 0) {
    void* data = nullptr;
    if (FAILED(SafeArrayAccessData(array, &data))) throw Error(u"SAFEARRAY を読み取れません");
    std::memcpy(values.data(), data, values.size() * sizeof(T));
    SafeArrayUnaccessData(array);
  }
  return values;
}

bool isScalarElement(VARTYPE type) {
  switch (type) {
    case VT_I1:
    case VT_UI1:
    case VT_I2:
    case VT_UI2:
    case VT_I4:
    case VT_UI4:
    case VT_INT:
    case VT_UINT:
    case VT_I8:
    case VT_UI8:
    case VT_R4:
    case VT_R8:
    case VT_CY:
    case VT_DATE:
    case VT_BOOL:
    case VT_BSTR:
    case VT_ERROR:
    case VT_DISPATCH:
    case VT_UNKNOWN:
      return true;
    default:
      return false;
  }
}

Variant arrayValue(SAFEARRAY* array) {
  if (!array) return VariantArray{};
  if (SafeArrayGetDim(array) != 1) {
    throw Error(u"多次元の SAFEARRAY は変換できません");
  }
  VARTYPE element = VT_EMPTY;
  if (FAILED(SafeArrayGetVartype(array, &element))) throw Error(u"SAFEARRAY の要素の型が分かりません");
  LONG lower = 0;
  LONG upper = -1;
  SafeArrayGetLBound(array, 1, &lower);
  SafeArrayGetUBound(array, 1, &upper);
  const LONG count = upper >= lower ? upper - lower + 1 : 0;
  if (element == VT_R8) return arrayData<double>(array, count);
  if (element == VT_I2) return arrayData<std::int16_t>(array, count);
  if (element != VT_VARIANT && !isScalarElement(element)) {
    throw Error(u"SAFEARRAY の要素の型を変換できません (VARTYPE " + hexCode(element) + u")");
  }
  VariantArray values;
  values.reserve(static_cast<std::size_t>(count));
  for (LONG index = lower; index <= upper; ++index) {
    VariantOwner item;
    HRESULT result;
    if (element == VT_VARIANT) {
      result = SafeArrayGetElement(array, &index, item.put());
    } else {
      // Every member of the VARIANT's value union starts at the same place.
      VARIANT& raw = *item.put();
      result = SafeArrayGetElement(array, &index, static_cast<void*>(&raw.llVal));
      if (SUCCEEDED(result)) raw.vt = element;
    }
    if (FAILED(result)) throw comError(u"SafeArrayGetElement", result);
    values.push_back(fromComVariant(item.get()));
  }
  return values;
}

}  // namespace

// Bstr

Bstr::Bstr(TextView text) : value_(SysAllocStringLen(oleChars(text), static_cast<UINT>(text.size()))) {
  if (!value_) throw std::bad_alloc();
}

Bstr Bstr::adopt(BSTR owned) noexcept {
  Bstr result;
  result.value_ = owned;
  return result;
}

Bstr::Bstr(Bstr&& other) noexcept : value_(std::exchange(other.value_, nullptr)) {}

Bstr& Bstr::operator=(Bstr&& other) noexcept {
  if (this != &other) {
    reset();
    value_ = std::exchange(other.value_, nullptr);
  }
  return *this;
}

Bstr::~Bstr() { reset(); }

BSTR* Bstr::put() noexcept {
  reset();
  return &value_;
}

BSTR Bstr::detach() noexcept { return std::exchange(value_, nullptr); }

void Bstr::reset() noexcept { SysFreeString(std::exchange(value_, nullptr)); }

Text Bstr::text() const { return bstrText(value_); }

Text bstrText(BSTR value) {
  if (!value) return {};
  return Text(reinterpret_cast<const char16_t*>(value), SysStringLen(value));
}

// VariantOwner

VariantOwner::VariantOwner() noexcept { VariantInit(&value_); }

VariantOwner::VariantOwner(VariantOwner&& other) noexcept : value_(other.value_) { VariantInit(&other.value_); }

VariantOwner& VariantOwner::operator=(VariantOwner&& other) noexcept {
  if (this != &other) {
    VariantClear(&value_);
    value_ = other.value_;
    VariantInit(&other.value_);
  }
  return *this;
}

VariantOwner::~VariantOwner() { VariantClear(&value_); }

VARIANT* VariantOwner::put() noexcept {
  VariantClear(&value_);
  return &value_;
}

VARIANT VariantOwner::detach() noexcept {
  VARIANT result = value_;
  VariantInit(&value_);
  return result;
}

void VariantOwner::reset() noexcept { VariantClear(&value_); }

VariantOwner VariantOwner::ofInt16(std::int16_t value) noexcept {
  VariantOwner result;
  result.value_.vt = VT_I2;
  result.value_.iVal = value;
  return result;
}

VariantOwner VariantOwner::ofInt32(std::int32_t value) noexcept {
  VariantOwner result;
  result.value_.vt = VT_I4;
  result.value_.lVal = value;
  return result;
}

VariantOwner VariantOwner::ofDouble(double value) noexcept {
  VariantOwner result;
  result.value_.vt = VT_R8;
  result.value_.dblVal = value;
  return result;
}

VariantOwner VariantOwner::ofText(TextView text) {
  VariantOwner result;
  result.value_.bstrVal = Bstr(text).detach();
  result.value_.vt = VT_BSTR;
  return result;
}

VariantOwner VariantOwner::missing() noexcept {
  VariantOwner result;
  result.value_.vt = VT_ERROR;
  result.value_.scode = DISP_E_PARAMNOTFOUND;
  return result;
}

// SafeArray

SafeArray SafeArray::adopt(SAFEARRAY* owned) noexcept {
  SafeArray result;
  result.array_ = owned;
  return result;
}

SafeArray::SafeArray(SafeArray&& other) noexcept : array_(std::exchange(other.array_, nullptr)) {}

SafeArray& SafeArray::operator=(SafeArray&& other) noexcept {
  if (this != &other) {
    reset();
    array_ = std::exchange(other.array_, nullptr);
  }
  return *this;
}

SafeArray::~SafeArray() { reset(); }

SAFEARRAY* SafeArray::detach() noexcept { return std::exchange(array_, nullptr); }

void SafeArray::reset() noexcept {
  if (SAFEARRAY* old = std::exchange(array_, nullptr)) SafeArrayDestroy(old);
}

SafeArray SafeArray::ofDoubles(std::span<const double> values) { return vectorArray<double>(VT_R8, values); }

SafeArray SafeArray::ofInt16(std::span<const std::int16_t> values) { return vectorArray<std::int16_t>(VT_I2, values); }

SafeArray SafeArray::ofVariants(std::span<const Variant> values) {
  SAFEARRAY* array = SafeArrayCreateVector(VT_VARIANT, 0, static_cast<ULONG>(values.size()));
  if (!array) throw std::bad_alloc();
  SafeArray owner = adopt(array);
  for (LONG index = 0; index < static_cast<LONG>(values.size()); ++index) {
    VariantOwner item = toComVariant(values[static_cast<std::size_t>(index)]);
    // The array keeps a copy.
    const HRESULT result = SafeArrayPutElement(array, &index, &item.get());
    if (FAILED(result)) throw comError(u"SafeArrayPutElement", result);
  }
  return owner;
}

// Objects

ObjectRef wrapDispatch(ComPtr<IDispatch> dispatch) {
  if (!dispatch) return nullptr;
  return std::make_shared<DispatchObject>(std::move(dispatch));
}

IDispatch& dispatchOf(AutomationObject& object) {
  auto* dispatch = dynamic_cast<DispatchObject*>(&object);
  if (!dispatch) throw Error(u"COM の自動化オブジェクトではありません");
  return dispatch->dispatch();
}

// Conversions

VariantOwner toComVariant(const Variant& value) {
  return std::visit(
      [](const auto& v) -> VariantOwner {
        using T = std::decay_t<decltype(v)>;
        VariantOwner result;
        VARIANT& raw = result.get();
        if constexpr (std::is_same_v<T, EmptyValue>) {
          // VT_EMPTY
        } else if constexpr (std::is_same_v<T, std::int16_t>) {
          raw.vt = VT_I2;
          raw.iVal = v;
        } else if constexpr (std::is_same_v<T, std::int32_t>) {
          raw.vt = VT_I4;
          raw.lVal = v;
        } else if constexpr (std::is_same_v<T, std::int64_t>) {
          raw.vt = VT_I8;
          raw.llVal = v;
        } else if constexpr (std::is_same_v<T, double>) {
          raw.vt = VT_R8;
          raw.dblVal = v;
        } else if constexpr (std::is_same_v<T, bool>) {
          raw.vt = VT_BOOL;
          raw.boolVal = v ? VARIANT_TRUE : VARIANT_FALSE;
        } else if constexpr (std::is_same_v<T, Text>) {
          raw.bstrVal = Bstr(v).detach();
          raw.vt = VT_BSTR;
        } else if constexpr (std::is_same_v<T, std::vector<double>>) {
          raw.parray = SafeArray::ofDoubles(v).detach();
          raw.vt = VT_ARRAY | VT_R8;
        } else if constexpr (std::is_same_v<T, std::vector<std::int16_t>>) {
          raw.parray = SafeArray::ofInt16(v).detach();
          raw.vt = VT_ARRAY | VT_I2;
        } else if constexpr (std::is_same_v<T, VariantArray>) {
          raw.parray = SafeArray::ofVariants(v).detach();
          raw.vt = VT_ARRAY | VT_VARIANT;
        } else if constexpr (std::is_same_v<T, ObjectRef>) {
          raw.pdispVal = v ? ComPtr<IDispatch>::addRef(&dispatchOf(*v)).detach() : nullptr;
          raw.vt = VT_DISPATCH;
        } else if constexpr (std::is_same_v<T, ErrorValue>) {
          raw.vt = VT_ERROR;
          raw.scode = v.code;
        } else {
          static_assert(sizeof(T) == 0, "every alternative of Variant is converted");
        }
        return result;
      },
      value.value);
}

Variant fromComVariant(const VARIANT& value) {
  if (value.vt & VT_BYREF) {
    VariantOwner copy;
    // VariantCopyInd only reads its source.
    const HRESULT result = VariantCopyInd(copy.put(), const_cast<VARIANT*>(&value));
    if (FAILED(result)) throw comError(u"VariantCopyInd", result);
    return fromComVariant(copy.get());
  }
  if (value.vt & VT_ARRAY) return arrayValue(value.parray);
  switch (value.vt) {
    case VT_EMPTY:
    case VT_NULL:
      return Variant{};
    case VT_I1:
      return static_cast<std::int16_t>(value.cVal);
    case VT_UI1:
      return static_cast<std::int16_t>(value.bVal);
    case VT_I2:
      return static_cast<std::int16_t>(value.iVal);
    case VT_UI2:
      return static_cast<std::int32_t>(value.uiVal);
    case VT_I4:
      return static_cast<std::int32_t>(value.lVal);
    case VT_INT:
      return static_cast<std::int32_t>(value.intVal);
    case VT_UI4:
      return static_cast<std::int64_t>(value.ulVal);
    case VT_UINT:
      return static_cast<std::int64_t>(value.uintVal);
    case VT_I8:
      return static_cast<std::int64_t>(value.llVal);
    case VT_UI8:
      return static_cast<std::int64_t>(value.ullVal);
    case VT_R4:
      return static_cast<double>(value.fltVal);
    case VT_R8:
      return value.dblVal;
    case VT_CY:
      return static_cast<double>(value.cyVal.int64) / 10000.0;
    case VT_DATE:
      return static_cast<double>(value.date);
    case VT_BOOL:
      return value.boolVal != VARIANT_FALSE;
    case VT_BSTR:
      return bstrText(value.bstrVal);
    case VT_DISPATCH:
      return wrapDispatch(ComPtr<IDispatch>::addRef(value.pdispVal));
    case VT_UNKNOWN: {
      if (!value.punkVal) return ObjectRef{};
      ComPtr<IDispatch> dispatch;
      if (SUCCEEDED(value.punkVal->QueryInterface(IID_IDispatch, dispatch.putVoid()))) {
        return wrapDispatch(std::move(dispatch));
      }
      throw Error(u"IDispatch を持たないオブジェクトは変換できません");
    }
    case VT_ERROR:
      return ErrorValue{static_cast<std::int32_t>(value.scode)};
    default:
      throw Error(u"変換できない値の型です (VARTYPE " + hexCode(value.vt) + u")");
  }
}

}  // namespace zemvo::win32

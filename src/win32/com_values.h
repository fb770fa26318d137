#pragma once

#include <windows.h>
#include <oaidl.h>

#include <cstdint>
#include <span>
#include <vector>

#include "core/text.h"
#include "core/variant.h"
#include "win32/com_ptr.h"

namespace zemvo::win32 {

// Owns a BSTR. Move-only; `put()` frees what is held before it hands out the
// slot.
class Bstr {
 public:
  Bstr() noexcept = default;
  // A new string holding `text`; throws std::bad_alloc when out of memory.
  explicit Bstr(TextView text);
  static Bstr adopt(BSTR owned) noexcept;
  Bstr(Bstr&& other) noexcept;
  Bstr& operator=(Bstr&& other) noexcept;
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;
  ~Bstr();

  BSTR get() const noexcept { return value_; }
  BSTR* put() noexcept;
  BSTR detach() noexcept;
  void reset() noexcept;
  // The text, embedded zeros included; empty for a null BSTR.
  Text text() const;

 private:
  BSTR value_ = nullptr;
};

// The text of a BSTR the caller only borrows.
Text bstrText(BSTR value);

// Owns a VARIANT: VariantInit on creation, VariantClear on destruction and
// before `put()` hands the slot out. Move-only; moving leaves VT_EMPTY behind.
class VariantOwner {
 public:
  VariantOwner() noexcept;
  VariantOwner(VariantOwner&& other) noexcept;
  VariantOwner& operator=(VariantOwner&& other) noexcept;
  VariantOwner(const VariantOwner&) = delete;
  VariantOwner& operator=(const VariantOwner&) = delete;
  ~VariantOwner();

  const VARIANT& get() const noexcept { return value_; }
  VARIANT& get() noexcept { return value_; }
  VARIANT* put() noexcept;
  // Hands over the value; this owner is VT_EMPTY afterwards.
  VARIANT detach() noexcept;
  void reset() noexcept;
  VARTYPE type() const noexcept { return value_.vt; }

  // Owners of simple values.
  static VariantOwner ofInt16(std::int16_t value) noexcept;
  static VariantOwner ofInt32(std::int32_t value) noexcept;
  static VariantOwner ofDouble(double value) noexcept;
  static VariantOwner ofText(TextView text);
  // VT_ERROR with DISP_E_PARAMNOTFOUND: an optional argument left out.
  static VariantOwner missing() noexcept;

 private:
  VARIANT value_;
};

// Owns a SAFEARRAY. Move-only.
class SafeArray {
 public:
  SafeArray() noexcept = default;
  static SafeArray adopt(SAFEARRAY* owned) noexcept;
  SafeArray(SafeArray&& other) noexcept;
  SafeArray& operator=(SafeArray&& other) noexcept;
  SafeArray(const SafeArray&) = delete;
  SafeArray& operator=(const SafeArray&) = delete;
  ~SafeArray();

  // One-dimensional arrays with bounds 0 .. n-1.
  static SafeArray ofDoubles(std::span<const double> values);
  static SafeArray ofInt16(std::span<const std::int16_t> values);
  static SafeArray ofVariants(std::span<const Variant> values);

  SAFEARRAY* get() const noexcept { return array_; }
  SAFEARRAY* detach() noexcept;
  void reset() noexcept;

 private:
  SAFEARRAY* array_ = nullptr;
};

// The automation object behind an ObjectRef handed out by the COM CadLink and
// ExcelLink: one IDispatch reference, released with the last ObjectRef.
class DispatchObject final : public AutomationObject {
 public:
  explicit DispatchObject(ComPtr<IDispatch> dispatch) noexcept : dispatch_(std::move(dispatch)) {}
  IDispatch& dispatch() const noexcept { return *dispatch_; }

 private:
  ComPtr<IDispatch> dispatch_;
};

// Null for a null pointer.
ObjectRef wrapDispatch(ComPtr<IDispatch> dispatch);
// The IDispatch of an object handed out by wrapDispatch; throws
// zemvo::Error for any other object.
IDispatch& dispatchOf(AutomationObject& object);

// The core's Variant as a VARIANT: integers of 16, 32 and 64 bits as VT_I2,
// VT_I4 and VT_I8, doubles as VT_R8, booleans as VT_BOOL, texts as VT_BSTR,
// arrays of doubles and of 16-bit integers as one-dimensional SAFEARRAYs of
// VT_R8 and VT_I2 (bounds 0 .. n-1), arrays of variants as VT_ARRAY|VT_VARIANT,
// objects as VT_DISPATCH, error values as VT_ERROR.
VariantOwner toComVariant(const Variant& value);
// A VARIANT as the core's Variant, by-reference values dereferenced: every
// integer type up to 32 bits signed as the nearest of int16 and int32 (VT_UI4
// and VT_I8 as int64), VT_R4, VT_R8, VT_CY and VT_DATE as double, VT_NULL as
// empty, one-dimensional arrays of VT_R8 and VT_I2 as vectors of them and of
// any other element type as an array of variants. Throws zemvo::Error for
// what has no equivalent (VT_UNKNOWN without IDispatch, arrays of more than
// one dimension, VT_DECIMAL, records).
Variant fromComVariant(const VARIANT& value);

}  // namespace zemvo::win32

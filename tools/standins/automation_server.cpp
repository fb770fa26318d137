#include "automation_server.h"

#include <windows.h>
#include <oleauto.h>

#include <cstdio>

#include "core/error.h"
#include "core/numbers.h"
#include "win32/com_error.h"

namespace zemvo::standins {
namespace {

// DISPIDs of our own, far from the real applications' ones.
constexpr DISPID kFirstDispid = 0x7100;

Text escaped(TextView text) {
  Text out;
  for (char16_t c : text) {
    if (c == u'"' || c == u'\\') out += u'\\';
    out += c;
  }
  return escapeControls(out);
}

const char16_t* typeName(VARTYPE type) {
  switch (type & VT_TYPEMASK) {
    case VT_EMPTY:
      return u"EMPTY";
    case VT_NULL:
      return u"NULL";
    case VT_I1:
      return u"I1";
    case VT_UI1:
      return u"UI1";
    case VT_I2:
      return u"I2";
    case VT_UI2:
      return u"UI2";
    case VT_I4:
      return u"I4";
    case VT_UI4:
      return u"UI4";
    case VT_INT:
      return u"INT";
    case VT_I8:
      return u"I8";
    case VT_R4:
      return u"R4";
    case VT_R8:
      return u"R8";
    case VT_BSTR:
      return u"BSTR";
    case VT_DISPATCH:
      return u"DISPATCH";
    case VT_ERROR:
      return u"ERROR";
    case VT_BOOL:
      return u"BOOL";
    case VT_VARIANT:
      return u"VARIANT";
    case VT_UNKNOWN:
      return u"UNKNOWN";
    default:
      return u"?";
  }
}

Text arrayPrefix(VARTYPE type) { return type & VT_ARRAY ? Text(u"array:") : Text(); }

}  // namespace

void fail(HRESULT code, Text description) { throw Fault{code, std::move(description)}; }

void raise(Text description) { throw Fault{E_FAIL, std::move(description)}; }

// Journal

void Journal::openFile(const std::wstring& path) { file_ = _wfopen(path.c_str(), L"ab"); }

void Journal::add(Text line) {
  if (file_) {
    const std::string bytes = toUtf8(line) + "\n";
    std::fwrite(bytes.data(), 1, bytes.size(), file_);
    std::fflush(file_);
  }
  lines_.push_back(std::move(line));
}

Text Journal::text() const {
  Text out;
  for (const Text& line : lines_) {
    out += line;
    out += u'\n';
  }
  return out;
}

// Descriptions

Text describe(const VARIANT& value) {
  if (value.vt == VT_ERROR && value.scode == DISP_E_PARAMNOTFOUND) return u"missing";
  if (value.vt & VT_BYREF) return Text(u"byref:") + arrayPrefix(value.vt) + typeName(value.vt);
  try {
    const Variant converted = win32::fromComVariant(value);
    Text text = describe(converted);
    if (value.vt == VT_I2 || value.vt == VT_I4 || value.vt == VT_I8 || value.vt == VT_UI1 || value.vt == VT_INT) {
      text += Text(u":") + typeName(value.vt);
    }
    if ((value.vt & VT_ARRAY) && (value.vt & VT_TYPEMASK) != VT_R8 && (value.vt & VT_TYPEMASK) != VT_VARIANT) {
      text += Text(u":") + typeName(value.vt);
    }
    return text;
  } catch (const Error&) {
    return Text(u"<") + arrayPrefix(value.vt) + typeName(value.vt) + u">";
  }
}

Text describe(const Variant& value) {
  return std::visit(
      [](const auto& v) -> Text {
        using T = std::decay_t<decltype(v)>;
        if constexpr (std::is_same_v<T, EmptyValue>) {
          return u"empty";
        } else if constexpr (std::is_same_v<T, bool>) {
          return v ? u"True" : u"False";
        } else if constexpr (std::is_same_v<T, double>) {
          return formatGeneral(v);
        } else if constexpr (std::is_same_v<T, Text>) {
          return u"\"" + escaped(v) + u"\"";
        } else if constexpr (std::is_same_v<T, std::vector<double>> || std::is_same_v<T, std::vector<std::int16_t>>) {
          Text out = u"[";
          for (std::size_t i = 0; i < v.size(); ++i) {
            if (i) out += u",";
            if constexpr (std::is_same_v<T, std::vector<double>>) {
              out += formatGeneral(v[i]);
            } else {
              out += decimalText(v[i]);
            }
          }
          return out + u"]";
        } else if constexpr (std::is_same_v<T, VariantArray>) {
          Text out = u"{";
          for (std::size_t i = 0; i < v.size(); ++i) {
            if (i) out += u",";
            out += describe(v[i]);
          }
          return out + u"}";
        } else if constexpr (std::is_same_v<T, ObjectRef>) {
          return v ? u"<object>" : u"<nothing>";
        } else if constexpr (std::is_same_v<T, ErrorValue>) {
          return u"error:" + win32::hexCode(static_cast<unsigned long>(v.code));
        } else {
          return decimalText(v);
        }
      },
      value.value);
}

// CallArgs

bool CallArgs::present(std::size_t index) const {
  if (index >= count()) return false;
  const VARIANT& value = parameters_.rgvarg[slot(index)];
  return !(value.vt == VT_ERROR && value.scode == DISP_E_PARAMNOTFOUND);
}

const VARIANT& CallArgs::raw(std::size_t index) const {
  if (!present(index)) fail(DISP_E_PARAMNOTFOUND);
  return parameters_.rgvarg[slot(index)];
}

Variant CallArgs::value(std::size_t index) const {
  try {
    return win32::fromComVariant(raw(index));
  } catch (const Error&) {
    fail(DISP_E_TYPEMISMATCH);
  }
}

Text CallArgs::text(std::size_t index) const {
  const Variant v = value(index);
  if (!v.is<Text>()) fail(DISP_E_TYPEMISMATCH);
  return v.as<Text>();
}

double CallArgs::number(std::size_t index) const {
  try {
    return value(index).toDouble();
  } catch (const Error&) {
    fail(DISP_E_TYPEMISMATCH);
  }
}

std::int32_t CallArgs::integer(std::size_t index) const {
  const Variant v = value(index);
  if (v.is<double>() || v.is<Text>() || v.isEmpty()) fail(DISP_E_TYPEMISMATCH);
  try {
    return static_cast<std::int32_t>(v.toInteger());
  } catch (const Error&) {
    fail(DISP_E_TYPEMISMATCH);
  }
}

std::vector<double> CallArgs::point(std::size_t index) const {
  const Variant v = value(index);
  std::vector<double> values;
  if (v.is<std::vector<double>>()) {
    values = v.as<std::vector<double>>();
  } else if (v.is<VariantArray>()) {
    try {
      for (const Variant& item : v.as<VariantArray>()) values.push_back(item.toDouble());
    } catch (const Error&) {
      fail(DISP_E_TYPEMISMATCH);
    }
  } else {
    fail(DISP_E_TYPEMISMATCH);
  }
  if (values.size() == 2) values.push_back(0.0);
  if (values.size() != 3) raise(u"Invalid point: three coordinates expected");
  return values;
}

void* CallArgs::byReference(std::size_t index, VARTYPE type) const {
  if (index >= count()) fail(DISP_E_PARAMNOTFOUND);
  const VARIANT& value = parameters_.rgvarg[slot(index)];
  if (value.vt != (VT_BYREF | type) || !value.byref) fail(DISP_E_TYPEMISMATCH);
  return value.byref;
}

// ServedObject

ServedObject::ServedObject(const ServerContext& context, Text typeName)
    : context_(context), typeName_(std::move(typeName)) {}

void ServedObject::property(Text name, Getter get, Setter set) {
  members_.push_back(Member{std::move(name), false, std::move(get), std::move(set)});
}

void ServedObject::method(Text name, Getter call) {
  members_.push_back(Member{std::move(name), true, std::move(call), {}});
}

const ServedObject::Member* ServedObject::member(DISPID id) const {
  if (id == DISPID_VALUE) {
    for (const Member& m : members_) {
      if (upperAscii(m.name) == u"ITEM") return &m;
    }
    return nullptr;
  }
  const DISPID index = id - kFirstDispid;
  if (index < 0 || index >= static_cast<DISPID>(members_.size())) return nullptr;
  return &members_[static_cast<std::size_t>(index)];
}

HRESULT STDMETHODCALLTYPE ServedObject::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch)) {
    *object = static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE ServedObject::AddRef() { return ++references_; }

ULONG STDMETHODCALLTYPE ServedObject::Release() {
  const ULONG left = --references_;
  if (left == 0) delete this;
  return left;
}

HRESULT STDMETHODCALLTYPE ServedObject::GetTypeInfoCount(UINT* count) {
  if (!count) return E_POINTER;
  *count = 0;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE ServedObject::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
  if (info) *info = nullptr;
  return DISP_E_BADINDEX;
}

HRESULT STDMETHODCALLTYPE ServedObject::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
  if (!names || !ids || count == 0) return E_INVALIDARG;
  if (context_.gate) {
    const HRESULT gate = context_.gate();
    if (FAILED(gate)) return gate;
  }
  const Text wanted = upperAscii(reinterpret_cast<const char16_t*>(names[0]));
  ids[0] = DISPID_UNKNOWN;
  for (std::size_t i = 0; i < members_.size(); ++i) {
    if (upperAscii(members_[i].name) == wanted) ids[0] = kFirstDispid + static_cast<DISPID>(i);
  }
  // No named parameters.
  for (UINT i = 1; i < count; ++i) ids[i] = DISPID_UNKNOWN;
  if (ids[0] == DISPID_UNKNOWN) {
    if (context_.journal) {
      context_.journal->add(journalName() + u"." + reinterpret_cast<const char16_t*>(names[0]) + u" !! unknown name");
    }
    return DISP_E_UNKNOWNNAME;
  }
  return count > 1 ? DISP_E_UNKNOWNNAME : S_OK;
}

HRESULT ServedObject::run(const Member& member, WORD flags, const DISPPARAMS& parameters, VARIANT* result,
                          Text& journal) {
  CallArgs args(parameters);
  const bool put = flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF);
  if (put) {
    if (member.isMethod || !member.set) return DISP_E_MEMBERNOTFOUND;
    // A type library driven server wants the value as the named argument.
    if (parameters.cNamedArgs != 1 || !parameters.rgdispidNamedArgs ||
        parameters.rgdispidNamedArgs[0] != DISPID_PROPERTYPUT || parameters.cArgs != 1) {
      return DISP_E_PARAMNOTFOUND;
    }
    const VARIANT& raw = parameters.rgvarg[0];
    journal += u" = " + describe(raw);
    Variant value;
    try {
      value = win32::fromComVariant(raw);
    } catch (const Error&) {
      return DISP_E_TYPEMISMATCH;
    }
    member.set(args, value);
    return S_OK;
  }
  if (parameters.cNamedArgs != 0) return DISP_E_NONAMEDARGS;
  if (member.isMethod ? !(flags & DISPATCH_METHOD) : !(flags & DISPATCH_PROPERTYGET)) return DISP_E_MEMBERNOTFOUND;
  if (member.isMethod) {
    journal += u"(";
    for (std::size_t i = 0; i < args.count(); ++i) {
      if (i) journal += u", ";
      journal += describe(parameters.rgvarg[parameters.cArgs - 1 - i]);
    }
    journal += u")";
  } else if (parameters.cArgs != 0) {
    return DISP_E_BADPARAMCOUNT;
  }
  Variant value = member.get(args);
  if (!value.isEmpty() || member.isMethod == false) journal += u" -> " + describe(value);
  if (result) *result = win32::toComVariant(value).detach();
  return S_OK;
}

HRESULT STDMETHODCALLTYPE ServedObject::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* parameters,
                                               VARIANT* result, EXCEPINFO* exception, UINT* argumentError) {
  if (argumentError) *argumentError = 0;
  if (context_.gate) {
    const HRESULT gate = context_.gate();
    if (FAILED(gate)) return gate;
  }
  const Member* found = member(id);
  if (!found) return DISP_E_MEMBERNOTFOUND;
  static const DISPPARAMS none{};
  Text journal = journalName() + u"." + found->name;
  HRESULT code;
  try {
    code = run(*found, flags, parameters ? *parameters : none, result, journal);
    if (FAILED(code)) journal += u" !! " + win32::hexCode(static_cast<unsigned long>(code));
  } catch (const Fault& fault) {
    journal += u" !! " + win32::hexCode(static_cast<unsigned long>(fault.code));
    if (!fault.description.empty()) journal += u" " + fault.description;
    if (fault.description.empty() || !exception) {
      code = fault.code;
    } else {
      *exception = EXCEPINFO{};
      exception->bstrSource = win32::Bstr(context_.source).detach();
      exception->bstrDescription = win32::Bstr(fault.description).detach();
      exception->scode = fault.code;
      code = DISP_E_EXCEPTION;
    }
  } catch (const std::exception& error) {
    journal += u" !! " + fromUtf8(error.what());
    code = E_FAIL;
  }
  if (context_.journal) context_.journal->add(std::move(journal));
  return code;
}

ObjectRef served(ServedObject* object) {
  return win32::wrapDispatch(win32::ComPtr<IDispatch>(static_cast<IDispatch*>(object)));
}

Text upperAscii(TextView text) {
  Text out(text);
  for (char16_t& c : out) {
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
  }
  return out;
}

}  // namespace zemvo::standins

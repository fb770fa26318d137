#include "win32/com_cad_link.h"

#include <windows.h>
#include <oleauto.h>

#include <limits>

#include "core/error.h"
#include "win32/com_error.h"

namespace zemvo::win32 {
namespace {

std::vector<double> pointArray(const CadPoint& point) { return {point[0], point[1], point[2]}; }

ObjectRef objectResult(const Variant& value, TextView member) {
  if (!value.is<ObjectRef>() || !value.as<ObjectRef>())
    throw Error(Text(member) + u": オブジェクトが返されませんでした");
  return value.as<ObjectRef>();
}

std::int64_t integerResult(const Variant& value, TextView member) {
  try {
    return value.toInteger();
  } catch (const Error&) {
    throw Error(Text(member) + u": 整数が返されませんでした");
  }
}

// The running application's IUnknown from the running-object table.
HRESULT activeApplication(ComPtr<IUnknown>& application) {
  CLSID applicationClass{};
  const HRESULT result = CLSIDFromProgID(reinterpret_cast<LPCOLESTR>(ComCadLink::kProgId), &applicationClass);
  if (FAILED(result)) return result;
  return GetActiveObject(applicationClass, nullptr, application.put());
}

}  // namespace

Variant ComCadLink::get(AutomationObject& object, const char16_t* member) {
  return getProperty(dispatchOf(object), member, retry_);
}

ObjectRef ComCadLink::getObject(AutomationObject& object, const char16_t* member) {
  return objectResult(get(object, member), member);
}

Text ComCadLink::text(AutomationObject& object, const char16_t* member) {
  const Variant value = get(object, member);
  if (!value.is<Text>()) throw Error(Text(member) + u": 文字列が返されませんでした");
  return value.as<Text>();
}

std::int32_t ComCadLink::count(AutomationObject& collection) {
  return static_cast<std::int32_t>(integerResult(get(collection, u"Count"), u"Count"));
}

// Collections' Item is a method taking the 0-based index as VT_I4.
ObjectRef ComCadLink::item(AutomationObject& collection, std::int32_t index) {
  DispatchArgs args;
  args.value(Variant(index));
  return objectResult(callForValue(dispatchOf(collection), u"Item", args, retry_), u"Item");
}

bool ComCadLink::isCadRunning() {
  ComPtr<IUnknown> application;
  return SUCCEEDED(activeApplication(application)) && application;
}

ObjectRef ComCadLink::attachApplication() {
  ComPtr<IUnknown> application;
  const HRESULT result = activeApplication(application);
  if (result == MK_E_UNAVAILABLE) {
    throw Error(Text(kProgId) + u": CAD アプリケーションが起動していません (" +
                hexCode(static_cast<unsigned long>(result)) + u")");
  }
  if (FAILED(result)) throw comError(kProgId, result);
  ComPtr<IDispatch> dispatch;
  const HRESULT query = application->QueryInterface(IID_IDispatch, dispatch.putVoid());
  if (FAILED(query)) throw comError(kProgId, query);
  return wrapDispatch(std::move(dispatch));
}

ObjectRef ComCadLink::activeDocument(AutomationObject& application) {
  return getObject(application, u"ActiveDocument");
}

// LONG_PTR: VT_I8 from a 64-bit CAD, VT_I4 from a 32-bit one.
std::int64_t ComCadLink::applicationWindow(AutomationObject& application) {
  return integerResult(get(application, u"HWND"), u"HWND");
}

ObjectRef ComCadLink::applicationState(AutomationObject& application) {
  return objectResult(callForValue(dispatchOf(application), u"GetAcadState", {}, retry_), u"GetAcadState");
}

// A VARIANT_BOOL: any value but 0 is true.
bool ComCadLink::isQuiescent(AutomationObject& state) {
  const Variant value = get(state, u"IsQuiescent");
  if (value.is<bool>()) return value.as<bool>();
  return integerResult(value, u"IsQuiescent") != 0;
}

// The CAD's application object has no SendCommand: the command goes to the
// active document's.
void ComCadLink::sendCommandToApplication(AutomationObject& application, const Text& command) {
  ObjectRef document = activeDocument(application);
  sendCommandToDocument(*document, command);
}

void ComCadLink::zoomCenter(AutomationObject& application, const CadPoint& center, double height) {
  DispatchArgs args;
  args.value(Variant(pointArray(center))).value(Variant(height));
  call(dispatchOf(application), u"ZoomCenter", args, retry_);
}

void ComCadLink::sendCommandToDocument(AutomationObject& document, const Text& command) {
  DispatchArgs args;
  args.value(Variant(command));
  call(dispatchOf(document), u"SendCommand", args, retry_);
}

Variant ComCadLink::getVariable(AutomationObject& document, const Text& name) {
  DispatchArgs args;
  args.value(Variant(name));
  return callForValue(dispatchOf(document), u"GetVariable", args, retry_);
}

// Integer system variables are 16-bit; the CAD refuses a 32-bit value.
void ComCadLink::setVariable(AutomationObject& document, const Text& name, std::int32_t value) {
  if (value < std::numeric_limits<std::int16_t>::min() || value > std::numeric_limits<std::int16_t>::max()) {
    throw Error(u"SetVariable: " + name + u" に設定できない値です (" + decimalText(value) + u")");
  }
  DispatchArgs args;
  args.value(Variant(name)).value(Variant(static_cast<std::int16_t>(value)));
  call(dispatchOf(document), u"SetVariable", args, retry_);
}

ObjectRef ComCadLink::modelSpace(AutomationObject& document) { return getObject(document, u"ModelSpace"); }
ObjectRef ComCadLink::layers(AutomationObject& document) { return getObject(document, u"Layers"); }
ObjectRef ComCadLink::selectionSets(AutomationObject& document) { return getObject(document, u"SelectionSets"); }
ObjectRef ComCadLink::utility(AutomationObject& document) { return getObject(document, u"Utility"); }

std::int32_t ComCadLink::layerCount(AutomationObject& layers) { return count(layers); }
ObjectRef ComCadLink::layerItem(AutomationObject& layers, std::int32_t index) { return item(layers, index); }
Text ComCadLink::layerName(AutomationObject& layer) { return text(layer, u"Name"); }

ObjectRef ComCadLink::addLayer(AutomationObject& layers, const Text& name) {
  DispatchArgs args;
  args.value(Variant(name));
  return objectResult(callForValue(dispatchOf(layers), u"Add", args, retry_), u"Add");
}

std::int32_t ComCadLink::selectionSetCount(AutomationObject& sets) { return count(sets); }
ObjectRef ComCadLink::selectionSetItem(AutomationObject& sets, std::int32_t index) { return item(sets, index); }
Text ComCadLink::selectionSetName(AutomationObject& set) { return text(set, u"Name"); }

ObjectRef ComCadLink::addSelectionSet(AutomationObject& sets, const Text& name) {
  DispatchArgs args;
  args.value(Variant(name));
  return objectResult(callForValue(dispatchOf(sets), u"Add", args, retry_), u"Add");
}

void ComCadLink::clearSelectionSet(AutomationObject& set) { call(dispatchOf(set), u"Clear", {}, retry_); }
void ComCadLink::deleteSelectionSet(AutomationObject& set) { call(dispatchOf(set), u"Delete", {}, retry_); }

// FilterType as VT_ARRAY|VT_I2 and FilterData as VT_ARRAY|VT_VARIANT, bounds
// 0..0; without a filter both as missing optional arguments.
void ComCadLink::selectOnScreen(AutomationObject& set, const std::optional<SelectionFilter>& filter) {
  DispatchArgs args;
  if (filter) {
    args.value(Variant(std::vector<std::int16_t>{filter->groupCode})).value(Variant(VariantArray{filter->value}));
  } else {
    args.missing().missing();
  }
  call(dispatchOf(set), u"SelectOnScreen", args, retry_);
}

std::int32_t ComCadLink::entityCount(AutomationObject& set) { return count(set); }
ObjectRef ComCadLink::entityItem(AutomationObject& set, std::int32_t index) { return item(set, index); }

// GetPoint(, prompt): the base point goes as a missing optional argument.
Variant ComCadLink::getPoint(AutomationObject& utility, const Text& prompt) {
  DispatchArgs args;
  args.missing().value(Variant(prompt));
  return callForValue(dispatchOf(utility), u"GetPoint", args, retry_);
}

// GetEntity(Object [out] IDispatch*, PickedPoint [out] VARIANT, Prompt).
PickedEntity ComCadLink::getEntity(AutomationObject& utility, const Text& prompt) {
  ComPtr<IDispatch> entity;
  VariantOwner point;
  DispatchArgs args;
  args.outObject(entity).outValue(point).value(Variant(prompt));
  call(dispatchOf(utility), u"GetEntity", args, retry_);
  if (!entity) throw Error(u"GetEntity: 図形が返されませんでした");
  return PickedEntity{wrapDispatch(std::move(entity)), fromComVariant(point.get())};
}

ObjectRef ComCadLink::addText(AutomationObject& modelSpace, const Text& text, const CadPoint& insertion,
                              double height) {
  DispatchArgs args;
  args.value(Variant(text)).value(Variant(pointArray(insertion))).value(Variant(height));
  return objectResult(callForValue(dispatchOf(modelSpace), u"AddText", args, retry_), u"AddText");
}

Text ComCadLink::entityObjectName(AutomationObject& entity) { return text(entity, u"ObjectName"); }
Text ComCadLink::entityHandle(AutomationObject& entity) { return text(entity, u"Handle"); }
Text ComCadLink::entityLayer(AutomationObject& entity) { return text(entity, u"Layer"); }

void ComCadLink::setEntityLayer(AutomationObject& entity, const Text& layer) {
  putProperty(dispatchOf(entity), u"Layer", Variant(layer), retry_);
}

void ComCadLink::updateEntity(AutomationObject& entity) { call(dispatchOf(entity), u"Update", {}, retry_); }

Variant ComCadLink::entityProperty(AutomationObject& entity, const Text& member) {
  return getProperty(dispatchOf(entity), member, retry_);
}

// GetBulge(Index As Long).
double ComCadLink::polylineBulge(AutomationObject& entity, std::int32_t index) {
  DispatchArgs args;
  args.value(Variant(index));
  const Variant value = callForValue(dispatchOf(entity), u"GetBulge", args, retry_);
  try {
    return value.toDouble();
  } catch (const Error&) {
    throw Error(u"GetBulge: 数値が返されませんでした");
  }
}

}  // namespace zemvo::win32

#pragma once

#include "cad/cad_link.h"
#include "win32/dispatch.h"

namespace zemvo::win32 {

// The CAD link over COM: the CAD application found in the running-object
// table by its ProgID, every operation a late-bound call by the member names
// of the CAD's automation object model. Objects are the IDispatch pointers
// the server hands out (interfaces are only ever asked for as IDispatch: a
// dual interface's own IID cannot be marshalled without its type library
// registered). Needs COM initialised on the calling thread (ComApartment).
class ComCadLink final : public CadLink {
 public:
  static constexpr const char16_t* kProgId = u"BricscadApp.AcadApplication";

  explicit ComCadLink(BusyRetry retry = {}) : retry_(retry) {}

  bool isCadRunning() override;
  ObjectRef attachApplication() override;

  ObjectRef activeDocument(AutomationObject& application) override;
  std::int64_t applicationWindow(AutomationObject& application) override;
  ObjectRef applicationState(AutomationObject& application) override;
  bool isQuiescent(AutomationObject& state) override;
  void sendCommandToApplication(AutomationObject& application, const Text& command) override;
  void zoomCenter(AutomationObject& application, const CadPoint& center, double height) override;

  void sendCommandToDocument(AutomationObject& document, const Text& command) override;
  Variant getVariable(AutomationObject& document, const Text& name) override;
  void setVariable(AutomationObject& document, const Text& name, std::int32_t value) override;
  ObjectRef modelSpace(AutomationObject& document) override;
  ObjectRef layers(AutomationObject& document) override;
  ObjectRef selectionSets(AutomationObject& document) override;
  ObjectRef utility(AutomationObject& document) override;

  std::int32_t layerCount(AutomationObject& layers) override;
  ObjectRef layerItem(AutomationObject& layers, std::int32_t index) override;
  Text layerName(AutomationObject& layer) override;
  ObjectRef addLayer(AutomationObject& layers, const Text& name) override;

  std::int32_t selectionSetCount(AutomationObject& sets) override;
  ObjectRef selectionSetItem(AutomationObject& sets, std::int32_t index) override;
  Text selectionSetName(AutomationObject& set) override;
  ObjectRef addSelectionSet(AutomationObject& sets, const Text& name) override;
  void clearSelectionSet(AutomationObject& set) override;
  void deleteSelectionSet(AutomationObject& set) override;
  void selectOnScreen(AutomationObject& set, const std::optional<SelectionFilter>& filter) override;
  std::int32_t entityCount(AutomationObject& set) override;
  ObjectRef entityItem(AutomationObject& set, std::int32_t index) override;

  Variant getPoint(AutomationObject& utility, const Text& prompt) override;
  PickedEntity getEntity(AutomationObject& utility, const Text& prompt) override;

  ObjectRef addText(AutomationObject& modelSpace, const Text& text, const CadPoint& insertion, double height) override;

  Text entityObjectName(AutomationObject& entity) override;
  Text entityHandle(AutomationObject& entity) override;
  Text entityLayer(AutomationObject& entity) override;
  void setEntityLayer(AutomationObject& entity, const Text& layer) override;
  void updateEntity(AutomationObject& entity) override;
  Variant entityProperty(AutomationObject& entity, const Text& member) override;
  double polylineBulge(AutomationObject& entity, std::int32_t index) override;

 private:
  Variant get(AutomationObject& object, const char16_t* member);
  ObjectRef getObject(AutomationObject& object, const char16_t* member);
  ObjectRef item(AutomationObject& collection, std::int32_t index);
  std::int32_t count(AutomationObject& collection);
  Text text(AutomationObject& object, const char16_t* member);

  BusyRetry retry_;
};

}  // namespace zemvo::win32

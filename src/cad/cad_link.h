#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "core/text.h"
#include "core/variant.h"

namespace zemvo {

// A point as the CAD application passes it: three doubles.
using CadPoint = std::array<double, 3>;

// A one-entry selection filter: a group code and the value it must have.
struct SelectionFilter {
  std::int16_t groupCode = 0;
  Variant value;
};

struct PickedEntity {
  ObjectRef entity;
  Variant point;  // the pick point, three doubles
};

// The operations the program needs of the running CAD application. Every
// object it hands out is released when the last reference goes; nothing is
// held between handlers. Every operation throws zemvo::Error on failure; a
// user's cancel of a pick or selection arrives as such an error.
class CadLink {
 public:
  virtual ~CadLink() = default;

  virtual bool isCadRunning() = 0;
  virtual ObjectRef attachApplication() = 0;

  // application
  virtual ObjectRef activeDocument(AutomationObject& application) = 0;
  virtual std::int64_t applicationWindow(AutomationObject& application) = 0;
  virtual ObjectRef applicationState(AutomationObject& application) = 0;
  virtual bool isQuiescent(AutomationObject& state) = 0;
  virtual void sendCommandToApplication(AutomationObject& application, const Text& command) = 0;
  virtual void zoomCenter(AutomationObject& application, const CadPoint& center, double height) = 0;

  // document
  virtual void sendCommandToDocument(AutomationObject& document, const Text& command) = 0;
  virtual Variant getVariable(AutomationObject& document, const Text& name) = 0;
  virtual void setVariable(AutomationObject& document, const Text& name, std::int32_t value) = 0;
  virtual ObjectRef modelSpace(AutomationObject& document) = 0;
  virtual ObjectRef layers(AutomationObject& document) = 0;
  virtual ObjectRef selectionSets(AutomationObject& document) = 0;
  virtual ObjectRef utility(AutomationObject& document) = 0;

  // layers
  virtual std::int32_t layerCount(AutomationObject& layers) = 0;
  virtual ObjectRef layerItem(AutomationObject& layers, std::int32_t index) = 0;
  virtual Text layerName(AutomationObject& layer) = 0;
  virtual ObjectRef addLayer(AutomationObject& layers, const Text& name) = 0;

  // selection sets
  virtual std::int32_t selectionSetCount(AutomationObject& sets) = 0;
  virtual ObjectRef selectionSetItem(AutomationObject& sets, std::int32_t index) = 0;
  virtual Text selectionSetName(AutomationObject& set) = 0;
  virtual ObjectRef addSelectionSet(AutomationObject& sets, const Text& name) = 0;
  virtual void clearSelectionSet(AutomationObject& set) = 0;
  virtual void deleteSelectionSet(AutomationObject& set) = 0;
  // Without a filter both filter arguments go as missing optional parameters.
  virtual void selectOnScreen(AutomationObject& set, const std::optional<SelectionFilter>& filter) = 0;
  virtual std::int32_t entityCount(AutomationObject& set) = 0;
  virtual ObjectRef entityItem(AutomationObject& set, std::int32_t index) = 0;

  // utility: prompts without a base point
  virtual Variant getPoint(AutomationObject& utility, const Text& prompt) = 0;
  virtual PickedEntity getEntity(AutomationObject& utility, const Text& prompt) = 0;

  // model space
  virtual ObjectRef addText(AutomationObject& modelSpace, const Text& text, const CadPoint& insertion,
                            double height) = 0;

  // entities
  virtual Text entityObjectName(AutomationObject& entity) = 0;
  virtual Text entityHandle(AutomationObject& entity) = 0;
  virtual Text entityLayer(AutomationObject& entity) = 0;
  virtual void setEntityLayer(AutomationObject& entity, const Text& layer) = 0;
  virtual void updateEntity(AutomationObject& entity) = 0;
  // A property of an entity by its automation member name ("StartPoint",
  // "Radius", "Coordinates", "TextString", ...).
  virtual Variant entityProperty(AutomationObject& entity, const Text& member) = 0;
  // The bulge of a polyline's vertex `index`.
  virtual double polylineBulge(AutomationObject& entity, std::int32_t index) = 0;
};

}  // namespace zemvo

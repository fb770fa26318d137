#pragma once

#include <deque>
#include <map>
#include <memory>
#include <set>
#include <vector>

#include "cad/cad_link.h"

namespace zemvo::fakes {

// An entity of the fake drawing: its class name, handle, layer and the
// properties the program may read, by automation member name.
struct FakeEntity {
  Text objectName;
  Text handle;
  Text layer;
  std::map<Text, Variant> properties;
  std::vector<double> bulges;
};
using FakeEntityRef = std::shared_ptr<FakeEntity>;

struct FakeSelectionSet {
  Text name;
  std::vector<FakeEntityRef> items;
  bool deleted = false;
};

// What the "user" does at the next selection, pick or entity pick.
struct FakeUserAction {
  enum class Kind { Select, Point, Entity, Cancel };
  Kind kind = Kind::Cancel;
  std::vector<std::size_t> entities;  // Select: indices into the drawing; Entity: the first
  CadPoint point{};                   // Point, Entity: where the user picked
};

// An in-memory CAD application: variables, layers, selection sets and a
// drawing, user actions answered from a script, every call journaled.
class FakeCadLink : public CadLink {
 public:
  bool running = true;
  std::int64_t window = 0x1234;
  std::map<Text, Variant> variables;  // by upper-case name
  std::vector<Text> layerNames{u"0"};
  std::vector<FakeEntityRef> drawing;
  std::vector<std::shared_ptr<FakeSelectionSet>> selectionSetList;
  std::deque<FakeUserAction> userActions;
  std::deque<bool> quiescentAnswers;  // answered in turn; true once empty
  std::map<Text, int> failures;       // operation name -> how many calls fail
  std::vector<Text> journal;
  std::vector<Text> commands;  // every submitted command text, in order

  FakeCadLink();

  FakeEntityRef addEntity(Text objectName, Text layer = u"0");
  // The journal as lines, control characters written as \r, \n, \x03.
  std::string journalText() const;

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
  ObjectRef addText(AutomationObject& modelSpace, const Text& text, const CadPoint& insertion,
                    double height) override;
  Text entityObjectName(AutomationObject& entity) override;
  Text entityHandle(AutomationObject& entity) override;
  Text entityLayer(AutomationObject& entity) override;
  void setEntityLayer(AutomationObject& entity, const Text& layer) override;
  void updateEntity(AutomationObject& entity) override;
  Variant entityProperty(AutomationObject& entity, const Text& member) override;
  double polylineBulge(AutomationObject& entity, std::int32_t index) override;

 private:
  void call(const char16_t* operation, const Text& arguments = {});
  FakeUserAction nextUserAction(const char16_t* operation);
  int nextHandle_ = 0x100;
};

}  // namespace zemvo::fakes

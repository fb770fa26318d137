#include "fakes/fake_cad_link.h"

#include <algorithm>
#include <cstdio>

#include "core/error.h"
#include "core/numbers.h"

namespace zemvo::fakes {
namespace {

enum class Kind {
  Application,
  State,
  Document,
  ModelSpace,
  Layers,
  Layer,
  SelectionSets,
  SelectionSet,
  Utility,
  Entity
};

struct FakeObject : AutomationObject {
  Kind kind;
  std::size_t layer = 0;
  std::shared_ptr<FakeSelectionSet> set;
  FakeEntityRef entity;
  explicit FakeObject(Kind k) : kind(k) {}
};

FakeObject& expect(AutomationObject& object, Kind kind) {
  auto* fake = dynamic_cast<FakeObject*>(&object);
  if (!fake || fake->kind != kind) throw Error(u"fake CAD: wrong object kind");
  return *fake;
}

ObjectRef make(Kind kind) { return std::make_shared<FakeObject>(kind); }

Text upper(TextView text) {
  Text out(text);
  for (auto& c : out) {
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
  }
  return out;
}

Text quoted(TextView text) { return u"\"" + escapeControls(text) + u"\""; }

Text pointText(const CadPoint& p) {
  return formatGeneral(p[0]) + u"," + formatGeneral(p[1]) + u"," + formatGeneral(p[2]);
}

}  // namespace

FakeCadLink::FakeCadLink() {
  variables[u"DIMSCALE"] = 1.0;
  variables[u"VIEWSIZE"] = 100.0;
  variables[u"SNAPMODE"] = std::int16_t{0};
  variables[u"LASTPOINT"] = std::vector<double>{0, 0, 0};
  variables[u"UCSORG"] = std::vector<double>{0, 0, 0};
  variables[u"UCSXDIR"] = std::vector<double>{1, 0, 0};
  variables[u"UCSYDIR"] = std::vector<double>{0, 1, 0};
}

FakeEntityRef FakeCadLink::addEntity(Text objectName, Text layer) {
  auto entity = std::make_shared<FakeEntity>();
  entity->objectName = std::move(objectName);
  entity->layer = std::move(layer);
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%X", nextHandle_++);
  entity->handle = fromUtf8(buffer);
  drawing.push_back(entity);
  return entity;
}

std::string FakeCadLink::journalText() const {
  std::string out;
  for (const Text& line : journal) out += toUtf8(line) + "\n";
  return out;
}

void FakeCadLink::call(const char16_t* operation, const Text& arguments) {
  journal.push_back(arguments.empty() ? Text(operation) : Text(operation) + u" " + arguments);
  auto failure = failures.find(operation);
  if (failure != failures.end() && failure->second > 0) {
    --failure->second;
    throw Error(Text(operation) + u" に失敗しました");
  }
}

FakeUserAction FakeCadLink::nextUserAction(const char16_t* operation) {
  if (userActions.empty()) throw Error(Text(operation) + u": no scripted user action");
  FakeUserAction action = userActions.front();
  userActions.pop_front();
  if (action.kind == FakeUserAction::Kind::Cancel) throw Error(u"ユーザーによってキャンセルされました");
  return action;
}

bool FakeCadLink::isCadRunning() {
  call(u"isCadRunning");
  return running;
}

ObjectRef FakeCadLink::attachApplication() {
  call(u"attachApplication");
  if (!running) throw Error(u"CAD が起動していません");
  return make(Kind::Application);
}

ObjectRef FakeCadLink::activeDocument(AutomationObject& application) {
  expect(application, Kind::Application);
  call(u"activeDocument");
  return make(Kind::Document);
}

std::int64_t FakeCadLink::applicationWindow(AutomationObject& application) {
  expect(application, Kind::Application);
  call(u"applicationWindow");
  return window;
}

ObjectRef FakeCadLink::applicationState(AutomationObject& application) {
  expect(application, Kind::Application);
  call(u"applicationState");
  return make(Kind::State);
}

bool FakeCadLink::isQuiescent(AutomationObject& state) {
  expect(state, Kind::State);
  call(u"isQuiescent");
  if (quiescentAnswers.empty()) return true;
  const bool answer = quiescentAnswers.front();
  quiescentAnswers.pop_front();
  return answer;
}

void FakeCadLink::sendCommandToApplication(AutomationObject& application, const Text& command) {
  expect(application, Kind::Application);
  call(u"sendCommandToApplication", quoted(command));
  commands.push_back(command);
}

void FakeCadLink::zoomCenter(AutomationObject& application, const CadPoint& center, double height) {
  expect(application, Kind::Application);
  call(u"zoomCenter", pointText(center) + u" " + formatGeneral(height));
}

void FakeCadLink::sendCommandToDocument(AutomationObject& document, const Text& command) {
  expect(document, Kind::Document);
  call(u"sendCommandToDocument", quoted(command));
  commands.push_back(command);
}

Variant FakeCadLink::getVariable(AutomationObject& document, const Text& name) {
  expect(document, Kind::Document);
  call(u"getVariable", name);
  auto found = variables.find(upper(name));
  if (found == variables.end()) throw Error(u"システム変数 " + name + u" がありません");
  return found->second;
}

void FakeCadLink::setVariable(AutomationObject& document, const Text& name, std::int32_t value) {
  expect(document, Kind::Document);
  call(u"setVariable", name + u" " + decimalText(value));
  variables[upper(name)] = static_cast<std::int16_t>(value);
}

ObjectRef FakeCadLink::modelSpace(AutomationObject& document) {
  expect(document, Kind::Document);
  call(u"modelSpace");
  return make(Kind::ModelSpace);
}

ObjectRef FakeCadLink::layers(AutomationObject& document) {
  expect(document, Kind::Document);
  call(u"layers");
  return make(Kind::Layers);
}

ObjectRef FakeCadLink::selectionSets(AutomationObject& document) {
  expect(document, Kind::Document);
  call(u"selectionSets");
  return make(Kind::SelectionSets);
}

ObjectRef FakeCadLink::utility(AutomationObject& document) {
  expect(document, Kind::Document);
  call(u"utility");
  return make(Kind::Utility);
}

std::int32_t FakeCadLink::layerCount(AutomationObject& layers) {
  expect(layers, Kind::Layers);
  call(u"layerCount");
  return static_cast<std::int32_t>(layerNames.size());
}

ObjectRef FakeCadLink::layerItem(AutomationObject& layers, std::int32_t index) {
  expect(layers, Kind::Layers);
  call(u"layerItem", decimalText(index));
  if (index < 0 || static_cast<std::size_t>(index) >= layerNames.size()) throw Error(u"画層がありません");
  auto layer = std::make_shared<FakeObject>(Kind::Layer);
  layer->layer = static_cast<std::size_t>(index);
  return layer;
}

Text FakeCadLink::layerName(AutomationObject& layer) {
  auto& fake = expect(layer, Kind::Layer);
  call(u"layerName");
  return layerNames.at(fake.layer);
}

ObjectRef FakeCadLink::addLayer(AutomationObject& layers, const Text& name) {
  expect(layers, Kind::Layers);
  call(u"addLayer", name);
  auto found = std::find(layerNames.begin(), layerNames.end(), name);
  auto layer = std::make_shared<FakeObject>(Kind::Layer);
  if (found == layerNames.end()) {
    layerNames.push_back(name);
    layer->layer = layerNames.size() - 1;
  } else {
    layer->layer = static_cast<std::size_t>(found - layerNames.begin());
  }
  return layer;
}

std::int32_t FakeCadLink::selectionSetCount(AutomationObject& sets) {
  expect(sets, Kind::SelectionSets);
  call(u"selectionSetCount");
  return static_cast<std::int32_t>(selectionSetList.size());
}

ObjectRef FakeCadLink::selectionSetItem(AutomationObject& sets, std::int32_t index) {
  expect(sets, Kind::SelectionSets);
  call(u"selectionSetItem", decimalText(index));
  if (index < 0 || static_cast<std::size_t>(index) >= selectionSetList.size()) throw Error(u"選択セットがありません");
  auto set = std::make_shared<FakeObject>(Kind::SelectionSet);
  set->set = selectionSetList[static_cast<std::size_t>(index)];
  return set;
}

Text FakeCadLink::selectionSetName(AutomationObject& set) {
  auto& fake = expect(set, Kind::SelectionSet);
  call(u"selectionSetName");
  return fake.set->name;
}

ObjectRef FakeCadLink::addSelectionSet(AutomationObject& sets, const Text& name) {
  expect(sets, Kind::SelectionSets);
  call(u"addSelectionSet", name);
  for (const auto& existing : selectionSetList) {
    if (existing->name == name) throw Error(u"選択セット " + name + u" は既にあります");
  }
  auto state = std::make_shared<FakeSelectionSet>();
  state->name = name;
  selectionSetList.push_back(state);
  auto set = std::make_shared<FakeObject>(Kind::SelectionSet);
  set->set = state;
  return set;
}

void FakeCadLink::clearSelectionSet(AutomationObject& set) {
  auto& fake = expect(set, Kind::SelectionSet);
  call(u"clearSelectionSet");
  fake.set->items.clear();
}

void FakeCadLink::deleteSelectionSet(AutomationObject& set) {
  auto& fake = expect(set, Kind::SelectionSet);
  call(u"deleteSelectionSet");
  fake.set->deleted = true;
  std::erase(selectionSetList, fake.set);
}

void FakeCadLink::selectOnScreen(AutomationObject& set, const std::optional<SelectionFilter>& filter) {
  auto& fake = expect(set, Kind::SelectionSet);
  Text arguments;
  if (filter) arguments = decimalText(filter->groupCode) + u" " + quoted(filter->value.toText());
  call(u"selectOnScreen", arguments);
  const FakeUserAction action = nextUserAction(u"selectOnScreen");
  if (action.kind != FakeUserAction::Kind::Select)
    throw Error(u"selectOnScreen: the next user action is not a selection");
  for (std::size_t index : action.entities) {
    const FakeEntityRef& entity = drawing.at(index);
    if (filter && filter->groupCode == 0 && upper(entity->objectName) != u"ACDB" + upper(filter->value.toText())) {
      continue;
    }
    fake.set->items.push_back(entity);
  }
}

std::int32_t FakeCadLink::entityCount(AutomationObject& set) {
  auto& fake = expect(set, Kind::SelectionSet);
  call(u"entityCount");
  return static_cast<std::int32_t>(fake.set->items.size());
}

ObjectRef FakeCadLink::entityItem(AutomationObject& set, std::int32_t index) {
  auto& fake = expect(set, Kind::SelectionSet);
  call(u"entityItem", decimalText(index));
  if (index < 0 || static_cast<std::size_t>(index) >= fake.set->items.size()) throw Error(u"図形がありません");
  auto entity = std::make_shared<FakeObject>(Kind::Entity);
  entity->entity = fake.set->items[static_cast<std::size_t>(index)];
  return entity;
}

Variant FakeCadLink::getPoint(AutomationObject& utility, const Text& prompt) {
  expect(utility, Kind::Utility);
  call(u"getPoint", quoted(prompt));
  const FakeUserAction action = nextUserAction(u"getPoint");
  if (action.kind != FakeUserAction::Kind::Point) throw Error(u"getPoint: the next user action is not a point");
  return std::vector<double>{action.point[0], action.point[1], action.point[2]};
}

PickedEntity FakeCadLink::getEntity(AutomationObject& utility, const Text& prompt) {
  expect(utility, Kind::Utility);
  call(u"getEntity", quoted(prompt));
  const FakeUserAction action = nextUserAction(u"getEntity");
  if (action.kind != FakeUserAction::Kind::Entity || action.entities.empty()) {
    throw Error(u"getEntity: the next user action is not an entity pick");
  }
  auto entity = std::make_shared<FakeObject>(Kind::Entity);
  entity->entity = drawing.at(action.entities.front());
  return {entity, std::vector<double>{action.point[0], action.point[1], action.point[2]}};
}

ObjectRef FakeCadLink::addText(AutomationObject& modelSpace, const Text& text, const CadPoint& insertion,
                               double height) {
  expect(modelSpace, Kind::ModelSpace);
  call(u"addText", quoted(text) + u" " + pointText(insertion) + u" " + formatGeneral(height));
  FakeEntityRef added = addEntity(u"AcDbText");
  added->properties[u"TextString"] = text;
  added->properties[u"InsertionPoint"] = std::vector<double>{insertion[0], insertion[1], insertion[2]};
  added->properties[u"Height"] = height;
  auto entity = std::make_shared<FakeObject>(Kind::Entity);
  entity->entity = added;
  return entity;
}

Text FakeCadLink::entityObjectName(AutomationObject& entity) {
  auto& fake = expect(entity, Kind::Entity);
  call(u"entityObjectName");
  return fake.entity->objectName;
}

Text FakeCadLink::entityHandle(AutomationObject& entity) {
  auto& fake = expect(entity, Kind::Entity);
  call(u"entityHandle");
  return fake.entity->handle;
}

Text FakeCadLink::entityLayer(AutomationObject& entity) {
  auto& fake = expect(entity, Kind::Entity);
  call(u"entityLayer");
  return fake.entity->layer;
}

void FakeCadLink::setEntityLayer(AutomationObject& entity, const Text& layer) {
  auto& fake = expect(entity, Kind::Entity);
  call(u"setEntityLayer", layer);
  fake.entity->layer = layer;
}

void FakeCadLink::updateEntity(AutomationObject& entity) {
  expect(entity, Kind::Entity);
  call(u"updateEntity");
}

Variant FakeCadLink::entityProperty(AutomationObject& entity, const Text& member) {
  auto& fake = expect(entity, Kind::Entity);
  call(u"entityProperty", member);
  if (member == u"Layer") return fake.entity->layer;
  if (member == u"Handle") return fake.entity->handle;
  if (member == u"ObjectName") return fake.entity->objectName;
  auto found = fake.entity->properties.find(member);
  if (found == fake.entity->properties.end()) throw Error(u"メンバー " + member + u" がありません");
  return found->second;
}

double FakeCadLink::polylineBulge(AutomationObject& entity, std::int32_t index) {
  auto& fake = expect(entity, Kind::Entity);
  call(u"polylineBulge", decimalText(index));
  if (index < 0) throw Error(u"頂点がありません");
  const auto i = static_cast<std::size_t>(index);
  return i < fake.entity->bulges.size() ? fake.entity->bulges[i] : 0.0;
}

}  // namespace zemvo::fakes

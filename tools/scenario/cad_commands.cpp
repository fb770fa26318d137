// The fake CAD application as scenarios script it and print it.
#include "output_text.h"
#include "scenario_runner.h"
#include "scenario_values.h"

namespace zemvo::scenario {
namespace {

fakes::FakeUserAction userAction(fakes::FakeUserAction::Kind kind, std::vector<std::size_t> entities, CadPoint point) {
  fakes::FakeUserAction action;
  action.kind = kind;
  action.entities = std::move(entities);
  action.point = point;
  return action;
}

}  // namespace

void ScenarioRunner::cad(const Command& command) {
  const std::string& sub = wordAt(command, 1, "what to script").text;
  auto word = [&](std::size_t index) -> const Word& { return wordAt(command, index, "a value"); };
  auto entityIndex = [&](const Word& w) {
    const int index = integerWord(w, line_);
    if (index < 0 || index >= static_cast<int>(cad_.drawing.size())) fail("no entity " + w.text + " in the drawing");
    return static_cast<std::size_t>(index);
  };

  if (sub == "running") {
    cad_.running = flagWord(word(2), line_);
  } else if (sub == "variable") {
    cad_.variables[fromUtf8(word(2).text)] = variantWord(word(3), line_);
  } else if (sub == "layer") {
    cad_.layerNames.push_back(fromUtf8(word(2).text));
  } else if (sub == "entity") {
    // cad entity <ObjectName> [layer <name>] [bulges <b0,b1,...>] [<Property> <value>]...
    fakes::FakeEntityRef entity = cad_.addEntity(fromUtf8(word(2).text));
    if (command.words.size() % 2 != 1) fail("cad entity: properties come in pairs of name and value");
    for (std::size_t i = 3; i < command.words.size(); i += 2) {
      const std::string& name = command.words[i].text;
      const Word& value = command.words[i + 1];
      if (name == "layer") {
        entity->layer = fromUtf8(value.text);
      } else if (name == "bulges") {
        const Variant bulges = variantWord(value, line_);
        entity->bulges = bulges.is<std::vector<double>>() ? bulges.as<std::vector<double>>()
                                                          : std::vector<double>{bulges.toDouble()};
      } else {
        entity->properties[fromUtf8(name)] = variantWord(value, line_);
      }
    }
  } else if (sub == "select") {
    std::vector<std::size_t> entities;
    for (std::size_t i = 2; i < command.words.size(); ++i) entities.push_back(entityIndex(command.words[i]));
    cad_.userActions.push_back(userAction(fakes::FakeUserAction::Kind::Select, std::move(entities), {}));
  } else if (sub == "point") {
    cad_.userActions.push_back(userAction(fakes::FakeUserAction::Kind::Point, {}, pointWord(word(2), line_)));
  } else if (sub == "pick") {
    cad_.userActions.push_back(
        userAction(fakes::FakeUserAction::Kind::Entity, {entityIndex(word(2))}, pointWord(word(3), line_)));
  } else if (sub == "cancel") {
    cad_.userActions.push_back(userAction(fakes::FakeUserAction::Kind::Cancel, {}, {}));
  } else if (sub == "quiescent") {
    for (std::size_t i = 2; i < command.words.size(); ++i)
      cad_.quiescentAnswers.push_back(flagWord(command.words[i], line_));
  } else if (sub == "fail") {
    cad_.failures[fromUtf8(word(2).text)] = command.words.size() > 3 ? integerWord(command.words[3], line_) : 1;
  } else {
    fail("unknown cad command " + sub);
  }
}

void ScenarioRunner::printCadJournal() {
  emit("cad journal");
  std::vector<std::string> entries;
  for (; journalPrinted_ < cad_.journal.size(); ++journalPrinted_)
    entries.push_back(toUtf8(cad_.journal[journalPrinted_]));
  emitBlock(entries);
}

void ScenarioRunner::printDrawing() {
  std::string layers;
  for (const Text& layer : cad_.layerNames) layers += (layers.empty() ? "" : ",") + quotedText(layer);
  emit("drawing layers=" + layers);
  std::vector<std::string> entities;
  for (std::size_t i = 0; i < cad_.drawing.size(); ++i) {
    const fakes::FakeEntity& entity = *cad_.drawing[i];
    std::string line = std::to_string(i) + " " + toUtf8(entity.objectName) + " handle=" + toUtf8(entity.handle) +
                       " layer=" + quotedText(entity.layer);
    for (const auto& [name, value] : entity.properties) line += " " + toUtf8(name) + "=" + variantText(value);
    if (!entity.bulges.empty()) line += " bulges=" + variantText(entity.bulges);
    entities.push_back(line);
  }
  emitBlock(entities);
}

}  // namespace zemvo::scenario

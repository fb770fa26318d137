#include "cad_objects.h"

#include <cmath>

#include "core/cp932.h"
#include "core/error.h"
#include "core/numbers.h"
#include "win32/com_values.h"

namespace zemvo::standins {
namespace {

using win32::ComPtr;

Variant pointValue(const Point3& p) { return std::vector<double>{p.x, p.y, p.z}; }
Point3 toPoint(const std::vector<double>& v) { return Point3{v[0], v[1], v[2]}; }

Point3 cross(const Point3& a, const Point3& b) {
  return Point3{a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

ObjectRef sharedObject(const ComPtr<IDispatch>& object) { return win32::wrapDispatch(object.copy()); }

// "TEXT", "LWPOLYLINE", ...: what a selection filter's group code 0 names.
Text dxfName(EntityKind kind) {
  switch (kind) {
    case EntityKind::Line:
      return u"LINE";
    case EntityKind::Circle:
      return u"CIRCLE";
    case EntityKind::Arc:
      return u"ARC";
    case EntityKind::Ellipse:
      return u"ELLIPSE";
    case EntityKind::LightweightPolyline:
      return u"LWPOLYLINE";
    case EntityKind::Polyline2d:
    case EntityKind::Polyline3d:
      return u"POLYLINE";
    case EntityKind::Text:
      return u"TEXT";
    case EntityKind::Point:
      return u"POINT";
  }
  return u"";
}

// A filter value: a comma list of names, "*" anywhere matching any run.
bool wildcardMatch(TextView pattern, TextView name) {
  if (pattern.empty()) return name.empty();
  if (pattern[0] == u'*') {
    for (std::size_t i = 0; i <= name.size(); ++i) {
      if (wildcardMatch(pattern.substr(1), name.substr(i))) return true;
    }
    return false;
  }
  return !name.empty() && (pattern[0] == u'?' || pattern[0] == name[0]) &&
         wildcardMatch(pattern.substr(1), name.substr(1));
}

bool listMatch(TextView list, TextView name) {
  const Text upperName = upperAscii(name);
  std::size_t start = 0;
  for (;;) {
    const std::size_t comma = list.find(u',', start);
    const Text item = upperAscii(trimmed(list.substr(start, comma == TextView::npos ? TextView::npos : comma - start)));
    if (wildcardMatch(item, upperName)) return true;
    if (comma == TextView::npos) return false;
    start = comma + 1;
  }
}

struct FilterItem {
  std::int16_t code;
  Text value;
};

bool passes(const Entity& entity, const std::vector<FilterItem>& filter) {
  for (const FilterItem& item : filter) {
    if (item.code == 0 && !listMatch(item.value, dxfName(entity.kind))) return false;
    if (item.code == 8 && !listMatch(item.value, entity.layer)) return false;
  }
  return true;
}

// The two optional filter arguments of SelectOnScreen: both left out, or a
// VT_ARRAY|VT_I2 of group codes and a VT_ARRAY|VT_VARIANT of values of the
// same length.
std::vector<FilterItem> selectionFilter(CallArgs& args) {
  const bool hasTypes = args.present(0);
  const bool hasData = args.present(1);
  if (!hasTypes && !hasData) return {};
  if (hasTypes != hasData) raise(u"Invalid argument: FilterType and FilterData go together");
  auto arrayType = [](const VARIANT& v) { return v.vt & VT_BYREF ? v.vt & ~VT_BYREF : v.vt; };
  if (arrayType(args.raw(0)) != (VT_ARRAY | VT_I2) || arrayType(args.raw(1)) != (VT_ARRAY | VT_VARIANT)) {
    fail(DISP_E_TYPEMISMATCH);
  }
  const auto codes = args.value(0).as<std::vector<std::int16_t>>();
  const auto values = args.value(1).as<VariantArray>();
  if (codes.size() != values.size()) raise(u"Invalid argument: FilterType and FilterData differ in length");
  std::vector<FilterItem> filter;
  for (std::size_t i = 0; i < codes.size(); ++i) {
    if (codes[i] != 0 && codes[i] != 8)
      raise(u"Stand-in: filter group code " + decimalText(codes[i]) + u" is not served");
    filter.push_back(FilterItem{codes[i], values[i].toText()});
  }
  return filter;
}

class EntityObject final : public ServedObject {
 public:
  EntityObject(CadServer& server, EntityRef entity)
      : ServedObject(server.clients, u"Entity"), server_(server), entity_(std::move(entity)) {
    declare();
  }
  Text journalName() const override { return objectName(entity_->kind) + u"[" + entity_->handle + u"]"; }

 private:
  void declare() {
    Entity& e = *entity_;
    property(u"Handle", [&e](CallArgs&) -> Variant { return e.handle; });
    property(u"ObjectName", [&e](CallArgs&) -> Variant { return objectName(e.kind); });
    property(
        u"Layer", [&e](CallArgs&) -> Variant { return e.layer; },
        [this, &e](CallArgs&, const Variant& value) {
          if (!value.is<Text>()) fail(DISP_E_TYPEMISMATCH);
          if (!server_.drawing.hasLayer(value.as<Text>())) raise(u"Layer not found: " + value.as<Text>());
          e.layer = server_.drawing.ensureLayer(value.as<Text>());
        });
    property(
        u"color", [&e](CallArgs&) -> Variant { return e.color; },
        [&e](CallArgs&, const Variant& value) {
          try {
            e.color = static_cast<std::int32_t>(value.toInteger());
          } catch (const Error&) {
            fail(DISP_E_TYPEMISMATCH);
          }
        });
    method(u"Update", [](CallArgs&) -> Variant { return {}; });

    auto normal = [&e](CallArgs&) -> Variant { return pointValue(e.normal); };
    auto thickness = [&e](CallArgs&) -> Variant { return e.thickness; };
    switch (e.kind) {
      case EntityKind::Line:
        property(u"StartPoint", [&e](CallArgs&) -> Variant { return pointValue(e.start); });
        property(u"EndPoint", [&e](CallArgs&) -> Variant { return pointValue(e.end); });
        property(u"Normal", normal);
        property(u"Thickness", thickness);
        break;
      case EntityKind::Circle:
        property(u"Center", [&e](CallArgs&) -> Variant { return pointValue(e.start); });
        property(u"Radius", [&e](CallArgs&) -> Variant { return e.radius; });
        property(u"Normal", normal);
        property(u"Thickness", thickness);
        break;
      case EntityKind::Arc:
        property(u"Center", [&e](CallArgs&) -> Variant { return pointValue(e.start); });
        property(u"Radius", [&e](CallArgs&) -> Variant { return e.radius; });
        property(u"StartAngle", [&e](CallArgs&) -> Variant { return e.startAngle; });
        property(u"EndAngle", [&e](CallArgs&) -> Variant { return e.endAngle; });
        property(u"StartPoint", [&e](CallArgs&) -> Variant {
          return pointValue(Point3{e.start.x + e.radius * std::cos(e.startAngle),
                                   e.start.y + e.radius * std::sin(e.startAngle), e.start.z});
        });
        property(u"EndPoint", [&e](CallArgs&) -> Variant {
          return pointValue(Point3{e.start.x + e.radius * std::cos(e.endAngle),
                                   e.start.y + e.radius * std::sin(e.endAngle), e.start.z});
        });
        property(u"Normal", normal);
        property(u"Thickness", thickness);
        break;
      case EntityKind::Ellipse: {
        auto minor = [&e] {
          const Point3 m = cross(e.normal, e.majorAxis);
          return Point3{m.x * e.radiusRatio, m.y * e.radiusRatio, m.z * e.radiusRatio};
        };
        auto at = [&e, minor](double parameter) {
          const Point3 m = minor();
          const double c = std::cos(parameter);
          const double s = std::sin(parameter);
          return Point3{e.start.x + e.majorAxis.x * c + m.x * s, e.start.y + e.majorAxis.y * c + m.y * s,
                        e.start.z + e.majorAxis.z * c + m.z * s};
        };
        // Angles from the major axis, to the point at the parameter.
        auto angle = [&e](double parameter) {
          return std::atan2(e.radiusRatio * std::sin(parameter), std::cos(parameter));
        };
        property(u"Center", [&e](CallArgs&) -> Variant { return pointValue(e.start); });
        property(u"MajorAxis", [&e](CallArgs&) -> Variant { return pointValue(e.majorAxis); });
        property(u"MinorAxis", [minor](CallArgs&) -> Variant { return pointValue(minor()); });
        property(u"RadiusRatio", [&e](CallArgs&) -> Variant { return e.radiusRatio; });
        property(u"StartParameter", [&e](CallArgs&) -> Variant { return e.startAngle; });
        property(u"EndParameter", [&e](CallArgs&) -> Variant { return e.endAngle; });
        property(u"StartAngle", [&e, angle](CallArgs&) -> Variant { return angle(e.startAngle); });
        property(u"EndAngle", [&e, angle](CallArgs&) -> Variant { return angle(e.endAngle); });
        property(u"StartPoint", [&e, at](CallArgs&) -> Variant { return pointValue(at(e.startAngle)); });
        property(u"EndPoint", [&e, at](CallArgs&) -> Variant { return pointValue(at(e.endAngle)); });
        property(u"Normal", normal);
        break;
      }
      case EntityKind::LightweightPolyline:
      case EntityKind::Polyline2d:
      case EntityKind::Polyline3d: {
        const bool lightweight = e.kind == EntityKind::LightweightPolyline;
        property(u"Coordinates", [&e, lightweight](CallArgs&) -> Variant {
          std::vector<double> values;
          for (const Point3& v : e.vertices) {
            values.push_back(v.x);
            values.push_back(v.y);
            if (!lightweight) values.push_back(v.z);
          }
          return values;
        });
        property(u"Closed", [&e](CallArgs&) -> Variant { return e.closed; });
        if (e.kind == EntityKind::Polyline3d) {
          property(u"Type", [](CallArgs&) -> Variant { return std::int32_t{0}; });
          break;
        }
        if (e.kind == EntityKind::Polyline2d) property(u"Type", [](CallArgs&) -> Variant { return std::int32_t{0}; });
        property(u"Normal", normal);
        property(u"Thickness", thickness);
        property(u"Elevation", [&e](CallArgs&) -> Variant { return e.elevation; });
        method(u"GetBulge", [&e](CallArgs& args) -> Variant {
          const std::int32_t index = args.integer(0);
          if (index < 0 || index >= static_cast<std::int32_t>(e.bulges.size())) raise(u"Invalid index");
          return e.bulges[static_cast<std::size_t>(index)];
        });
        break;
      }
      case EntityKind::Text:
        property(u"TextString", [&e](CallArgs&) -> Variant { return e.text; });
        property(u"InsertionPoint", [&e](CallArgs&) -> Variant { return pointValue(e.start); });
        property(u"TextAlignmentPoint", [&e](CallArgs&) -> Variant { return pointValue(e.end); });
        property(u"Height", [&e](CallArgs&) -> Variant { return e.height; });
        property(u"ScaleFactor", [&e](CallArgs&) -> Variant { return e.widthFactor; });
        property(u"Rotation", [&e](CallArgs&) -> Variant { return e.rotation; });
        property(u"ObliqueAngle", [&e](CallArgs&) -> Variant { return e.oblique; });
        property(u"Alignment", [&e](CallArgs&) -> Variant { return textAlignment(e.horizontal, e.vertical); });
        property(u"HorizontalAlignment", [&e](CallArgs&) -> Variant { return e.horizontal; });
        property(u"VerticalAlignment", [&e](CallArgs&) -> Variant { return e.vertical; });
        property(u"Normal", normal);
        property(u"Thickness", thickness);
        break;
      case EntityKind::Point:
        property(u"Coordinates", [&e](CallArgs&) -> Variant { return pointValue(e.start); });
        property(u"Normal", normal);
        property(u"Thickness", thickness);
        break;
    }
  }

  CadServer& server_;
  EntityRef entity_;
};

ObjectRef entityObject(CadServer& server, EntityRef entity) {
  return served(new EntityObject(server, std::move(entity)));
}

class LayerObject final : public ServedObject {
 public:
  LayerObject(CadServer& server, Text name) : ServedObject(server.clients, u"Layer"), name_(std::move(name)) {
    property(u"Name", [this](CallArgs&) -> Variant { return name_; });
  }
  Text journalName() const override { return u"Layer[" + name_ + u"]"; }

 private:
  Text name_;
};

class LayersObject final : public ServedObject {
 public:
  explicit LayersObject(CadServer& server) : ServedObject(server.clients, u"Layers") {
    Drawing& drawing = server.drawing;
    property(u"Count", [&drawing](CallArgs&) -> Variant { return static_cast<std::int32_t>(drawing.layers().size()); });
    method(u"Item", [&server, &drawing](CallArgs& args) -> Variant {
      const Variant index = args.value(0);
      if (index.is<Text>()) {
        if (!drawing.hasLayer(index.as<Text>())) raise(u"Key not found");
        return served(new LayerObject(server, drawing.ensureLayer(index.as<Text>())));
      }
      const std::int32_t i = args.integer(0);
      if (i < 0 || i >= static_cast<std::int32_t>(drawing.layers().size())) raise(u"Invalid index");
      return served(new LayerObject(server, drawing.layers()[static_cast<std::size_t>(i)]));
    });
    // An existing name gives the existing layer.
    method(u"Add", [&server, &drawing](CallArgs& args) -> Variant {
      const Text name = args.text(0);
      if (trimmed(name).empty()) raise(u"Invalid layer name");
      return served(new LayerObject(server, drawing.ensureLayer(name)));
    });
  }
};

class SelectionSetObject final : public ServedObject {
 public:
  SelectionSetObject(CadServer& server, std::shared_ptr<SelectionSetData> set)
      : ServedObject(server.clients, u"SelectionSet"), server_(server), set_(std::move(set)) {
    property(u"Name", [this](CallArgs&) -> Variant { return live().name; });
    property(u"Count", [this](CallArgs&) -> Variant { return static_cast<std::int32_t>(live().items.size()); });
    method(u"Item", [this](CallArgs& args) -> Variant {
      const std::int32_t i = args.integer(0);
      SelectionSetData& set = live();
      if (i < 0 || i >= static_cast<std::int32_t>(set.items.size())) raise(u"Invalid index");
      return entityObject(server_, set.items[static_cast<std::size_t>(i)]);
    });
    method(u"Clear", [this](CallArgs&) -> Variant {
      live().items.clear();
      return {};
    });
    method(u"Delete", [this](CallArgs&) -> Variant {
      SelectionSetData& set = live();
      set.deleted = true;
      std::erase(server_.selectionSets, set_);
      return {};
    });
    method(u"SelectOnScreen", [this](CallArgs& args) -> Variant {
      SelectionSetData& set = live();
      const std::vector<FilterItem> filter = selectionFilter(args);
      const std::optional<UserAction> action = server_.script.next();
      if (!action) raise(u"Stand-in: no user action scripted for SelectOnScreen");
      server_.user(*action);
      switch (action->kind) {
        case UserAction::Kind::Hang:
          server_.hang();
          raise(u"*Cancel*");
        case UserAction::Kind::Cancel:
          raise(u"*Cancel*");
        case UserAction::Kind::Select:
          break;
        default:
          raise(u"Stand-in: scripted \"" + action->line + u"\" where a selection was due");
      }
      std::vector<EntityRef> picked;
      if (action->all) {
        picked = server_.drawing.entities();
      } else {
        for (const Text& handle : action->handles) {
          EntityRef entity = server_.drawing.find(handle);
          if (!entity) raise(u"Stand-in: no entity with handle " + handle);
          picked.push_back(entity);
        }
      }
      for (const EntityRef& entity : picked) {
        if (passes(*entity, filter) && std::find(set.items.begin(), set.items.end(), entity) == set.items.end()) {
          set.items.push_back(entity);
        }
      }
      return {};
    });
  }
  Text journalName() const override { return u"SelectionSet[" + set_->name + u"]"; }

 private:
  SelectionSetData& live() {
    if (set_->deleted) raise(u"The selection set was deleted");
    return *set_;
  }

  CadServer& server_;
  std::shared_ptr<SelectionSetData> set_;
};

class SelectionSetsObject final : public ServedObject {
 public:
  explicit SelectionSetsObject(CadServer& server) : ServedObject(server.clients, u"SelectionSets") {
    auto& sets = server.selectionSets;
    property(u"Count", [&sets](CallArgs&) -> Variant { return static_cast<std::int32_t>(sets.size()); });
    method(u"Item", [&server, &sets](CallArgs& args) -> Variant {
      const Variant index = args.value(0);
      if (index.is<Text>()) {
        for (const auto& set : sets) {
          if (upperAscii(set->name) == upperAscii(index.as<Text>())) return served(new SelectionSetObject(server, set));
        }
        raise(u"Key not found");
      }
      const std::int32_t i = args.integer(0);
      if (i < 0 || i >= static_cast<std::int32_t>(sets.size())) raise(u"Invalid index");
      return served(new SelectionSetObject(server, sets[static_cast<std::size_t>(i)]));
    });
    // A name already taken is an error, as in the CAD.
    method(u"Add", [&server, &sets](CallArgs& args) -> Variant {
      const Text name = args.text(0);
      for (const auto& set : sets) {
        if (upperAscii(set->name) == upperAscii(name)) raise(u"Duplicate record name");
      }
      auto set = std::make_shared<SelectionSetData>();
      set->name = name;
      sets.push_back(set);
      return served(new SelectionSetObject(server, set));
    });
  }
};

class UtilityObject final : public ServedObject {
 public:
  explicit UtilityObject(CadServer& server) : ServedObject(server.clients, u"Utility") {
    // GetPoint([Point], [Prompt]): the user's point.
    method(u"GetPoint", [&server](CallArgs& args) -> Variant {
      if (args.present(0)) args.point(0);
      if (args.present(1) && !args.value(1).is<Text>()) raise(u"Invalid argument Prompt in GetPoint");
      const std::optional<UserAction> action = server.script.next();
      if (!action) raise(u"Stand-in: no user action scripted for GetPoint");
      server.user(*action);
      if (action->kind == UserAction::Kind::Hang) server.hang();
      if (action->kind != UserAction::Kind::Point) raise(u"*Cancel*");
      return pointValue(action->point);
    });
    // GetEntity(Object [out], PickedPoint [out], [Prompt]).
    method(u"GetEntity", [&server](CallArgs& args) -> Variant {
      auto* object = static_cast<IDispatch**>(args.byReference(0, VT_DISPATCH));
      auto* point = static_cast<VARIANT*>(args.byReference(1, VT_VARIANT));
      if (args.present(2) && !args.value(2).is<Text>()) raise(u"Invalid argument Prompt in GetEntity");
      const std::optional<UserAction> action = server.script.next();
      if (!action) raise(u"Stand-in: no user action scripted for GetEntity");
      server.user(*action);
      if (action->kind == UserAction::Kind::Hang) server.hang();
      if (action->kind == UserAction::Kind::Miss) raise(u"No object was picked");
      if (action->kind != UserAction::Kind::Entity) raise(u"*Cancel*");
      EntityRef entity = server.drawing.find(action->handles.front());
      if (!entity) raise(u"Stand-in: no entity with handle " + action->handles.front());
      win32::VariantOwner picked = win32::toComVariant(pointValue(action->point));
      VariantClear(point);
      *point = picked.detach();
      if (*object) (*object)->Release();
      *object = static_cast<IDispatch*>(new EntityObject(server, entity));
      return {};
    });
    method(u"Prompt", [](CallArgs& args) -> Variant {
      args.text(0);
      return {};
    });
  }
};

class ModelSpaceObject final : public ServedObject {
 public:
  explicit ModelSpaceObject(CadServer& server) : ServedObject(server.clients, u"ModelSpace") {
    Drawing& drawing = server.drawing;
    property(u"Count",
             [&drawing](CallArgs&) -> Variant { return static_cast<std::int32_t>(drawing.entities().size()); });
    method(u"Item", [&server, &drawing](CallArgs& args) -> Variant {
      const std::int32_t i = args.integer(0);
      if (i < 0 || i >= static_cast<std::int32_t>(drawing.entities().size())) raise(u"Invalid index");
      return entityObject(server, drawing.entities()[static_cast<std::size_t>(i)]);
    });
    // AddText(TextString, InsertionPoint, Height): left-aligned, on the
    // current layer.
    method(u"AddText", [&server, &drawing](CallArgs& args) -> Variant {
      Entity text;
      text.kind = EntityKind::Text;
      text.text = args.text(0);
      text.start = toPoint(args.point(1));
      text.height = args.number(2);
      if (!(text.height > 0)) raise(u"Invalid argument Height in AddText");
      text.layer = drawing.variables[u"CLAYER"].toText();
      return entityObject(server, drawing.add(std::move(text)));
    });
  }
};

class AcadStateObject final : public ServedObject {
 public:
  explicit AcadStateObject(CadServer& server) : ServedObject(server.clients, u"AcadState") {
    property(u"IsQuiescent", [&server](CallArgs&) -> Variant { return server.commandLine.quiescent(); });
  }
};

bool isReadOnlyVariable(const Text& name) {
  return name == u"VIEWSIZE" || name == u"VIEWCTR" || name == u"UCSORG" || name == u"UCSXDIR" || name == u"UCSYDIR" ||
         name == u"CMDACTIVE";
}

class DocumentObject final : public ServedObject {
 public:
  explicit DocumentObject(CadServer& server)
      : ServedObject(server.clients, u"Document"),
        modelSpace_(new ModelSpaceObject(server)),
        layers_(new LayersObject(server)),
        selectionSets_(new SelectionSetsObject(server)),
        utility_(new UtilityObject(server)) {
    Drawing& drawing = server.drawing;
    property(u"Name", [](CallArgs&) -> Variant { return Text(u"Drawing1.dwg"); });
    property(u"ModelSpace", [this](CallArgs&) -> Variant { return sharedObject(modelSpace_); });
    property(u"Layers", [this](CallArgs&) -> Variant { return sharedObject(layers_); });
    property(u"SelectionSets", [this](CallArgs&) -> Variant { return sharedObject(selectionSets_); });
    property(u"Utility", [this](CallArgs&) -> Variant { return sharedObject(utility_); });
    method(u"GetVariable", [&server, &drawing](CallArgs& args) -> Variant {
      const Text name = upperAscii(args.text(0));
      if (name == u"CMDACTIVE") return std::int16_t{server.commandLine.running() ? std::int16_t{1} : std::int16_t{0}};
      const auto found = drawing.variables.find(name);
      if (found == drawing.variables.end()) raise(u"Error getting system variable " + name);
      return found->second;
    });
    // The value's type must be the variable's: a 16-bit integer for an
    // integer variable (a 32-bit one or a double is refused, as the CAD
    // does), any number for a real one, three doubles for a point.
    method(u"SetVariable", [&drawing](CallArgs& args) -> Variant {
      const Text name = upperAscii(args.text(0));
      const auto found = drawing.variables.find(name);
      if (found == drawing.variables.end()) raise(u"Error setting system variable " + name);
      if (isReadOnlyVariable(name)) raise(u"System variable " + name + u" is read-only");
      Variant& stored = found->second;
      if (stored.is<std::int16_t>()) {
        const VARIANT& raw = args.raw(1);
        const VARTYPE type = raw.vt & ~VT_BYREF;
        if (type != VT_I2)
          fail(DISP_E_TYPEMISMATCH, u"Invalid argument type for " + name + u": an Integer is required");
        stored = args.value(1).as<std::int16_t>();
      } else if (stored.is<double>()) {
        stored = args.number(1);
      } else if (stored.is<std::vector<double>>()) {
        stored = args.point(1);
      } else {
        stored = args.text(1);
      }
      return {};
    });
    method(u"SendCommand", [&server](CallArgs& args) -> Variant {
      server.commandLine.type(args.text(0));
      return {};
    });
  }

 private:
  ComPtr<IDispatch> modelSpace_;
  ComPtr<IDispatch> layers_;
  ComPtr<IDispatch> selectionSets_;
  ComPtr<IDispatch> utility_;
};

class ApplicationObject final : public ServedObject {
 public:
  explicit ApplicationObject(CadServer& server)
      : ServedObject(server.clients, u"Application"), document_(new DocumentObject(server)) {
    Drawing& drawing = server.drawing;
    property(u"ActiveDocument", [this](CallArgs&) -> Variant { return sharedObject(document_); });
    // LONG_PTR on 64-bit CAD: VT_I8.
    property(u"HWND", [&server](CallArgs&) -> Variant {
      return static_cast<std::int64_t>(reinterpret_cast<INT_PTR>(server.window));
    });
    property(u"Name", [](CallArgs&) -> Variant { return Text(u"BricsCAD"); });
    property(u"Caption", [](CallArgs&) -> Variant { return Text(u"BricsCAD - [Drawing1.dwg]"); });
    property(
        u"Visible", [this](CallArgs&) -> Variant { return visible_; },
        [this](CallArgs&, const Variant& value) {
          if (!value.is<bool>()) fail(DISP_E_TYPEMISMATCH);
          visible_ = value.as<bool>();
        });
    method(u"GetAcadState", [&server](CallArgs&) -> Variant { return served(new AcadStateObject(server)); });
    // ZoomCenter(Center, Magnify): the view's centre and height.
    method(u"ZoomCenter", [&drawing](CallArgs& args) -> Variant {
      const std::vector<double> center = args.point(0);
      const double height = args.number(1);
      if (!(height > 0)) raise(u"Invalid argument Magnify in ZoomCenter");
      drawing.variables[u"VIEWCTR"] = center;
      drawing.variables[u"VIEWSIZE"] = height;
      return {};
    });
  }

 private:
  ComPtr<IDispatch> document_;
  bool visible_ = true;
};

class ControlObject final : public ServedObject {
 public:
  explicit ControlObject(CadServer& server) : ServedObject(server.control, u"Control") {
    method(u"Script", [&server](CallArgs& args) -> Variant {
      try {
        server.script.add(args.text(0));
      } catch (const Error& error) {
        raise(error.text());
      }
      return {};
    });
    method(u"PendingActions",
           [&server](CallArgs&) -> Variant { return static_cast<std::int32_t>(server.script.pending()); });
    method(u"Journal", [&server](CallArgs&) -> Variant { return server.journal.text(); });
    method(u"ClearJournal", [&server](CallArgs&) -> Variant {
      server.journal.clear();
      return {};
    });
    method(u"Dump", [&server](CallArgs&) -> Variant { return server.drawing.dump(); });
    method(u"SetVariable", [&server](CallArgs& args) -> Variant {
      server.drawing.variables[upperAscii(args.text(0))] = args.value(1);
      return {};
    });
    method(u"Insert", [&server](CallArgs& args) -> Variant {
      const Text path = args.text(0);
      Point3 base{args.present(1) ? args.number(1) : 0, args.present(2) ? args.number(2) : 0,
                  args.present(3) ? args.number(3) : 0};
      FILE* file = _wfopen(std::wstring(path.begin(), path.end()).c_str(), L"rb");
      if (!file) raise(u"cannot open " + path);
      std::string bytes;
      char buffer[65536];
      std::size_t read;
      while ((read = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, read);
      std::fclose(file);
      try {
        return static_cast<std::int32_t>(insertDxf(server.drawing, decodeCp932(bytes), base, 1, 0));
      } catch (const Error& error) {
        raise(error.text());
      }
    });
    // Busy(milliseconds[, code]): the clients' calls fail for that long,
    // rejected by the message filter (RPC_E_CALL_REJECTED, the default) or
    // answered with `code` by Invoke.
    method(u"Busy", [&server](CallArgs& args) -> Variant {
      const std::int32_t milliseconds = args.integer(0);
      server.busyCode = args.present(1) ? static_cast<HRESULT>(args.integer(1)) : RPC_E_CALL_REJECTED;
      server.busyUntil = GetTickCount64() + static_cast<ULONGLONG>(milliseconds);
      return {};
    });
    method(u"Quit", [&server](CallArgs&) -> Variant {
      if (server.quit) server.quit();
      return {};
    });
  }
};

}  // namespace

CadServer::CadServer() : commandLine(drawing, script, journal) {
  clients.journal = &journal;
  clients.source = u"BricsCAD (stand-in)";
  clients.gate = [this]() -> HRESULT {
    if (busyCode != RPC_E_CALL_REJECTED && GetTickCount64() < busyUntil) return busyCode;
    return S_OK;
  };
  control.source = u"CAD stand-in control";
}

bool CadServer::rejectsCalls() const { return busyCode == RPC_E_CALL_REJECTED && GetTickCount64() < busyUntil; }

void CadServer::user(const UserAction& action) { journal.add(u"user: " + action.line); }

ComPtr<IDispatch> createApplication(CadServer& server) { return ComPtr<IDispatch>(new ApplicationObject(server)); }

ComPtr<IDispatch> createControl(CadServer& server) { return ComPtr<IDispatch>(new ControlObject(server)); }

}  // namespace zemvo::standins

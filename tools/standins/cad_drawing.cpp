#include "cad_drawing.h"

#include <cmath>
#include <cstdio>
#include <numbers>
#include <optional>

#include "automation_server.h"
#include "core/error.h"
#include "core/numbers.h"

namespace zemvo::standins {
namespace {

constexpr double kRadiansPerDegree = std::numbers::pi / 180.0;

struct Pair {
  int code = 0;
  Text value;
};

std::vector<Pair> readPairs(TextView content) {
  std::vector<Text> lines;
  std::size_t start = 0;
  while (start < content.size()) {
    std::size_t end = content.find(u'\n', start);
    if (end == TextView::npos) end = content.size();
    Text line(content.substr(start, end - start));
    if (!line.empty() && line.back() == u'\r') line.pop_back();
    lines.push_back(std::move(line));
    start = end + 1;
  }
  std::vector<Pair> pairs;
  for (std::size_t i = 0; i + 1 < lines.size(); i += 2) {
    const auto code = parseInteger(trimmed(lines[i]));
    if (!code) throw Error(u"DXF: group code expected on line " + decimalText(static_cast<long long>(i + 1)));
    pairs.push_back(Pair{*code, lines[i + 1]});
  }
  return pairs;
}

double number(const Text& value) { return static_cast<double>(CellNumber(value, 0)); }

// The pairs of one entity: everything up to the next group code 0.
struct Record {
  Text type;
  std::vector<Pair> pairs;

  std::optional<Text> text(int code) const {
    for (const Pair& pair : pairs) {
      if (pair.code == code) return pair.value;
    }
    return std::nullopt;
  }
  double value(int code, double fallback = 0) const {
    const auto found = text(code);
    return found ? number(*found) : fallback;
  }
  std::int32_t integer(int code, std::int32_t fallback = 0) const {
    const auto found = text(code);
    if (!found) return fallback;
    return static_cast<std::int32_t>(std::lround(number(*found)));
  }
  Point3 point(int code, Point3 fallback = {}) const {
    if (!text(code)) return fallback;
    return Point3{value(code), value(code + 10), value(code + 20)};
  }
};

class Placement {
 public:
  Placement(Point3 base, double scale, double rotationDegrees)
      : base_(base), scale_(scale), rotation_(rotationDegrees * kRadiansPerDegree) {}

  Point3 point(Point3 p) const {
    const Point3 v = vector(p);
    return Point3{base_.x + v.x, base_.y + v.y, base_.z + v.z};
  }
  Point3 vector(Point3 p) const {
    const double c = std::cos(rotation_);
    const double s = std::sin(rotation_);
    return Point3{scale_ * (c * p.x - s * p.y), scale_ * (s * p.x + c * p.y), scale_ * p.z};
  }
  double length(double value) const { return scale_ * value; }
  double angle(double radians) const { return radians + rotation_; }
  double elevation(double value) const { return base_.z + scale_ * value; }

 private:
  Point3 base_;
  double scale_;
  double rotation_;
};

void common(Entity& entity, const Record& record) {
  entity.layer = record.text(8).value_or(u"0");
  entity.color = record.integer(62, 256);
  entity.thickness = record.value(39);
  entity.normal = record.point(210, Point3{0, 0, 1});
}

Text pointText(const Point3& p) {
  return u"(" + formatGeneral(p.x) + u"," + formatGeneral(p.y) + u"," + formatGeneral(p.z) + u")";
}

Text numberText(double value) { return formatGeneral(value); }

}  // namespace

Text objectName(EntityKind kind) {
  switch (kind) {
    case EntityKind::Line:
      return u"AcDbLine";
    case EntityKind::Circle:
      return u"AcDbCircle";
    case EntityKind::Arc:
      return u"AcDbArc";
    case EntityKind::Ellipse:
      return u"AcDbEllipse";
    case EntityKind::LightweightPolyline:
      return u"AcDbPolyline";
    case EntityKind::Polyline2d:
      return u"AcDb2dPolyline";
    case EntityKind::Polyline3d:
      return u"AcDb3dPolyline";
    case EntityKind::Text:
      return u"AcDbText";
    case EntityKind::Point:
      return u"AcDbPoint";
  }
  return u"AcDbEntity";
}

std::int32_t textAlignment(std::int32_t horizontal, std::int32_t vertical) {
  if (vertical == 0 || horizontal > 2) return horizontal;
  // Top 6..8, middle 9..11, bottom 12..14.
  const std::int32_t row = vertical == 3 ? 0 : vertical == 2 ? 1 : 2;
  return 6 + 3 * row + horizontal;
}

Drawing::Drawing() {
  variables[u"DIMSCALE"] = 1.0;
  variables[u"VIEWSIZE"] = 100.0;
  variables[u"VIEWCTR"] = std::vector<double>{0, 0, 0};
  variables[u"SNAPMODE"] = std::int16_t{0};
  variables[u"LASTPOINT"] = std::vector<double>{0, 0, 0};
  variables[u"UCSORG"] = std::vector<double>{0, 0, 0};
  variables[u"UCSXDIR"] = std::vector<double>{1, 0, 0};
  variables[u"UCSYDIR"] = std::vector<double>{0, 1, 0};
  variables[u"CLAYER"] = Text(u"0");
}

EntityRef Drawing::add(Entity entity) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%X", nextHandle_++);
  entity.handle = fromUtf8(buffer);
  entity.layer = ensureLayer(entity.layer);
  entities_.push_back(std::make_shared<Entity>(std::move(entity)));
  return entities_.back();
}

EntityRef Drawing::find(TextView handle) const {
  const Text wanted = upperAscii(handle);
  for (const EntityRef& entity : entities_) {
    if (entity->handle == wanted) return entity;
  }
  return nullptr;
}

bool Drawing::hasLayer(TextView name) const {
  const Text wanted = upperAscii(name);
  for (const Text& layer : layers_) {
    if (upperAscii(layer) == wanted) return true;
  }
  return false;
}

Text Drawing::ensureLayer(TextView name) {
  const Text wanted = upperAscii(name);
  for (const Text& layer : layers_) {
    if (upperAscii(layer) == wanted) return layer;
  }
  layers_.emplace_back(name);
  return layers_.back();
}

Text Drawing::dump() const {
  Text out;
  for (const Text& layer : layers_) out += u"layer " + layer + u"\n";
  for (const auto& [name, value] : variables) out += u"variable " + name + u"=" + describe(value) + u"\n";
  for (const EntityRef& e : entities_) {
    out += u"entity " + e->handle + u" " + objectName(e->kind) + u" layer=" + e->layer + u" color=" +
           decimalText(e->color);
    switch (e->kind) {
      case EntityKind::Line:
        out += u" start=" + pointText(e->start) + u" end=" + pointText(e->end);
        break;
      case EntityKind::Circle:
        out += u" center=" + pointText(e->start) + u" radius=" + numberText(e->radius);
        break;
      case EntityKind::Arc:
        out += u" center=" + pointText(e->start) + u" radius=" + numberText(e->radius) + u" angles=" +
               numberText(e->startAngle) + u"," + numberText(e->endAngle);
        break;
      case EntityKind::Ellipse:
        out += u" center=" + pointText(e->start) + u" major=" + pointText(e->majorAxis) + u" ratio=" +
               numberText(e->radiusRatio) + u" parameters=" + numberText(e->startAngle) + u"," +
               numberText(e->endAngle);
        break;
      case EntityKind::LightweightPolyline:
      case EntityKind::Polyline2d:
      case EntityKind::Polyline3d:
        out += u" closed=" + decimalText(e->closed ? 1 : 0) + u" elevation=" + numberText(e->elevation) + u" vertices=";
        for (std::size_t i = 0; i < e->vertices.size(); ++i) {
          out += pointText(e->vertices[i]);
          if (e->bulges[i] != 0) out += u"b" + numberText(e->bulges[i]);
        }
        break;
      case EntityKind::Text:
        out += u" text=" + describe(Variant(e->text)) + u" insertion=" + pointText(e->start) + u" alignment=" +
               pointText(e->end) + u" height=" + numberText(e->height) + u" width=" + numberText(e->widthFactor) +
               u" rotation=" + numberText(e->rotation) + u" align=" + decimalText(e->horizontal) + u"," +
               decimalText(e->vertical);
        break;
      case EntityKind::Point:
        out += u" at=" + pointText(e->start);
        break;
    }
    if (e->thickness != 0) out += u" thickness=" + numberText(e->thickness);
    out += u"\n";
  }
  return out;
}

std::size_t insertDxf(Drawing& drawing, TextView content, Point3 base, double scale, double rotationDegrees) {
  const std::vector<Pair> pairs = readPairs(content);
  // The ENTITIES section.
  std::size_t i = 0;
  for (; i + 1 < pairs.size(); ++i) {
    if (pairs[i].code == 0 && trimmed(pairs[i].value) == u"SECTION" && pairs[i + 1].code == 2 &&
        trimmed(pairs[i + 1].value) == u"ENTITIES") {
      break;
    }
  }
  if (i + 1 >= pairs.size()) throw Error(u"DXF: no ENTITIES section");
  i += 2;

  std::vector<Record> records;
  while (i < pairs.size()) {
    if (pairs[i].code != 0) throw Error(u"DXF: entity expected");
    Record record{trimmed(pairs[i].value), {}};
    if (record.type == u"ENDSEC" || record.type == u"EOF") break;
    for (++i; i < pairs.size() && pairs[i].code != 0; ++i) record.pairs.push_back(pairs[i]);
    records.push_back(std::move(record));
  }

  const Placement place(base, scale, rotationDegrees);
  std::size_t added = 0;
  for (std::size_t r = 0; r < records.size(); ++r) {
    const Record& record = records[r];
    Entity entity;
    common(entity, record);
    if (record.type == u"LINE") {
      entity.kind = EntityKind::Line;
      entity.start = place.point(record.point(10));
      entity.end = place.point(record.point(11));
    } else if (record.type == u"CIRCLE" || record.type == u"ARC") {
      entity.kind = record.type == u"ARC" ? EntityKind::Arc : EntityKind::Circle;
      entity.start = place.point(record.point(10));
      entity.radius = place.length(record.value(40));
      entity.startAngle = place.angle(record.value(50) * kRadiansPerDegree);
      entity.endAngle = place.angle(record.value(51) * kRadiansPerDegree);
    } else if (record.type == u"ELLIPSE") {
      entity.kind = EntityKind::Ellipse;
      entity.start = place.point(record.point(10));
      entity.majorAxis = place.vector(record.point(11));
      entity.radiusRatio = record.value(40, 1);
      entity.startAngle = record.value(41);
      entity.endAngle = record.value(42, 2 * std::numbers::pi);
    } else if (record.type == u"POINT") {
      entity.kind = EntityKind::Point;
      entity.start = place.point(record.point(10));
    } else if (record.type == u"TEXT") {
      entity.kind = EntityKind::Text;
      entity.text = record.text(1).value_or(Text());
      entity.start = place.point(record.point(10));
      entity.horizontal = record.integer(72);
      entity.vertical = record.integer(73);
      // The alignment point means nothing for left-aligned text, and reads 0.
      if (entity.horizontal != 0 || entity.vertical != 0) entity.end = place.point(record.point(11, record.point(10)));
      entity.height = place.length(record.value(40));
      entity.widthFactor = record.value(41, 1);
      entity.rotation = place.angle(record.value(50) * kRadiansPerDegree);
      entity.oblique = record.value(51) * kRadiansPerDegree;
    } else if (record.type == u"LWPOLYLINE") {
      entity.kind = EntityKind::LightweightPolyline;
      entity.closed = record.integer(70) & 1;
      entity.elevation = place.elevation(record.value(38));
      for (std::size_t p = 0; p < record.pairs.size(); ++p) {
        const Pair& pair = record.pairs[p];
        if (pair.code == 10) {
          Point3 vertex{number(pair.value), 0, 0};
          if (p + 1 < record.pairs.size() && record.pairs[p + 1].code == 20)
            vertex.y = number(record.pairs[p + 1].value);
          const Point3 placed = place.point(vertex);
          entity.vertices.push_back(Point3{placed.x, placed.y, entity.elevation});
          entity.bulges.push_back(0);
        } else if (pair.code == 42 && !entity.bulges.empty()) {
          entity.bulges.back() = number(pair.value);
        }
      }
    } else if (record.type == u"POLYLINE") {
      const std::int32_t flags = record.integer(70);
      entity.kind = flags & 8 ? EntityKind::Polyline3d : EntityKind::Polyline2d;
      entity.closed = flags & 1;
      if (entity.kind == EntityKind::Polyline2d) entity.elevation = place.elevation(record.point(10).z);
      for (++r; r < records.size() && records[r].type == u"VERTEX"; ++r) {
        const Point3 placed = place.point(records[r].point(10));
        // A 2D polyline's vertices lie in its plane: their own z is ignored.
        entity.vertices.push_back(entity.kind == EntityKind::Polyline3d ? placed
                                                                        : Point3{placed.x, placed.y, entity.elevation});
        entity.bulges.push_back(entity.kind == EntityKind::Polyline3d ? 0 : records[r].value(42));
      }
      // r is at the SEQEND (or whatever ended the vertices).
      if (r < records.size() && records[r].type != u"SEQEND") --r;
    } else {
      continue;
    }
    drawing.add(std::move(entity));
    ++added;
  }
  return added;
}

}  // namespace zemvo::standins

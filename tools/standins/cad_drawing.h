#pragma once

// The CAD stand-in's drawing: entities of the nine kinds the program reads,
// layers and system variables, kept in memory; filled from DXF files the way
// an exploded "-INSERT" of the file would.

#include <cstdint>
#include <map>
#include <memory>
#include <string_view>
#include <vector>

#include "core/text.h"
#include "core/variant.h"

namespace zemvo::standins {

struct Point3 {
  double x = 0;
  double y = 0;
  double z = 0;
};

enum class EntityKind { Line, Circle, Arc, Ellipse, LightweightPolyline, Polyline2d, Polyline3d, Text, Point };

// "AcDbLine", "AcDbPolyline", ...
Text objectName(EntityKind kind);

// One entity. Points are world coordinates; angles radians.
struct Entity {
  EntityKind kind = EntityKind::Point;
  Text handle;
  Text layer = u"0";
  std::int32_t color = 256;  // ByLayer
  Point3 normal{0, 0, 1};
  double thickness = 0;
  // Line: start, end. Circle, arc, ellipse: centre in `start`. Point: the
  // position. Text: insertion point, alignment point.
  Point3 start;
  Point3 end;
  double radius = 0;
  double startAngle = 0;  // arc; ellipse: start parameter
  double endAngle = 0;    // arc; ellipse: end parameter
  Point3 majorAxis;       // ellipse, from the centre
  double radiusRatio = 1;
  // Polylines: vertex positions (2D kinds: x, y in the plane at `elevation`).
  std::vector<Point3> vertices;
  std::vector<double> bulges;
  bool closed = false;
  double elevation = 0;
  // Text.
  Text text;
  double height = 0;
  double widthFactor = 1;
  double rotation = 0;
  double oblique = 0;
  std::int32_t horizontal = 0;  // DXF 72
  std::int32_t vertical = 0;    // DXF 73
};
using EntityRef = std::shared_ptr<Entity>;

class Drawing {
 public:
  Drawing();

  // Gives the entity its handle and makes sure its layer exists.
  EntityRef add(Entity entity);
  EntityRef find(TextView handle) const;
  const std::vector<EntityRef>& entities() const { return entities_; }

  // Layer names in creation order; "0" first. Names compare without regard
  // to case.
  const std::vector<Text>& layers() const { return layers_; }
  bool hasLayer(TextView name) const;
  // The layer's name as it was created; adds it when missing.
  Text ensureLayer(TextView name);

  // System variables by upper-case name.
  std::map<Text, Variant> variables;

  // Every entity, layer and variable, one per line.
  Text dump() const;

 private:
  std::vector<EntityRef> entities_;
  std::vector<Text> layers_{u"0"};
  int nextHandle_ = 0x30;
};

// Adds the entities of a DXF file's ENTITIES section (LINE, CIRCLE, ARC,
// ELLIPSE, POINT, TEXT, POLYLINE with VERTEX and SEQEND, LWPOLYLINE) as an
// exploded insertion at `base`, scaled by `scale` and turned by
// `rotationDegrees` about it, each on its own layer. Other entities are
// skipped. Returns how many were added; throws zemvo::Error for a file that
// is not DXF.
std::size_t insertDxf(Drawing& drawing, TextView content, Point3 base, double scale, double rotationDegrees);

// An AcAlignment number from the DXF 72 and 73 values.
std::int32_t textAlignment(std::int32_t horizontal, std::int32_t vertical);

}  // namespace zemvo::standins

// The whole way through the real COM path: the core writes the fragment for a
// list, submits its insert command through the CAD link, the stand-in reads
// the file the command names and adds its entities; then they are selected
// and read back entity by entity through the CAD link, and give back the
// coordinates and texts they came from.
#include <windows.h>
#include <gtest/gtest.h>

#include <map>

#include "cad/variant_to_point.h"
#include "core/numbers.h"
#include "core/string_grid.h"
#include "dxf/coordinate_table.h"
#include "dxf/dxf_fragment_writer.h"
#include "dxf/plot_generator.h"
#include "support/win_test_support.h"
#include "win32/com_apartment.h"
#include "win32/com_cad_link.h"

namespace zemvo {
namespace {

using wintest::CadStandin;

struct Row {
  const char16_t* name;
  const char16_t* x;
  const char16_t* y;
  const char16_t* z;
};

const Row kRows[] = {
    {u"A-1", u"10.5", u"20.25", u"1.5"}, {u"A-2", u"30", u"40.125", u"2"},      {u"A-3", u"-12.375", u"5", u"0.25"},
    {u"B-1", u"100", u"200", u"3"},      {u"B-2", u"110.5", u"190.75", u"3.5"},
};

StringGrid makeList() {
  StringGrid list(5, 1 + static_cast<int>(std::size(kRows)));
  int row = 1;
  for (const Row& r : kRows) {
    list.setCell(0, row, r.name);
    list.setCell(1, row, r.x);
    list.setCell(2, row, r.y);
    list.setCell(3, row, r.z);
    list.setCell(4, row, decimalText(row));
    ++row;
  }
  return list;
}

double number(const char16_t* text) { return static_cast<double>(CellNumber(text, 0)); }

// One entity as read through the CAD link.
struct ReadEntity {
  Text objectName;
  Text layer;
  std::map<Text, Variant> properties;
};

class RoundTrip : public ::testing::Test {
 protected:
  win32::ComApartment apartment;
  win32::ComCadLink cad;

  // Selects everything on screen (the scripted user) and reads each entity
  // with the properties the collection reads.
  std::vector<ReadEntity> selectAndRead(CadStandin& standin, ObjectRef& application) {
    standin.script(u"select all");
    ObjectRef sets = cad.selectionSets(*cad.activeDocument(*application));
    ObjectRef set = cad.addSelectionSet(*sets, u"ssTemp");
    cad.selectOnScreen(*set, std::nullopt);
    std::vector<ReadEntity> entities;
    const std::int32_t count = cad.entityCount(*set);
    for (std::int32_t i = 0; i < count; ++i) {
      ObjectRef entity = cad.entityItem(*set, i);
      ReadEntity read{cad.entityObjectName(*entity), cad.entityLayer(*entity), {}};
      std::vector<const char16_t*> members;
      if (read.objectName == u"AcDb3dPolyline") members = {u"Coordinates", u"Closed"};
      if (read.objectName == u"AcDb2dPolyline") members = {u"Coordinates", u"Closed", u"Elevation"};
      if (read.objectName == u"AcDbPoint") members = {u"Coordinates"};
      if (read.objectName == u"AcDbCircle") members = {u"Center", u"Radius"};
      if (read.objectName == u"AcDbText") {
        members = {u"TextString",  u"InsertionPoint",      u"TextAlignmentPoint", u"Height",
                   u"ScaleFactor", u"HorizontalAlignment", u"VerticalAlignment"};
      }
      if (read.objectName == u"AcDbLine") members = {u"StartPoint", u"EndPoint"};
      for (const char16_t* member : members) read.properties[member] = cad.entityProperty(*entity, member);
      entities.push_back(std::move(read));
    }
    cad.deleteSelectionSet(*set);
    return entities;
  }
};

std::vector<const ReadEntity*> ofKind(const std::vector<ReadEntity>& entities, std::u16string_view name) {
  std::vector<const ReadEntity*> found;
  for (const ReadEntity& e : entities) {
    if (e.objectName == name) found.push_back(&e);
  }
  return found;
}

void expectPoint(const Variant& value, double x, double y, double z, const std::string& what) {
  const TAcadPoint p = variantToPoint(value);
  EXPECT_DOUBLE_EQ(static_cast<double>(p.x), x) << what;
  EXPECT_DOUBLE_EQ(static_cast<double>(p.y), y) << what;
  EXPECT_DOUBLE_EQ(static_cast<double>(p.z), z) << what;
}

TEST_F(RoundTrip, PlottedListComesBackEntityByEntity) {
  CadStandin standin;
  standin.setVariable(u"DIMSCALE", Variant(2.0));
  const StringGrid list = makeList();
  PlotOptions options;
  options.polylines = true;
  options.closed = true;
  options.threeD = true;
  options.points = true;
  options.circles = true;
  options.names = true;
  options.values = true;
  options.delimiter = u"-";
  options.polylineLayer = u"ZEMVO_PLINE";
  options.pointLayer = u"ZEMVO_POINT";
  options.circleLayer = u"ZEMVO_CIRCLE";
  options.nameLayer = u"ZEMVO_測点名";
  options.valueLayer = u"ZEMVO_TEXTXY";
  options.radius = u"2.5";
  options.nameHeight = u"2.5";
  options.valueHeight = u"1.8";
  options.valueDecimals = 3;
  DxfFragmentWriter writer(wintest::buildPath("tests/win/round_trip_plot.dxf"));
  plotToCad(cad, writer, list, options, /*scaleByDimscale=*/true, /*withZ=*/true);

  // The command the program submits went to the document's SendCommand.
  const Text journal = standin.journal();
  EXPECT_NE(journal.find(u"Document.SendCommand(\"^C-INSERT\\r\\\"*" +
                         [&] {
                           Text escaped;
                           for (char16_t c : writer.path()) {
                             if (c == u'\\') escaped += u'\\';
                             escaped += c;
                           }
                           return escaped;
                         }() +
                         u"\\\"\\r0,0,0 1 0\\r\")"),
            Text::npos)
      << toUtf8(journal);
  EXPECT_NE(journal.find(u"command line: -INSERT: 22 entities from "), Text::npos) << toUtf8(journal);

  ObjectRef application = cad.attachApplication();
  const std::vector<ReadEntity> entities = selectAndRead(standin, application);
  ASSERT_EQ(entities.size(), 2u + 5u * 4u);  // two polylines; a point, a circle, a name, a value a row

  // Polylines, one per name group, closed and 3D: their vertices are the
  // list's coordinates.
  const auto polylines = ofKind(entities, u"AcDb3dPolyline");
  ASSERT_EQ(polylines.size(), 2u);
  const std::vector<double> groupA = polylines[0]->properties.at(u"Coordinates").as<std::vector<double>>();
  const std::vector<double> groupB = polylines[1]->properties.at(u"Coordinates").as<std::vector<double>>();
  ASSERT_EQ(groupA.size(), 9u);
  ASSERT_EQ(groupB.size(), 6u);
  for (std::size_t i = 0; i < std::size(kRows); ++i) {
    const std::vector<double>& coordinates = i < 3 ? groupA : groupB;
    const std::size_t k = (i < 3 ? i : i - 3) * 3;
    EXPECT_DOUBLE_EQ(coordinates[k], number(kRows[i].x)) << i;
    EXPECT_DOUBLE_EQ(coordinates[k + 1], number(kRows[i].y)) << i;
    EXPECT_DOUBLE_EQ(coordinates[k + 2], number(kRows[i].z)) << i;
  }
  for (const ReadEntity* polyline : polylines) {
    EXPECT_EQ(polyline->layer, u"ZEMVO_PLINE");
    EXPECT_TRUE(polyline->properties.at(u"Closed").as<bool>());
  }

  const auto points = ofKind(entities, u"AcDbPoint");
  const auto circles = ofKind(entities, u"AcDbCircle");
  const auto texts = ofKind(entities, u"AcDbText");
  ASSERT_EQ(points.size(), 5u);
  ASSERT_EQ(circles.size(), 5u);
  ASSERT_EQ(texts.size(), 10u);
  for (std::size_t i = 0; i < std::size(kRows); ++i) {
    const Row& r = kRows[i];
    const std::string what = toUtf8(r.name);
    expectPoint(points[i]->properties.at(u"Coordinates"), number(r.x), number(r.y), number(r.z), what);
    EXPECT_EQ(points[i]->layer, u"ZEMVO_POINT");
    expectPoint(circles[i]->properties.at(u"Center"), number(r.x), number(r.y), number(r.z), what);
    EXPECT_DOUBLE_EQ(circles[i]->properties.at(u"Radius").toDouble(), 5.0);  // 2.5 x DIMSCALE 2
    EXPECT_EQ(circles[i]->layer, u"ZEMVO_CIRCLE");

    // The point name, left-aligned at the point.
    const ReadEntity& name = *texts[i];
    EXPECT_EQ(name.properties.at(u"TextString").toText(), r.name);
    expectPoint(name.properties.at(u"InsertionPoint"), number(r.x), number(r.y), number(r.z), what);
    EXPECT_DOUBLE_EQ(name.properties.at(u"Height").toDouble(), 5.0);
    EXPECT_EQ(name.layer, u"ZEMVO_測点名");

    // The coordinate text, top-left aligned at the point.
    const ReadEntity& value = *texts[5 + i];
    EXPECT_EQ(value.properties.at(u"TextString").toText(),
              formatFixed(CellNumber(r.x, 0), 3) + u"," + formatFixed(CellNumber(r.y, 0), 3));
    expectPoint(value.properties.at(u"TextAlignmentPoint"), number(r.x), number(r.y), number(r.z), what);
    EXPECT_EQ(value.properties.at(u"VerticalAlignment").toInteger(), 3);
    EXPECT_DOUBLE_EQ(value.properties.at(u"ScaleFactor").toDouble(), 0.8);
    EXPECT_EQ(value.layer, u"ZEMVO_TEXTXY");
  }
}

// The coordinate table goes in by the other command form, at a picked point
// and to the document: every text and rule comes back moved by that point.
TEST_F(RoundTrip, TableInsertedAtAPointComesBackMovedThere) {
  CadStandin standin;
  const StringGrid list = makeList();
  TableOptions options;
  options.rowHeight = u"5";
  options.nameWidth = u"25";
  options.valueWidth = u"30";
  options.textHeight = u"2.5";
  options.decimals = u"3";
  options.lineLayer = u"ZEMVO_TBLLINE";
  options.textLayer = u"ZEMVO_TBLTEXT";
  DxfFragmentWriter writer(wintest::buildPath("tests/win/round_trip_table.dxf"));
  writer.BeginFragment();
  writeCoordinateTable(writer, list, options, 1);
  writer.EndFragment();
  writer.Save();

  // What the fragment holds, read back from its text: TEXT strings and their
  // alignment points (11, 21).
  std::map<Text, std::pair<double, double>> expected;
  {
    const Text& content = writer.content();
    std::vector<Text> lines;
    for (std::size_t start = 0; start < content.size();) {
      const std::size_t end = content.find(u"\r\n", start);
      lines.push_back(content.substr(start, end - start));
      start = end + 2;
    }
    for (std::size_t i = 0; i + 1 < lines.size(); i += 2) {
      if (trimmed(lines[i]) != u"0" || lines[i + 1] != u"TEXT") continue;
      double x = 0, y = 0;
      Text string;
      for (std::size_t j = i + 2; j + 1 < lines.size() && trimmed(lines[j]) != u"0"; j += 2) {
        const Text code = trimmed(lines[j]);
        if (code == u"11") x = number(lines[j + 1].c_str());
        if (code == u"21") y = number(lines[j + 1].c_str());
        if (code == u"1") string = lines[j + 1];
      }
      expected[string] = {x, y};
    }
  }
  ASSERT_GT(expected.size(), 5u);

  ObjectRef application = cad.attachApplication();
  writer.InsertAt(cad, *cad.activeDocument(*application), 1000.5, -250.25);
  EXPECT_NE(standin.journal().find(u"Document.SendCommand(\"-INSERT *"), Text::npos) << toUtf8(standin.journal());

  const std::vector<ReadEntity> entities = selectAndRead(standin, application);
  std::size_t texts = 0;
  for (const ReadEntity& e : entities) {
    if (e.objectName == u"AcDbLine") {
      EXPECT_EQ(e.layer, u"ZEMVO_TBLLINE");
      continue;
    }
    ASSERT_EQ(e.objectName, u"AcDbText");
    EXPECT_EQ(e.layer, u"ZEMVO_TBLTEXT");
    const Text string = e.properties.at(u"TextString").toText();
    ASSERT_TRUE(expected.count(string)) << toUtf8(string);
    const auto [x, y] = expected.at(string);
    expectPoint(e.properties.at(u"TextAlignmentPoint"), x + 1000.5, y - 250.25, 0, toUtf8(string));
    ++texts;
  }
  EXPECT_GE(texts, expected.size());
  EXPECT_NE(ofKind(entities, u"AcDbLine").size(), 0u);
  for (const Row& r : kRows) EXPECT_TRUE(expected.count(r.name)) << toUtf8(r.name);
}

}  // namespace
}  // namespace zemvo

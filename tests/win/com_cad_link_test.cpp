// Every CadLink operation over COM, against the CAD stand-in in its own
// process: the real ROT lookup, cross-process IDispatch, variants and
// SAFEARRAYs, errors included.
#include "win32/com_cad_link.h"

#include <windows.h>
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "core/error.h"
#include "support/win_test_support.h"
#include "win32/com_apartment.h"

namespace zemvo {
namespace {

using wintest::CadStandin;
using wintest::sameVariant;
using wintest::show;

std::string errorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const Error& error) {
    return error.what();
  }
  return "no error";
}

bool contains(const Text& text, std::u16string_view part) { return text.find(part) != Text::npos; }

class CadLinkTest : public ::testing::Test {
 protected:
  win32::ComApartment apartment;
  win32::ComCadLink cad{win32::BusyRetry{std::chrono::milliseconds(5000), std::chrono::milliseconds(50)}};

  ObjectRef document(ObjectRef& application) {
    application = cad.attachApplication();
    return cad.activeDocument(*application);
  }
};

TEST_F(CadLinkTest, NoCadRunning) {
  EXPECT_FALSE(cad.isCadRunning());
  const std::string error = errorOf([&] { cad.attachApplication(); });
  EXPECT_EQ(error.rfind("BricscadApp.AcadApplication: ", 0), 0u) << error;
  EXPECT_NE(error.find("(0x800401E3)"), std::string::npos) << error;
}

TEST_F(CadLinkTest, ApplicationFoundInTheRunningObjectTable) {
  CadStandin standin({.window = true, .windowTitle = u"BricsCAD - [Drawing1.dwg]", .windowClass = u"StandinFrame"});
  EXPECT_TRUE(cad.isCadRunning());
  ObjectRef application = cad.attachApplication();
  ASSERT_TRUE(application);
  // The main window's handle, sent as a 64-bit integer.
  const std::int64_t window = cad.applicationWindow(*application);
  EXPECT_EQ(window, reinterpret_cast<std::intptr_t>(FindWindowW(L"StandinFrame", nullptr)));
  EXPECT_NE(window, 0);
  EXPECT_TRUE(cad.activeDocument(*application));
  ObjectRef state = cad.applicationState(*application);
  EXPECT_TRUE(cad.isQuiescent(*state));

  cad.zoomCenter(*application, {10, 20, 0}, 50);
  ObjectRef doc = cad.activeDocument(*application);
  EXPECT_TRUE(sameVariant(cad.getVariable(*doc, u"VIEWSIZE"), Variant(50.0)));
  EXPECT_TRUE(sameVariant(cad.getVariable(*doc, u"VIEWCTR"), Variant(std::vector<double>{10, 20, 0})));
  const Text journal = standin.journal();
  EXPECT_TRUE(contains(journal, u"Application.HWND -> ")) << toUtf8(journal);
  EXPECT_TRUE(contains(journal, u"Application.GetAcadState()")) << toUtf8(journal);
  EXPECT_TRUE(contains(journal, u"AcadState.IsQuiescent -> True")) << toUtf8(journal);
  EXPECT_TRUE(contains(journal, u"Application.ZoomCenter([10,20,0], 50)")) << toUtf8(journal);
}

TEST_F(CadLinkTest, SystemVariablesInTheirTypes) {
  CadStandin standin;
  ObjectRef application;
  ObjectRef doc = document(application);
  EXPECT_TRUE(sameVariant(cad.getVariable(*doc, u"DIMSCALE"), Variant(1.0)));
  EXPECT_TRUE(sameVariant(cad.getVariable(*doc, u"VIEWSIZE"), Variant(100.0)));
  EXPECT_TRUE(sameVariant(cad.getVariable(*doc, u"SNAPMODE"), Variant(std::int16_t{0})));
  EXPECT_TRUE(sameVariant(cad.getVariable(*doc, u"LASTPOINT"), Variant(std::vector<double>{0, 0, 0})));
  EXPECT_TRUE(sameVariant(cad.getVariable(*doc, u"UCSORG"), Variant(std::vector<double>{0, 0, 0})));
  EXPECT_TRUE(sameVariant(cad.getVariable(*doc, u"UCSXDIR"), Variant(std::vector<double>{1, 0, 0})));
  EXPECT_TRUE(sameVariant(cad.getVariable(*doc, u"UCSYDIR"), Variant(std::vector<double>{0, 1, 0})));

  standin.setVariable(u"UCSXDIR", Variant(std::vector<double>{0, 1, 0}));
  EXPECT_TRUE(sameVariant(cad.getVariable(*doc, u"ucsxdir"), Variant(std::vector<double>{0, 1, 0})));

  // Integer variables are set as 16-bit integers.
  cad.setVariable(*doc, u"SNAPMODE", 1);
  EXPECT_TRUE(sameVariant(cad.getVariable(*doc, u"SNAPMODE"), Variant(std::int16_t{1})));
  EXPECT_TRUE(contains(standin.journal(), u"Document.SetVariable(\"SNAPMODE\", 1:I2)")) << toUtf8(standin.journal());
  EXPECT_THROW(cad.setVariable(*doc, u"SNAPMODE", 70000), Error);

  const std::string readOnly = errorOf([&] { cad.setVariable(*doc, u"VIEWSIZE", 3); });
  EXPECT_EQ(readOnly, "SetVariable: System variable VIEWSIZE is read-only (0x80004005)");
  const std::string unknown = errorOf([&] { cad.getVariable(*doc, u"NOSUCHVAR"); });
  EXPECT_EQ(unknown, "GetVariable: Error getting system variable NOSUCHVAR (0x80004005)");
}

TEST_F(CadLinkTest, Layers) {
  CadStandin standin;
  ObjectRef application;
  ObjectRef doc = document(application);
  ObjectRef layers = cad.layers(*doc);
  ASSERT_EQ(cad.layerCount(*layers), 1);
  EXPECT_EQ(cad.layerName(*cad.layerItem(*layers, 0)), u"0");
  ObjectRef added = cad.addLayer(*layers, u"ZEMVO_測点名");
  EXPECT_EQ(cad.layerName(*added), u"ZEMVO_測点名");
  EXPECT_EQ(cad.layerCount(*layers), 2);
  EXPECT_EQ(cad.layerName(*cad.layerItem(*layers, 1)), u"ZEMVO_測点名");
  // An existing name gives the existing layer.
  EXPECT_EQ(cad.layerName(*cad.addLayer(*layers, u"zemvo_測点名")), u"ZEMVO_測点名");
  EXPECT_EQ(cad.layerCount(*layers), 2);
  const std::string error = errorOf([&] { cad.layerItem(*layers, 5); });
  EXPECT_EQ(error, "Item: Invalid index (0x80004005)");
  EXPECT_TRUE(contains(standin.journal(), u"Layers.Item(1:I4) -> <object>")) << toUtf8(standin.journal());
}

TEST_F(CadLinkTest, SelectionSets) {
  CadStandin standin;
  ObjectRef application;
  ObjectRef doc = document(application);
  ObjectRef sets = cad.selectionSets(*doc);
  EXPECT_EQ(cad.selectionSetCount(*sets), 0);
  ObjectRef set = cad.addSelectionSet(*sets, u"ssTemp");
  EXPECT_EQ(cad.selectionSetName(*set), u"ssTemp");
  EXPECT_EQ(cad.selectionSetCount(*sets), 1);
  EXPECT_EQ(cad.selectionSetName(*cad.selectionSetItem(*sets, 0)), u"ssTemp");
  const std::string duplicate = errorOf([&] { cad.addSelectionSet(*sets, u"ssTemp"); });
  EXPECT_EQ(duplicate, "Add: Duplicate record name (0x80004005)");
  cad.clearSelectionSet(*set);
  EXPECT_EQ(cad.entityCount(*set), 0);
  cad.deleteSelectionSet(*set);
  EXPECT_EQ(cad.selectionSetCount(*sets), 0);
  EXPECT_THROW(cad.entityCount(*set), Error);
}

TEST_F(CadLinkTest, SelectOnScreenWithoutAndWithAFilter) {
  CadStandin standin;
  ASSERT_EQ(standin.insert(wintest::sourcePath("tests/win/data/every_kind.dxf")), 9);
  ObjectRef application;
  ObjectRef doc = document(application);
  ObjectRef set = cad.addSelectionSet(*cad.selectionSets(*doc), u"ssTemp");

  standin.script(u"select all");
  cad.selectOnScreen(*set, std::nullopt);
  EXPECT_EQ(cad.entityCount(*set), 9);
  EXPECT_EQ(cad.entityObjectName(*cad.entityItem(*set, 0)), u"AcDbLine");
  EXPECT_EQ(cad.entityObjectName(*cad.entityItem(*set, 8)), u"AcDbPoint");

  cad.clearSelectionSet(*set);
  standin.script(u"select all");
  cad.selectOnScreen(*set, SelectionFilter{0, Variant(u"TEXT")});
  ASSERT_EQ(cad.entityCount(*set), 1);
  EXPECT_EQ(cad.entityObjectName(*cad.entityItem(*set, 0)), u"AcDbText");

  cad.clearSelectionSet(*set);
  standin.script(u"select 30 38");
  cad.selectOnScreen(*set, std::nullopt);
  EXPECT_EQ(cad.entityCount(*set), 2);

  // The filter arguments as the CAD wants them: missing optionals, or an
  // array of 16-bit codes and one of variants.
  const Text journal = standin.journal();
  EXPECT_TRUE(contains(journal, u"SelectionSet[ssTemp].SelectOnScreen(missing, missing)")) << toUtf8(journal);
  EXPECT_TRUE(contains(journal, u"SelectionSet[ssTemp].SelectOnScreen([0]:I2, {\"TEXT\"})")) << toUtf8(journal);
}

TEST_F(CadLinkTest, CancelledSelectionRaises) {
  CadStandin standin({.script = u"cancel"});
  ObjectRef application;
  ObjectRef doc = document(application);
  ObjectRef set = cad.addSelectionSet(*cad.selectionSets(*doc), u"ssTemp");
  const std::string error = errorOf([&] { cad.selectOnScreen(*set, std::nullopt); });
  EXPECT_EQ(error, "SelectOnScreen: *Cancel* (0x80004005)");
}

TEST_F(CadLinkTest, GetPointWithOnlyAPrompt) {
  CadStandin standin({.script = u"point 12.5 -3.25 1\ncancel"});
  ObjectRef application;
  ObjectRef utility = cad.utility(*document(application));
  EXPECT_TRUE(sameVariant(cad.getPoint(*utility, u"\n基点を指示"), Variant(std::vector<double>{12.5, -3.25, 1})));
  const std::string error = errorOf([&] { cad.getPoint(*utility, u"\n基点を指示"); });
  EXPECT_EQ(error, "GetPoint: *Cancel* (0x80004005)");
  // The base point goes as a missing optional argument before the prompt.
  EXPECT_TRUE(contains(standin.journal(), u"Utility.GetPoint(missing, \"\\n基点を指示\") -> [12.5,-3.25,1]"))
      << toUtf8(standin.journal());
}

TEST_F(CadLinkTest, GetEntityFillsItsOutParameters) {
  CadStandin standin({.script = u"entity 37 1.5 2.5 0\nmiss 100 100\ncancel"});
  ASSERT_EQ(standin.insert(wintest::sourcePath("tests/win/data/every_kind.dxf")), 9);
  ObjectRef application;
  ObjectRef utility = cad.utility(*document(application));
  PickedEntity picked = cad.getEntity(*utility, u"\n文字を選択");
  ASSERT_TRUE(picked.entity);
  EXPECT_EQ(cad.entityObjectName(*picked.entity), u"AcDbText");
  EXPECT_EQ(cad.entityHandle(*picked.entity), u"37");
  EXPECT_TRUE(sameVariant(picked.point, Variant(std::vector<double>{1.5, 2.5, 0})));
  EXPECT_EQ(errorOf([&] { cad.getEntity(*utility, u"\n文字を選択"); }), "GetEntity: No object was picked (0x80004005)");
  EXPECT_EQ(errorOf([&] { cad.getEntity(*utility, u"\n文字を選択"); }), "GetEntity: *Cancel* (0x80004005)");
  EXPECT_TRUE(contains(standin.journal(), u"Utility.GetEntity(byref:DISPATCH, byref:VARIANT, \"\\n文字を選択\")"))
      << toUtf8(standin.journal());
}

TEST_F(CadLinkTest, AddTextOnALayer) {
  CadStandin standin;
  ObjectRef application;
  ObjectRef doc = document(application);
  cad.addLayer(*cad.layers(*doc), u"ZEMVO_TEXTPT");
  ObjectRef text = cad.addText(*cad.modelSpace(*doc), u"A-1", {100.5, 200.25, 3}, 2.5);
  EXPECT_EQ(cad.entityLayer(*text), u"0");
  cad.setEntityLayer(*text, u"ZEMVO_TEXTPT");
  cad.updateEntity(*text);
  EXPECT_EQ(cad.entityLayer(*text), u"ZEMVO_TEXTPT");
  EXPECT_TRUE(sameVariant(cad.entityProperty(*text, u"TextString"), Variant(u"A-1")));
  EXPECT_TRUE(
      sameVariant(cad.entityProperty(*text, u"InsertionPoint"), Variant(std::vector<double>{100.5, 200.25, 3})));
  EXPECT_TRUE(sameVariant(cad.entityProperty(*text, u"Height"), Variant(2.5)));
  // The layer must exist.
  EXPECT_EQ(errorOf([&] { cad.setEntityLayer(*text, u"NO_SUCH_LAYER"); }),
            "Layer: Layer not found: NO_SUCH_LAYER (0x80004005)");
  const Text dump = standin.dump();
  EXPECT_TRUE(contains(dump, u"AcDbText layer=ZEMVO_TEXTPT color=256 text=\"A-1\" insertion=(100.5,200.25,3)"))
      << toUtf8(dump);
  EXPECT_TRUE(contains(standin.journal(), u"AcDbText[30].Layer = \"ZEMVO_TEXTPT\"")) << toUtf8(standin.journal());
}

TEST_F(CadLinkTest, EveryEntityKindWithItsProperties) {
  CadStandin standin({.script = u"select all"});
  ASSERT_EQ(standin.insert(wintest::sourcePath("tests/win/data/every_kind.dxf")), 9);
  ObjectRef application;
  ObjectRef set = cad.addSelectionSet(*cad.selectionSets(*document(application)), u"ssTemp");
  cad.selectOnScreen(*set, std::nullopt);
  ASSERT_EQ(cad.entityCount(*set), 9);
  auto entity = [&](int i) { return cad.entityItem(*set, i); };
  auto property = [&](const ObjectRef& e, const char16_t* name) { return cad.entityProperty(*e, name); };
  auto points = [](std::vector<double> v) { return Variant(std::move(v)); };
  const double pi = std::numbers::pi;

  ObjectRef line = entity(0);
  EXPECT_EQ(cad.entityObjectName(*line), u"AcDbLine");
  EXPECT_EQ(cad.entityHandle(*line), u"30");
  EXPECT_EQ(cad.entityLayer(*line), u"L1");
  EXPECT_TRUE(sameVariant(property(line, u"StartPoint"), points({1, 2, 3})));
  EXPECT_TRUE(sameVariant(property(line, u"EndPoint"), points({4, 5, 6})));
  EXPECT_TRUE(sameVariant(property(line, u"Thickness"), Variant(0.5)));
  EXPECT_TRUE(sameVariant(property(line, u"Normal"), points({0, 0, 1})));

  ObjectRef circle = entity(1);
  EXPECT_EQ(cad.entityObjectName(*circle), u"AcDbCircle");
  EXPECT_TRUE(sameVariant(property(circle, u"Center"), points({10, 20, 0})));
  EXPECT_TRUE(sameVariant(property(circle, u"Radius"), Variant(2.5)));
  EXPECT_TRUE(sameVariant(property(circle, u"Thickness"), Variant(1.25)));
  EXPECT_TRUE(sameVariant(property(circle, u"Normal"), points({0, 0, 1})));

  ObjectRef arc = entity(2);
  EXPECT_EQ(cad.entityObjectName(*arc), u"AcDbArc");
  EXPECT_TRUE(sameVariant(property(arc, u"Center"), points({3, 4, 0})));
  EXPECT_TRUE(sameVariant(property(arc, u"Radius"), Variant(5.0)));
  EXPECT_DOUBLE_EQ(property(arc, u"StartAngle").toDouble(), pi / 2);
  EXPECT_DOUBLE_EQ(property(arc, u"EndAngle").toDouble(), pi);
  EXPECT_TRUE(sameVariant(property(arc, u"Thickness"), Variant(0.0)));
  EXPECT_TRUE(sameVariant(property(arc, u"Normal"), points({0, 0, 1})));

  ObjectRef ellipse = entity(3);
  EXPECT_EQ(cad.entityObjectName(*ellipse), u"AcDbEllipse");
  EXPECT_TRUE(sameVariant(property(ellipse, u"Center"), points({0, 0, 0})));
  EXPECT_TRUE(sameVariant(property(ellipse, u"RadiusRatio"), Variant(0.5)));
  EXPECT_TRUE(sameVariant(property(ellipse, u"MajorAxis"), points({10, 0, 0})));
  EXPECT_DOUBLE_EQ(property(ellipse, u"StartAngle").toDouble(), 0);
  EXPECT_DOUBLE_EQ(property(ellipse, u"EndAngle").toDouble(), pi);
  const auto end = property(ellipse, u"EndPoint").as<std::vector<double>>();
  EXPECT_NEAR(end[0], -10, 1e-9);
  EXPECT_NEAR(end[1], 0, 1e-9);
  EXPECT_TRUE(sameVariant(property(ellipse, u"Normal"), points({0, 0, 1})));

  // Lightweight polyline: two values a vertex, bulges by index.
  ObjectRef lightweight = entity(4);
  EXPECT_EQ(cad.entityObjectName(*lightweight), u"AcDbPolyline");
  EXPECT_TRUE(sameVariant(property(lightweight, u"Coordinates"), points({0, 0, 10, 0, 10, 10, 0, 10})));
  EXPECT_TRUE(sameVariant(property(lightweight, u"Closed"), Variant(true)));
  EXPECT_TRUE(sameVariant(property(lightweight, u"Elevation"), Variant(1.5)));
  EXPECT_TRUE(sameVariant(property(lightweight, u"Thickness"), Variant(0.25)));
  EXPECT_TRUE(sameVariant(property(lightweight, u"Normal"), points({0, 0, 1})));
  EXPECT_DOUBLE_EQ(cad.polylineBulge(*lightweight, 0), 0.5);
  EXPECT_DOUBLE_EQ(cad.polylineBulge(*lightweight, 1), 0);
  EXPECT_DOUBLE_EQ(cad.polylineBulge(*lightweight, 2), -1);
  EXPECT_EQ(errorOf([&] { cad.polylineBulge(*lightweight, 4); }), "GetBulge: Invalid index (0x80004005)");
  EXPECT_EQ(cad.entityHandle(*lightweight), u"34");

  // Old-style 2D polyline: three values a vertex, at its elevation.
  ObjectRef flat = entity(5);
  EXPECT_EQ(cad.entityObjectName(*flat), u"AcDb2dPolyline");
  EXPECT_TRUE(sameVariant(property(flat, u"Coordinates"), points({1, 1, 2, 2, 1, 2})));
  EXPECT_TRUE(sameVariant(property(flat, u"Closed"), Variant(false)));
  EXPECT_TRUE(sameVariant(property(flat, u"Elevation"), Variant(2.0)));
  EXPECT_TRUE(sameVariant(property(flat, u"Thickness"), Variant(0.75)));
  EXPECT_DOUBLE_EQ(cad.polylineBulge(*flat, 0), 0.25);

  // 3D polyline: world coordinates, no elevation or bulges.
  ObjectRef spatial = entity(6);
  EXPECT_EQ(cad.entityObjectName(*spatial), u"AcDb3dPolyline");
  EXPECT_TRUE(sameVariant(property(spatial, u"Coordinates"), points({1, 2, 3, 4, 5, 6, 7, 8, 9})));
  EXPECT_TRUE(sameVariant(property(spatial, u"Closed"), Variant(true)));

  ObjectRef text = entity(7);
  EXPECT_EQ(cad.entityObjectName(*text), u"AcDbText");
  EXPECT_EQ(cad.entityLayer(*text), u"T1");
  EXPECT_TRUE(sameVariant(property(text, u"TextString"), Variant(u"測点A")));
  EXPECT_TRUE(sameVariant(property(text, u"InsertionPoint"), points({1, 2, 0})));
  EXPECT_TRUE(sameVariant(property(text, u"TextAlignmentPoint"), points({5, 6, 0})));
  EXPECT_TRUE(sameVariant(property(text, u"Height"), Variant(2.5)));
  EXPECT_TRUE(sameVariant(property(text, u"ScaleFactor"), Variant(0.8)));
  EXPECT_DOUBLE_EQ(property(text, u"Rotation").toDouble(), pi / 2);
  EXPECT_TRUE(sameVariant(property(text, u"HorizontalAlignment"), Variant(std::int32_t{2})));
  EXPECT_TRUE(sameVariant(property(text, u"VerticalAlignment"), Variant(std::int32_t{3})));
  EXPECT_TRUE(sameVariant(property(text, u"Alignment"), Variant(std::int32_t{8})));  // top right
  EXPECT_TRUE(sameVariant(property(text, u"color"), Variant(std::int32_t{3})));
  EXPECT_TRUE(sameVariant(property(text, u"Normal"), points({0, 0, 1})));

  ObjectRef point = entity(8);
  EXPECT_EQ(cad.entityObjectName(*point), u"AcDbPoint");
  EXPECT_EQ(cad.entityLayer(*point), u"PT");
  EXPECT_TRUE(sameVariant(property(point, u"Coordinates"), points({7, 8, 9})));
}

TEST_F(CadLinkTest, MemberTheServerLacks) {
  CadStandin standin({.script = u"select 30"});
  ASSERT_EQ(standin.insert(wintest::sourcePath("tests/win/data/every_kind.dxf")), 9);
  ObjectRef application;
  ObjectRef set = cad.addSelectionSet(*cad.selectionSets(*document(application)), u"ssTemp");
  cad.selectOnScreen(*set, std::nullopt);
  ObjectRef line = cad.entityItem(*set, 0);
  // A line has no radius: GetIDsOfNames fails, and the error names the member.
  const std::string error = errorOf([&] { cad.entityProperty(*line, u"Radius"); });
  EXPECT_EQ(error.rfind("Radius: ", 0), 0u) << error;
  EXPECT_NE(error.find("(0x80020006)"), std::string::npos) << error;
  EXPECT_THROW(cad.polylineBulge(*line, 0), Error);
  EXPECT_TRUE(contains(standin.journal(), u"AcDbLine[30].Radius !! unknown name")) << toUtf8(standin.journal());
}

TEST_F(CadLinkTest, CommandsGoToTheActiveDocument) {
  CadStandin standin;
  ObjectRef application = cad.attachApplication();
  cad.sendCommandToApplication(*application, u"REGEN\r");
  cad.sendCommandToDocument(*cad.activeDocument(*application), u"REDRAW\r");
  const Text journal = standin.journal();
  // The application has no SendCommand of its own.
  EXPECT_TRUE(contains(journal, u"Document.SendCommand(\"REGEN\\r\")")) << toUtf8(journal);
  EXPECT_TRUE(contains(journal, u"Document.SendCommand(\"REDRAW\\r\")")) << toUtf8(journal);
  EXPECT_TRUE(contains(journal, u"command line: unknown command \"REGEN\"")) << toUtf8(journal);
}

TEST_F(CadLinkTest, IdCommandRunsUntilThePickThenSetsLastPoint) {
  CadStandin standin({.script = u"polls 2\npoint 12.5 7.25 3\ncancel"});
  ObjectRef application;
  ObjectRef doc = document(application);
  cad.sendCommandToApplication(*application, u"^CID\r");
  cad.sendCommandToApplication(*application, u"_int\r");
  EXPECT_FALSE(cad.isQuiescent(*cad.applicationState(*application)));
  EXPECT_FALSE(cad.isQuiescent(*cad.applicationState(*application)));
  EXPECT_TRUE(sameVariant(cad.getVariable(*doc, u"LASTPOINT"), Variant(std::vector<double>{0, 0, 0})));
  EXPECT_TRUE(cad.isQuiescent(*cad.applicationState(*application)));
  EXPECT_TRUE(sameVariant(cad.getVariable(*doc, u"LASTPOINT"), Variant(std::vector<double>{12.5, 7.25, 3})));

  // A cancelled prompt leaves LASTPOINT as it was.
  cad.sendCommandToApplication(*application, u"^CID\r");
  while (!cad.isQuiescent(*cad.applicationState(*application))) {
  }
  EXPECT_TRUE(sameVariant(cad.getVariable(*doc, u"LASTPOINT"), Variant(std::vector<double>{12.5, 7.25, 3})));
  const Text journal = standin.journal();
  EXPECT_TRUE(contains(journal, u"command line: ID: object snap INT")) << toUtf8(journal);
  EXPECT_TRUE(contains(journal, u"command line: ID: picked 12.5,7.25,3")) << toUtf8(journal);
  EXPECT_TRUE(contains(journal, u"command line: ID: cancelled")) << toUtf8(journal);
}

}  // namespace
}  // namespace zemvo

// "CADへ", "CADへ (Z=0)", "XY 作表" and "YX 作表": the list drawn into the
// running CAD application through the DXF fragment.
#include <filesystem>

#include "app/zozu23_excel_unit.h"
#include "cad/variant_to_point.h"
#include "core/coordinate_list.h"
#include "core/error.h"
#include "dxf/coordinate_table.h"
#include "dxf/plot_generator.h"

namespace zemvo {
namespace {

bool fileExists(const Text& path) {
  std::error_code ignored;
  return std::filesystem::exists(std::filesystem::path(path), ignored);
}

// Restores the main window however the pick ends.
class MinimizedWhile {
 public:
  explicit MinimizedWhile(Host& host) : host_(host) { host_.setMainWindowState(WindowState::Minimized); }
  ~MinimizedWhile() { host_.setMainWindowState(WindowState::Normal); }
  MinimizedWhile(const MinimizedWhile&) = delete;
  MinimizedWhile& operator=(const MinimizedWhile&) = delete;

 private:
  Host& host_;
};

}  // namespace

PlotOptions TForm1::plotOptions() const {
  PlotOptions options;
  options.polylines = CheckBox21.checked();
  options.closed = CheckBox5.checked();
  options.threeD = CheckBox8.checked();
  options.reorder = CheckBox7.checked();
  options.points = CheckBox22.checked();
  options.circles = CheckBox26.checked();
  options.names = CheckBox23.checked();
  options.values = CheckBox4.checked();
  options.zOnly = CheckBox11.checked();
  options.delimiter = Edit7.text();
  options.range = Edit31.text();
  options.polylineLayer = Edit2.text();
  options.pointLayer = Edit8.text();
  options.circleLayer = Edit18.text();
  options.nameLayer = Edit9.text();
  options.valueLayer = Edit10.text();
  options.radius = Edit19.text();
  options.nameHeight = Edit1.text();
  options.valueHeight = Edit13.text();
  options.valueDecimals = UpDown6.position();
  return options;
}

TableOptions TForm1::tableOptions(bool yx) const {
  TableOptions options;
  options.rowHeight = Edit15.text();
  options.nameWidth = Edit16.text();
  options.valueWidth = Edit17.text();
  options.textHeight = Edit14.text();
  options.decimals = Edit20.text();
  options.thousandth = CheckBox9.checked();
  options.withZ = CheckBox8.checked();
  options.yx = yx;
  options.lineLayer = Edit11.text();
  options.textLayer = Edit12.text();
  return options;
}

void TForm1::Button2Click(const Button& sender) {
  DxfFragmentWriter writer(fragmentPath_);
  plotToCad(cad_, writer, StringGrid1, plotOptions(), CheckBox24.checked(), &sender != &Button13);
}

void TForm1::Button3Click(const Button& sender) {
  if (!cad_.isCadRunning()) return;
  acadCtrl_.SendCadText(u"\x03");
  host_.sleep(100);
  const ObjectRef application = cad_.attachApplication();
  windows_.setForegroundWindow(static_cast<WindowHandle>(cad_.applicationWindow(*application)));
  const ObjectRef document = cad_.activeDocument(*application);
  const long double scale = CheckBox24.checked() ? cad_.getVariable(*document, u"DIMSCALE").toDouble() : 1.0L;
  if (!HasData(StringGrid1)) return;

  if (fileExists(fragmentPath_)) std::filesystem::remove(std::filesystem::path(fragmentPath_));
  DxfFragmentWriter writer(fragmentPath_);
  writeCoordinateTable(writer, StringGrid1, tableOptions(&sender == &Button8), scale);
  writer.Save();
  if (!fileExists(fragmentPath_)) return;

  MinimizedWhile minimized(host_);
  host_.sleep(100);
  try {
    const ObjectRef utility = cad_.utility(*document);
    const TAcadPoint base = variantToPoint(cad_.getPoint(*utility, u"作表の左上基点を指示 : "));
    writer.InsertAt(cad_, *document, base.x, base.y);
  } catch (const std::exception&) {
    // A cancelled or failed pick inserts nothing and says nothing.
  }
}

}  // namespace zemvo

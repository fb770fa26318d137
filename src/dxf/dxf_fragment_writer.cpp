#include "dxf/dxf_fragment_writer.h"

#include <cmath>
#include <filesystem>
#include <fstream>

#include "core/cp932.h"
#include "core/error.h"
#include "core/numbers.h"

namespace zemvo {

DxfFragmentWriter::DxfFragmentWriter(Text path) : path_(std::move(path)) {}

void DxfFragmentWriter::chunk(TextView a) {
  content_ += a;
  content_ += u"\r\n";
}

void DxfFragmentWriter::chunk(TextView a, TextView b) {
  content_ += a;
  content_ += b;
  content_ += u"\r\n";
}

// A line break inside a value would split its line and shift every pair
// after it, so control characters go out as blanks.
void DxfFragmentWriter::textChunk(TextView head, TextView value) { chunk(head, withControlsAsBlanks(value)); }

void DxfFragmentWriter::coordinate(TextView head, long double value) { chunk(head, formatFixed(value, 8)); }

void DxfFragmentWriter::general(TextView head, long double value) {
  if (value != lastGeneralValue_ || std::signbit(value) != std::signbit(lastGeneralValue_)) {
    lastGeneralValue_ = value;
    lastGeneralText_ = formatGeneral(value);
  }
  chunk(head, lastGeneralText_);
}

// Header holding only $ACADVER, one LTYPE table with CONTINUOUS, and the
// start of the ENTITIES section.
void DxfFragmentWriter::BeginFragment() {
  content_.clear();
  chunk(u"  0\r\nSECTION\r\n  2\r\nHEADER\r\n  9\r\n$ACADVER\r\n  1\r\nAC1009\r\n  0\r\nENDSEC");
  chunk(u"  0\r\nSECTION\r\n  2\r\nTABLES");
  chunk(u"  0\r\nTABLE\r\n  2\r\nLTYPE");
  chunk(u" 70\r\n  1\r\n  0\r\nLTYPE");
  chunk(u"  2\r\nCONTINUOUS\r\n 70\r\n  0");
  chunk(u"  3\r\nSolid line\r\n 72\r\n 65");
  chunk(u" 73\r\n  0\r\n 40\r\n0.0");
  chunk(u"  0\r\nENDTAB\r\n  0\r\nENDSEC");
  chunk(u"  0\r\nSECTION\r\n  2\r\nENTITIES");
}

void DxfFragmentWriter::AddChunk(TextView text) { chunk(text); }

void DxfFragmentWriter::EndFragment() { chunk(u"  0\r\nENDSEC\r\n  0\r\nEOF"); }

void DxfFragmentWriter::Save() const {
  const std::string bytes = encodeCp932(content_);
  const std::filesystem::path file(path_);
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  if (out) out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (out) out.close();
  if (!out) throw Error(u"ファイル " + path_ + u" を作成できません");
}

// 0 POLYLINE / 8 layer / 66 1 / 10 20 30 0.0 / 70 flags
void DxfFragmentWriter::AddPolylineStart(TextView layer, int flags) {
  textChunk(u"  0\r\nPOLYLINE\r\n  8\r\n", layer);
  chunk(u" 66\r\n     1\r\n 10\r\n0.0");
  chunk(u" 20\r\n0.0\r\n 30\r\n0.0");
  chunk(u" 70\r\n     ", decimalText(flags));
}

// 0 VERTEX / 8 layer / 10 x / 20 y / 30 z
void DxfFragmentWriter::AddVertex(TextView layer, const TAcadPoint& point) {
  textChunk(u"  0\r\nVERTEX\r\n  8\r\n", layer);
  coordinate(u" 10\r\n", point.x);
  coordinate(u" 20\r\n", point.y);
  coordinate(u" 30\r\n", point.z);
}

// 0 SEQEND, without a layer
void DxfFragmentWriter::AddSeqEnd() { chunk(u"  0\r\nSEQEND"); }

// 0 POINT / 8 layer / 10 x / 20 y / 30 z
void DxfFragmentWriter::AddPoint(TextView layer, const TAcadPoint& point) {
  textChunk(u"  0\r\nPOINT\r\n  8\r\n", layer);
  coordinate(u" 10\r\n", point.x);
  coordinate(u" 20\r\n", point.y);
  coordinate(u" 30\r\n", point.z);
}

// 0 CIRCLE / 8 layer / 10 x / 20 y / 30 z / 40 radius
void DxfFragmentWriter::AddCircle(TextView layer, const TAcadPoint& point, long double radius) {
  textChunk(u"  0\r\nCIRCLE\r\n  8\r\n", layer);
  coordinate(u" 10\r\n", point.x);
  coordinate(u" 20\r\n", point.y);
  coordinate(u" 30\r\n", point.z);
  general(u" 40\r\n", radius);
}

// 0 TEXT / 8 layer / 10 x / 20 y / 30 z / 40 height / 1 text / 41 1.0
void DxfFragmentWriter::AddNameText(TextView layer, const TAcadPoint& point, long double height, TextView text) {
  textChunk(u"  0\r\nTEXT\r\n  8\r\n", layer);
  coordinate(u" 10\r\n", point.x);
  coordinate(u" 20\r\n", point.y);
  coordinate(u" 30\r\n", point.z);
  general(u" 40\r\n", height);
  textChunk(u"  1\r\n", text);
  chunk(u" 41\r\n1.0");
}

// 0 TEXT / 8 layer / 72 0 / 73 3 / 10 20 30 / 11 21 31 (same point) /
// 40 height / 1 text / 41 0.8
void DxfFragmentWriter::AddValueText(TextView layer, const TAcadPoint& point, long double height, TextView text) {
  textChunk(u"  0\r\nTEXT\r\n  8\r\n", layer);
  chunk(u" 72\r\n0");
  chunk(u" 73\r\n3");
  coordinate(u" 10\r\n", point.x);
  coordinate(u" 20\r\n", point.y);
  coordinate(u" 30\r\n", point.z);
  coordinate(u" 11\r\n", point.x);
  coordinate(u" 21\r\n", point.y);
  coordinate(u" 31\r\n", point.z);
  general(u" 40\r\n", height);
  textChunk(u"  1\r\n", text);
  chunk(u" 41\r\n0.8");
}

// 0 LINE / 8 layer / 10 x1 / 20 y1 / 11 x2 / 21 y2, in the plane z = 0. A
// table rule starts on an axis, whose coordinate is written "0.0". The rule
// at the table's corner starts on both, so the caller names the direction.
void DxfFragmentWriter::AddTableLine(TextView layer, TableRule rule, long double x1, long double y1, long double x2,
                                     long double y2) {
  textChunk(u"  0\r\nLINE\r\n  8\r\n", layer);
  if (rule == TableRule::Horizontal) {
    chunk(u" 10\r\n0.0");
    coordinate(u" 20\r\n", y1);
  } else {
    coordinate(u" 10\r\n", x1);
    chunk(u" 20\r\n0.0");
  }
  coordinate(u" 11\r\n", x2);
  coordinate(u" 21\r\n", y2);
}

// 0 TEXT / 8 layer / 72 halign / 73 2 / 10 20 / 11 21 (same point) /
// 40 height / 1 text / 41 1.0 or 0.8
void DxfFragmentWriter::AddTableText(TextView layer, TableTextAlign halign, const TAcadPoint& point, long double height,
                                     TextView text, TableTextWidth width) {
  textChunk(u"  0\r\nTEXT\r\n  8\r\n", layer);
  chunk(u" 72\r\n", decimalText(static_cast<int>(halign)));
  chunk(u" 73\r\n2");
  coordinate(u" 10\r\n", point.x);
  coordinate(u" 20\r\n", point.y);
  coordinate(u" 11\r\n", point.x);
  coordinate(u" 21\r\n", point.y);
  general(u" 40\r\n", height);
  textChunk(u"  1\r\n", text);
  chunk(width == TableTextWidth::Caption ? u" 41\r\n1.0" : u" 41\r\n0.8");
}

Text DxfFragmentWriter::insertAtOriginCommand() const {
  return u"^C-INSERT\r\"*" + path_ + u"\"" + u"\r" + u"0,0,0 1 0" + u"\r";
}

Text DxfFragmentWriter::insertAtCommand(long double x, long double y) const {
  return u"-INSERT *" + path_ + u"\r" + formatGeneral(x) + u"," + formatGeneral(y) + u"\r" + u"1 0" + u"\r";
}

void DxfFragmentWriter::InsertAtOrigin(CadLink& cad, AutomationObject& application) const {
  cad.sendCommandToApplication(application, insertAtOriginCommand());
}

void DxfFragmentWriter::InsertAt(CadLink& cad, AutomationObject& document, long double x, long double y) const {
  cad.sendCommandToDocument(document, insertAtCommand(x, y));
}

Text besideExecutable(TextView executable, TextView extension) {
  const std::size_t slash = executable.find_last_of(u"\\/");
  const std::size_t dot = executable.rfind(u'.');
  const bool hasExtension = dot != TextView::npos && (slash == TextView::npos || dot > slash);
  Text path(hasExtension ? executable.substr(0, dot) : executable);
  return path + Text(extension);
}

}  // namespace zemvo

#pragma once

#include "cad/cad_link.h"
#include "core/acad_point.h"
#include "core/text.h"

namespace zemvo {

enum class TableTextAlign { Left = 0, Centre = 1, Right = 2 };
enum class TableTextWidth { Caption, Value };  // 41 = 1.0 or 0.8
enum class TableRule { Horizontal, Vertical };

// The R12 DXF fragment that plots and tables are drawn through: composed in
// memory, saved beside the executable in CP932 with CR LF after every chunk,
// then inserted by a command text typed at the CAD's command line.
class DxfFragmentWriter {
 public:
  explicit DxfFragmentWriter(Text path);

  const Text& path() const { return path_; }

  void BeginFragment();  // header, tables and the ENTITIES section start
  void AddChunk(TextView chunk);
  void EndFragment();
  void Save() const;  // throws zemvo::Error naming the file
  const Text& content() const { return content_; }

  void AddPolylineStart(TextView layer, int flags);
  void AddVertex(TextView layer, const TAcadPoint& point);
  void AddSeqEnd();
  void AddPoint(TextView layer, const TAcadPoint& point);
  void AddCircle(TextView layer, const TAcadPoint& point, long double radius);
  void AddNameText(TextView layer, const TAcadPoint& point, long double height, TextView text);
  void AddValueText(TextView layer, const TAcadPoint& point, long double height, TextView text);
  // A horizontal rule starts at x1 = 0, a vertical one at y1 = 0.
  void AddTableLine(TextView layer, TableRule rule, long double x1, long double y1, long double x2, long double y2);
  void AddTableText(TextView layer, TableTextAlign halign, const TAcadPoint& point, long double height,
                    TextView text, TableTextWidth width);

  // "^C-INSERT" with the quoted path at 0,0,0, to the application.
  Text insertAtOriginCommand() const;
  // "-INSERT *" with the unquoted path at (x, y), to the document.
  Text insertAtCommand(long double x, long double y) const;
  void InsertAtOrigin(CadLink& cad, AutomationObject& application) const;
  void InsertAt(CadLink& cad, AutomationObject& document, long double x, long double y) const;

 private:
  void chunk(TextView a);
  void chunk(TextView a, TextView b);
  void textChunk(TextView head, TextView value);  // value with controls as blanks
  void coordinate(TextView head, long double value);
  void general(TextView head, long double value);

  Text path_;
  Text content_;
  // Heights and radii repeat entity after entity; format each value once.
  long double lastGeneralValue_ = 0;
  Text lastGeneralText_ = u"0";
};

// Path of a file beside the executable: the executable's path with its
// extension replaced (or appended when it has none).
Text besideExecutable(TextView executable, TextView extension);

}  // namespace zemvo

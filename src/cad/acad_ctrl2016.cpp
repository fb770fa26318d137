#include "cad/acad_ctrl2016.h"

namespace zemvo {

namespace {

bool isCadTitle(TextView title) {
  return title.starts_with(u"DWG TrueView ") || title.starts_with(u"AutoCAD ") || title.starts_with(u"Autodesk ");
}

bool isCadClass(TextView className) {
  return (className.starts_with(u"Afx:") && className.find(u":8:") != TextView::npos) ||
         className.starts_with(u"AfxMDIFrame");
}

}  // namespace

bool AcadCtrl2016::isCadWindow(TextView title, TextView className) {
  return isCadTitle(title) && isCadClass(className);
}

// The class name is read only for a window whose title passed.
WindowHandle AcadCtrl2016::FindCadWindow() {
  for (const WindowHandle window : windows_.topLevelWindows()) {
    if (isCadTitle(windows_.windowTitle(window)) && isCadClass(windows_.windowClassName(window))) {
      remembered_ = window;
      break;
    }
  }
  return remembered_;
}

bool AcadCtrl2016::SendCadText(TextView text) {
  if (text.size() > kMaxText) return false;
  const WindowHandle window = FindCadWindow();
  if (window == 0 || !windows_.isWindow(window)) return false;
  std::vector<char16_t> data(text.begin(), text.end());
  data.push_back(u'\0');
  windows_.sendCopyData(window, kCopyDataTag, data);
  windows_.postNullMessage(window);
  return true;
}

}  // namespace zemvo
